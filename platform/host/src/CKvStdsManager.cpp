#include <CKvStdsManager.h>

namespace {
CKvStdsManager* g_pStandardManager = nullptr;
}  // namespace

void SetKvStandardManager(CKvStdsManager* manager)
{
    g_pStandardManager = manager;
}

CKvStdsManager* GetKvStandardManager()
{
    return g_pStandardManager;
}

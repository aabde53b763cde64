#include <CKvHelp.h>

namespace {
int g_lastTopic = 0;
}  // namespace

void CKvHelp::showTopic(int topicId)
{
    if (topicId != 0) {
        g_lastTopic = topicId;
    }
}

int CKvHelp::lastTopic()
{
    return g_lastTopic;
}

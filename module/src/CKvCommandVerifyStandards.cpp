#include "CKvCommandVerifyStandards.h"

#include "DwgStandardsCommand.h"

#include <CKvCommandContext.h>
#include <CKvDocument.h>
#include <CKvMissingStandardsFileDlg.h>
#include <CKvNoDwgCategoriesSelectedDlg.h>
#include <CKvNoStandardsFileDlg.h>
#include <CKvStdsManager.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbXrecord.h>

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <list>

CKvCommandVerifyStandards::CKvCommandVerifyStandards()
{
    AddFlags(0x20000000);
}

const OdString CKvCommandVerifyStandards::globalName() const
{
    return OdString(L"_VERIFYSTANDARDS");
}

const OdString CKvCommandVerifyStandards::localName() const
{
    return CKvString(
               QCoreApplication::translate("CKvCommandVerifyStandards", "VERIFYSTANDARDS",
                                           "Command Name: Needs to be unique and all uppercase."))
        .toOdString();
}

namespace {

QWidget* mainWindow()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services != nullptr ? services->mainWindow() : nullptr;
}

bool fileExists(const CKvString& path)
{
    return !path.isEmpty() && QFileInfo(path.toQString()).isFile();
}

// The last component of a stored path, whichever separator it uses.
CKvString bareFileName(const CKvString& path)
{
    const QString text = path.toQString();
    const int slash =
        std::max(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
    return CKvString(text.mid(slash + 1));
}

}  // namespace

int CKvCommandVerifyStandards::Execute(CKvCommandContext* context)
{
    if (!context || !context->database()) {
        return kResultError;
    }
    CKvStdsManager* manager = GetKvStandardManager();
    if (manager != nullptr) {
        std::list<OdSmartPtr<CKvStdsPlugins>> plugins;
        manager->getPluginList(plugins);
        const bool anyEnabled = std::any_of(plugins.begin(), plugins.end(),
                                            [](const auto& plugin) { return plugin->Enabled(); });
        if (!anyEnabled) {
            CKvNoDwgCategoriesSelectedDlg dialog(mainWindow());
            if (dialog.exec() == 1 && dialog.IsRunDwgCategoriesChecked()) {
                runDwgStandards(2);
            }
            return kResultNormal;
        }
    }
    const bool missing = CheckStandardsFileMissing();
    if (m_stop) {
        return kResultNormal;
    }
    if (missing) {
        runDwgStandards(1);
        return kResultNormal;
    }
    if (manager == nullptr) {
        return kResultNormal;
    }
    manager->init(ACTIVE_DOCUMENT());
    CKvDocument* document = ACTIVE_DOCUMENT();
    manager->checkForErrors(document != nullptr ? document->database() : context->database(),
                            OdArray<OdDbObjectId>(), true);
    return kResultNormal;
}

bool CKvCommandVerifyStandards::CheckStandardsFileMissing()
{
    m_stop = false;
    CKvDocument* document = ACTIVE_DOCUMENT();
    OdDbDatabase* db = document != nullptr ? document->database() : nullptr;
    if (db == nullptr) {
        return false;
    }
    int found = 0;
    int missing = 0;
    OdDbDictionaryPtr named = db->getNamedObjectsDictionaryId().safeOpenObject();
    OdDbDictionaryPtr standards = named->getAt(OdString(L"AcStStandard"), OdDb::kForRead);
    if (!standards.isNull()) {
        CKvSystemServices* services = GetKvSystemServices();
        for (OdDbDictionaryIteratorPtr it = standards->newIterator(); !it->done(); it->next()) {
            OdDbObjectPtr entry = it->getObject();
            if (entry.isNull()) {
                continue;
            }
            // Anything but an xrecord here raises the not-that-kind-of-class error.
            OdDbXrecordPtr xrecord = entry;
            OdResBufPtr first = xrecord->rbChain();
            if (first.isNull() || first->restype() != 1) {
                continue;
            }
            const CKvString path(first->getString());
            if (fileExists(path)) {
                ++found;
            } else if (services != nullptr &&
                       fileExists(services->findFile(bareFileName(path), db))) {
                ++found;
            } else {
                ++missing;
            }
        }
    }
    if (found == 0 && missing == 0) {
        CKvNoStandardsFileDlg dialog(mainWindow());
        m_stop = !(dialog.exec() == 1 && dialog.IsRunStdsDlgChecked());
        return true;
    }
    if (missing > 0) {
        CKvMissingStandardsFileDlg dialog(mainWindow());
        m_stop = !(dialog.exec() == 1 && dialog.IsRunStdsDlgChecked());
        return true;
    }
    return false;
}

int CKvCommandVerifyStandards::GetHelpId() const
{
    return 3072;
}

#include <CKvCommandContext.h>
#include <CKvCommandDwgStandards.h>
#include <CKvStandardsConfigDialog.h>
#include <CKvStdsManager.h>
#include <CKvSystemServices.h>

#include <QCoreApplication>

#include <ResBuf.h>

namespace {

// The page the arguments name, or 0 when they name none.
int pageArgument(const OdResBuf* arguments)
{
    if (arguments == nullptr || arguments->restype() == OdResBuf::kRtNone) {
        return CKvStandardsConfigDialog::StandardsFilesPage;
    }
    switch (odResBufDataKind(arguments->restype())) {
        case OdResBuf::DataKind::kInt8:
        case OdResBuf::DataKind::kInt16:
        case OdResBuf::DataKind::kInt32:
        case OdResBuf::DataKind::kInt64: {
            const OdInt64 page = arguments->getInt64();
            return page >= CKvStandardsConfigDialog::StandardsFilesPage &&
                           page <= CKvStandardsConfigDialog::SettingsPage
                       ? static_cast<int>(page)
                       : 0;
        }
        default:
            return 0;
    }
}

}  // namespace

const OdString CKvCommandDwgStandards::globalName() const
{
    return OdString(L"_DWGSTANDARDS");
}

const OdString CKvCommandDwgStandards::localName() const
{
    return CKvString(
               QCoreApplication::translate("CKvCommandDwgStandards", "DWGSTANDARDS",
                                           "Command Name: Needs to be unique and all uppercase."))
        .toOdString();
}

int CKvCommandDwgStandards::Execute(CKvCommandContext* context)
{
    const int page = pageArgument(context != nullptr ? context->arguments().get() : nullptr);
    if (context == nullptr || page == 0) {
        return kResultError;
    }
    const CKvSystemServices* services = GetKvSystemServices();
    const CKvStandardsSettings settings =
        services != nullptr ? services->standardsSettings() : CKvStandardsSettings::load();
    CKvStandardsConfigDialog dialog(context->document(), GetKvStandardManager(), settings, page,
                                    services != nullptr ? services->mainWindow() : nullptr);
    if (dialog.exec() != 1) {
        throw OdEdCancel();
    }
    return kResultNormal;
}

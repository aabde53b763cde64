#include <CKvStandardsSettings.h>

#include <QSettings>
#include <QStandardPaths>

namespace {
const char kPreferredFileKey[] = "Standards/PreferredFile";
const char kAutomaticFixKey[] = "Standards/AutomaticFix";
const char kShowIgnoredKey[] = "Standards/ShowIgnored";
}  // namespace

const wchar_t* const CKvStandardsSettings::kNoPreferredFile = L"None";

QString CKvStandardsSettings::filePath()
{
    // QSettings caches its own user folder for the life of the process; building the path here
    // keeps it following the environment.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kvcad/kvcad.conf");
}

CKvStandardsSettings CKvStandardsSettings::load()
{
    const QSettings store(filePath(), QSettings::IniFormat);
    CKvStandardsSettings settings;
    settings.setPreferredStandardsFile(CKvString(
        store.value(kPreferredFileKey, QString::fromWCharArray(kNoPreferredFile)).toString()));
    settings.m_automaticFix = store.value(kAutomaticFixKey, false).toBool();
    settings.m_showIgnored = store.value(kShowIgnoredKey, false).toBool();
    return settings;
}

bool CKvStandardsSettings::save() const
{
    QSettings store(filePath(), QSettings::IniFormat);
    store.setValue(kPreferredFileKey, m_preferredFile.toQString());
    store.setValue(kAutomaticFixKey, m_automaticFix);
    store.setValue(kShowIgnoredKey, m_showIgnored);
    store.sync();
    return store.status() == QSettings::NoError;
}

void CKvStandardsSettings::setPreferredStandardsFile(const CKvString& path)
{
    m_preferredFile = path.isEmpty() ? CKvString(kNoPreferredFile) : path;
}

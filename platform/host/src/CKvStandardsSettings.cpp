#include <CKvStandardsSettings.h>

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace {
const char kPreferredFileKey[] = "Standards/PreferredFile";
const char kAutomaticFixKey[] = "Standards/AutomaticFix";
const char kShowIgnoredKey[] = "Standards/ShowIgnored";
const char kPluginsGroup[] = "StandardsPlugins";

// Class ids are percent-encoded into keys: QSettings would read a slash or a backslash in a key
// as a subgroup.
QString pluginKey(const CKvString& upperClassId)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(upperClassId.toQString()));
}

CKvString upperClassId(const CKvString& classId)
{
    CKvString upper = classId;
    return upper.makeUpper();
}

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
    QSettings store(filePath(), QSettings::IniFormat);
    CKvStandardsSettings settings;
    settings.setPreferredStandardsFile(CKvString(
        store.value(kPreferredFileKey, QString::fromWCharArray(kNoPreferredFile)).toString()));
    settings.m_automaticFix = store.value(kAutomaticFixKey, false).toBool();
    settings.m_showIgnored = store.value(kShowIgnoredKey, false).toBool();
    store.beginGroup(QLatin1String(kPluginsGroup));
    for (const QString& key : store.childKeys()) {
        settings.setPluginEnabled(CKvString(QUrl::fromPercentEncoding(key.toLatin1())),
                                  store.value(key, true).toBool());
    }
    return settings;
}

bool CKvStandardsSettings::save() const
{
    QSettings store(filePath(), QSettings::IniFormat);
    store.setValue(kPreferredFileKey, m_preferredFile.toQString());
    store.setValue(kAutomaticFixKey, m_automaticFix);
    store.setValue(kShowIgnoredKey, m_showIgnored);
    store.beginGroup(QLatin1String(kPluginsGroup));
    for (const auto& [classId, enabled] : m_pluginEnabled) {
        store.setValue(pluginKey(classId), enabled);
    }
    store.endGroup();
    store.sync();
    return store.status() == QSettings::NoError;
}

void CKvStandardsSettings::setPreferredStandardsFile(const CKvString& path)
{
    m_preferredFile = path.isEmpty() ? CKvString(kNoPreferredFile) : path;
}

bool CKvStandardsSettings::pluginEnabled(const CKvString& classId) const
{
    const auto it = m_pluginEnabled.find(upperClassId(classId));
    return it == m_pluginEnabled.end() || it->second;
}

void CKvStandardsSettings::setPluginEnabled(const CKvString& classId, bool enabled)
{
    if (classId.isEmpty()) {
        return;
    }
    m_pluginEnabled[upperClassId(classId)] = enabled;
}

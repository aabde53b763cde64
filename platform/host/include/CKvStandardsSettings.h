// CKvStandardsSettings: the user's standards settings, kept per user with QSettings in the
// standard configuration folder ($XDG_CONFIG_HOME, else ~/.config) as kvcad/kvcad.conf. The folder
// is looked up on every load() and save(), so changing XDG_CONFIG_HOME takes effect at once.
//
// Contract:
// - A setting never stored has its default: preferred standards file "None" (no preferred file),
//   automatic fix off, show ignored off.
// - An empty preferred file is stored as "None".
// - Each plug-in is enabled unless its flag says otherwise. Flags are keyed by the plug-in's class
//   id, ignoring case (as the manager looks plug-ins up); an empty class id is always enabled and
//   never stored. Flags of plug-ins that are not loaded are kept.
// - save() writes all settings and every flag set or loaded, and reports whether they reached
//   the file; a folder that cannot be written leaves the stored settings as they were.
#ifndef KV_CKV_STANDARDS_SETTINGS_H
#define KV_CKV_STANDARDS_SETTINGS_H

#include <CKvString.h>

#include <QString>

#include <map>

class CKvStandardsSettings
{
public:
    static const wchar_t* const kNoPreferredFile;

    static CKvStandardsSettings load();
    [[nodiscard]] bool save() const;
    // The file the settings live in.
    static QString filePath();

    // A path, or "None".
    CKvString preferredStandardsFile() const { return m_preferredFile; }
    void setPreferredStandardsFile(const CKvString& path);
    bool automaticFix() const { return m_automaticFix; }
    void setAutomaticFix(bool on) { m_automaticFix = on; }
    bool showIgnored() const { return m_showIgnored; }
    void setShowIgnored(bool on) { m_showIgnored = on; }
    bool pluginEnabled(const CKvString& classId) const;
    void setPluginEnabled(const CKvString& classId, bool enabled);

private:
    CKvString m_preferredFile = CKvString(kNoPreferredFile);
    bool m_automaticFix = false;
    bool m_showIgnored = false;
    // Keyed by the upper-cased class id.
    std::map<CKvString, bool> m_pluginEnabled;
};

#endif  // KV_CKV_STANDARDS_SETTINGS_H

// CKvStandardsConfigModel: what the standards configuration dialog edits, kept apart from the
// drawing, the plug-ins and the stored settings until apply().
//
// Contract:
// - The standards files start as the drawing's association as stored (CKvStandardsAssociation
//   paths); they are edited with the association's own operations on a working copy, so each
//   edit refuses what it refuses on the drawing (a file added twice, the first file moved up).
//   Without a document, or with a document that has no drawing yet, the list is empty and every
//   edit is refused.
// - The plug-ins are the manager's, in getPluginList order, each with its Enabled() state; a
//   null manager gives none, null entries are left out.
// - apply() saves the settings with the plug-ins' flags first (the manager reads the preferred
//   file from them), then writes the association into the drawing when the list differs from the
//   stored one, calls setEnabled on every plug-in, and lets the manager read the drawing's
//   association again (init). It returns false when the settings could not be saved; the drawing
//   and the plug-ins are updated all the same.
// The model does not own the document or the manager; both must outlive it.
#ifndef KV_CKV_STANDARDS_CONFIG_MODEL_H
#define KV_CKV_STANDARDS_CONFIG_MODEL_H

#include <CKvStandardsSettings.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <DbDatabase.h>

#include <cstddef>
#include <vector>

class CKvDocument;
class CKvStdsManager;

class CKvStandardsConfigModel
{
public:
    struct PluginState
    {
        CKvStdsPluginsPtr plugin;
        bool enabled;
    };

    CKvStandardsConfigModel(CKvDocument* document, CKvStdsManager* manager,
                            const CKvStandardsSettings& settings);
    CKvStandardsConfigModel(const CKvStandardsConfigModel&) = delete;
    CKvStandardsConfigModel& operator=(const CKvStandardsConfigModel&) = delete;

    bool hasDrawing() const { return m_drawing != nullptr; }

    // The edited list, in association order.
    std::vector<CKvString> standardsFiles() const;
    // Whether the file exists where it is stored, or the host finds it by its name (the folder of
    // the drawing, the support folders, the resources), as the manager looks for it.
    bool isStandardsFileFound(const CKvString& path) const;
    bool addStandardsFile(const CKvString& path);
    bool removeStandardsFile(const CKvString& path);
    bool moveStandardsFileUp(const CKvString& path);
    bool moveStandardsFileDown(const CKvString& path);

    const std::vector<PluginState>& plugins() const { return m_plugins; }
    // An index out of range is ignored.
    void setPluginEnabled(std::size_t index, bool enabled);

    const CKvStandardsSettings& settings() const { return m_settings; }
    // Empty means no preferred file ("None").
    void setPreferredStandardsFile(const CKvString& path);
    void setAutomaticFix(bool on) { m_settings.setAutomaticFix(on); }
    void setShowIgnored(bool on) { m_settings.setShowIgnored(on); }

    [[nodiscard]] bool apply();

private:
    CKvDocument* m_document;
    OdDbDatabase* m_drawing;
    CKvStdsManager* m_manager;
    // A scratch drawing that holds the working copy of the association.
    OdDbDatabasePtr m_pWorkingCopy;
    std::vector<PluginState> m_plugins;
    CKvStandardsSettings m_settings;
};

#endif  // KV_CKV_STANDARDS_CONFIG_MODEL_H

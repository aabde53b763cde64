// CKvStandardsConfigDialog: the host's standards configuration, three pages in one tab widget:
// - "Standards files": the files the current drawing is associated with, as stored, with Add,
//   Remove, Move Up and Move Down; a file that is neither where it is stored nor found by the
//   host by its name carries a warning icon and a "File not found" tool tip. Without a drawing
//   the page is disabled and says why.
// - "Plug-ins": one checkable row per plug-in of the manager (name, version; the description is
//   the row's tool tip and is shown below the list for the current row).
// - "Settings": the preferred standards file ("None" or one of the listed files; a preferred
//   file that is not listed stays offered), automatic fix and showing ignored problems.
// Nothing changes until OK: then CKvStandardsConfigModel::apply() writes the association, the
// plug-ins' flags and the settings, and a warning box (CKvMessageBox) says so when the settings
// could not be saved. Cancel or closing changes nothing. exec() gives 1 for OK, 0 otherwise.
//
// The document and the manager are not owned and may be null.
#ifndef KV_CKV_STANDARDS_CONFIG_DIALOG_H
#define KV_CKV_STANDARDS_CONFIG_DIALOG_H

#include <CKvDialog.h>
#include <CKvStandardsConfigModel.h>
#include <CKvStandardsSettings.h>
#include <CKvString.h>

#include <QString>
#include <QStringList>

#include <memory>

class CKvDocument;
class CKvStdsManager;
class Ui_CKvStandardsConfigDialog;

class CKvStandardsConfigDialog : public CKvDialog
{
    Q_OBJECT

public:
    // The pages, numbered as the _DWGSTANDARDS command takes them.
    enum Page { StandardsFilesPage = 1, PluginsPage = 2, SettingsPage = 3 };
    enum PluginColumn { NameColumn, VersionColumn, ColumnCount };

    // Opens on `page`; a number that is not a page opens the standards files.
    CKvStandardsConfigDialog(CKvDocument* document, CKvStdsManager* manager,
                             const CKvStandardsSettings& settings, int page = StandardsFilesPage,
                             QWidget* parent = nullptr);
    ~CKvStandardsConfigDialog() override;

    Page currentPage() const;

public slots:
    void addStandardsFiles();
    void removeStandardsFile();
    void moveStandardsFileUp();
    void moveStandardsFileDown();
    void applyAndAccept();

protected:
    // The files the user picks to add, in the order picked; empty when the user cancels. Asks
    // with a file dialog for standards drawings (*.dws, *.dxf).
    virtual QStringList chooseStandardsFiles();

private:
    void showStandardsFiles(const CKvString& current);
    void showPlugins();
    void showPreferredFiles();
    void showPluginDescription();
    void updateControls();
    CKvString currentStandardsFile() const;

    std::unique_ptr<Ui_CKvStandardsConfigDialog> m_ui;
    CKvStandardsConfigModel m_model;
    QString m_startFolder;
};

#endif  // KV_CKV_STANDARDS_CONFIG_DIALOG_H

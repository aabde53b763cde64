// CKvSystemServices: what the host program offers its modules: the main window, the documents,
// the command processor, the drawing reader, the file search, running and queueing commands,
// and the standards settings. The program creates one and installs it with
// SetKvSystemServices(); GetKvSystemServices() is null until then. The services do not own the
// main window.
//
// The host's own commands (_DWGSTANDARDS, the standards configuration dialog) are registered on
// the process's command stack only when the program asks for them with registerHostCommands(),
// so that a batch run never offers a dialog; the destructor removes them again.
#ifndef KV_CKV_SYSTEM_SERVICES_H
#define KV_CKV_SYSTEM_SERVICES_H

#include <CKvCommandProcessor.h>
#include <CKvDocumentManager.h>
#include <CKvStandardsSettings.h>
#include <CKvString.h>
#include <DbDatabase.h>
#include <DbDatabaseReactor.h>

#include <QString>

#include <EdCommand.h>
#include <ResBuf.h>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

class CKvSystemServices
{
public:
    // How invokeCommand runs a command.
    struct CKvExpressionParserData
    {
        // True: run now (nested in the current command, if any) and return the result; false:
        // queue it as queueCommand does.
        bool m_bSynchronous = false;
    };

    // resourcesFolder: the installed resources ("inch.lin", "mm.lin"), searched last.
    explicit CKvSystemServices(const CKvString& resourcesFolder, QWidget* mainWindow = nullptr);
    ~CKvSystemServices();
    CKvSystemServices(const CKvSystemServices&) = delete;
    CKvSystemServices& operator=(const CKvSystemServices&) = delete;

    // The parent of the modules' dialogs; may be null.
    QWidget* mainWindow() const { return m_mainWindow; }
    void setMainWindow(QWidget* window) { m_mainWindow = window; }
    CKvDocumentManager* documentManager() { return &m_documents; }
    CKvCommandProcessor& commandProcessor() { return m_processor; }
    // "kvcad": the title of the modules' message boxes.
    CKvString applicationName() const;

    // Reads a drawing; null when it cannot be read. The code-page, partial-loading, share-mode
    // (0x40: deny none) and password arguments are accepted for the callers' sake; every DXF is
    // read whole and decoded from its own code page.
    //
    // The drawings read here are the standards drawings, which are read and never written. One
    // read is kept for as long as the services live and handed out again to every later reader
    // of the file (by its absolute path) while the file on disk stays the same: the same size,
    // modification time and file (a save, which replaces the file, reads it again). So a check
    // after an edit, and a batch check of many drawings, read each standards file once. The kept
    // drawings are write-protected: the first change of any of their objects raises
    // OdError(eIsWriteProtected) before anything changes.
    OdDbDatabasePtr readDrawing(const CKvString& path, bool allowCPConversion = false,
                                bool partialLoad = false, int shareMode = 0x40,
                                const CKvString& password = CKvString()) const;

    // The full path of a file by its bare name (any folders in fileName are ignored): looked for
    // in the folder of the drawing (when it has a file name), then in the support folders in
    // order, then in the resources folder. Empty when it is in none of them.
    CKvString findFile(const CKvString& fileName, const OdDbDatabase* database) const;
    void setSupportFolders(const std::vector<CKvString>& folders) { m_supportFolders = folders; }
    std::vector<CKvString> supportFolders() const { return m_supportFolders; }
    CKvString resourcesFolder() const { return m_resourcesFolder; }

    // Runs a chain of the command name (5005) and its arguments, ended by a 5000 item. Returns a
    // 5010 item holding the command's result (CKvCommand::Result) when it ran now, null when it
    // was queued or the chain is malformed.
    OdResBufPtr invokeCommand(const CKvExpressionParserData& data, const OdResBuf* chain);
    // Queues the chain; the command runs once the current command has ended (at once when none
    // is running). A malformed chain is ignored.
    void queueCommand(const OdResBuf* chain);
    void runQueuedCommands();

    // The user's standards settings, read afresh on every call.
    CKvStandardsSettings standardsSettings() const;
    [[nodiscard]] bool setStandardsSettings(const CKvStandardsSettings& settings);

    // Adds the host's commands to the command stack (once; later calls do nothing). Raises
    // OdError(eDuplicateKey) when another command of the same name is registered in the host's
    // group, and then registers none.
    void registerHostCommands();

private:
    CKvString m_resourcesFolder;
    QWidget* m_mainWindow;
    std::vector<CKvString> m_supportFolders;
    CKvCommandProcessor m_processor;
    CKvDocumentManager m_documents;
    std::vector<std::unique_ptr<OdEdCommand>> m_hostCommands;
    // What tells a file on disk from its earlier contents.
    struct FileStamp
    {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;

        bool operator==(const FileStamp& other) const;
    };
    struct SharedDrawing
    {
        FileStamp stamp;
        OdDbDatabasePtr database;
    };
    // The file's identity, size and modification time; none when there is no file at the path.
    static std::optional<FileStamp> stampOf(const QString& path);
    // Forgets a kept drawing, which is no longer write-protected then.
    void forget(std::map<QString, SharedDrawing>::iterator kept) const;

    std::unique_ptr<OdDbDatabaseReactor> m_writeProtection;
    mutable std::map<QString, SharedDrawing> m_sharedDrawings;
};

// Installs the program's services (null withdraws them); not owned.
void SetKvSystemServices(CKvSystemServices* services);
CKvSystemServices* GetKvSystemServices();

#endif  // KV_CKV_SYSTEM_SERVICES_H

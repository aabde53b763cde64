// The window's files: opening a drawing in place of the current one, saving it (QSAVE, SAVEAS),
// the recent files, and never setting a changed drawing aside without asking.
#include "CommandLine.h"
#include "DesktopCommands.h"
#include "DesktopWindow.h"
#include "DrawingWatcher.h"

#include <CKvDocument.h>
#include <CKvMessageBox.h>
#include <CKvStandardsSettings.h>
#include <CKvString.h>
#include <OdError.h>

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QSettings>
#include <QTimer>

namespace {

const char kRecentFilesKey[] = "Desktop/RecentFiles";
const int kRecentFilesKept = 8;

}  // namespace

bool DesktopWindow::openDrawing(const QString& path, QString* error)
{
    if (!maySetDrawingAside()) {
        return false;
    }
    CKvDocumentManager* documents = m_services.documentManager();
    // The new drawing is read before the current one is closed: one that cannot be read leaves
    // the user where they were.
    CKvDocument* opened = documents->open(CKvString(path));
    if (!opened) {
        const QString message =
            tr("%1 cannot be opened: %2")
                .arg(QDir::toNativeSeparators(path), documents->lastError().toQString());
        if (error) {
            *error = message;
        } else {
            CKvMessageBox::warning(this, QStringLiteral("kvcad"), message);
        }
        return false;
    }
    CKvDocument* previous = m_document;
    m_watcher->watch(nullptr);
    m_document = opened;
    if (previous) {
        documents->close(previous);
    }
    rememberRecentFile(path);
    m_commandLine->print(tr("Opened %1.").arg(QDir::toNativeSeparators(path)));
    drawingReplaced();
    return true;
}

void DesktopWindow::openChosenDrawing()
{
    const QString path = chooseFileToOpen();
    if (!path.isEmpty()) {
        openDrawing(path);
    }
}

void DesktopWindow::saveDrawingAs()
{
    const QString path = chooseFileToSaveAs();
    if (!path.isEmpty()) {
        runCommand({QStringLiteral("_SAVEAS"), path});
    }
}

bool DesktopWindow::save(const QString& path)
{
    if (!m_document || !m_document->database()) {
        return false;
    }
    const QString current = m_document->fileName().toQString();
    const QString target = path.isEmpty() ? current : path;
    try {
        m_document->database()->writeFile(CKvString(target).toOdString());
    } catch (const OdError& error) {
        const QString message =
            tr("%1 cannot be saved: %2")
                .arg(QDir::toNativeSeparators(target), CKvString(error.description()).toQString());
        m_commandLine->print(message);
        CKvMessageBox::warning(this, QStringLiteral("kvcad"), message);
        return false;
    }
    m_modified = false;
    rememberRecentFile(target);
    m_commandLine->print(tr("Saved %1.").arg(QDir::toNativeSeparators(target)));
    if (QFileInfo(target) != QFileInfo(current)) {
        // The saved copy becomes the drawing worked on, as soon as the command is over.
        QTimer::singleShot(0, this, [this, target] { openDrawing(target); });
    }
    updateTitleAndActions();
    return true;
}

bool DesktopWindow::maySetDrawingAside()
{
    if (!m_document || !m_modified) {
        return true;
    }
    const QString name = QFileInfo(m_document->fileName().toQString()).fileName();
    const QMessageBox::StandardButton answer = CKvMessageBox::warning(
        this, QStringLiteral("kvcad"), tr("%1 has changed. Save the changes?").arg(name),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    switch (answer) {
        case QMessageBox::Save:
            return runCommandLine(QStringLiteral("_QSAVE")) == CKvCommand::kResultNormal;
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void DesktopWindow::closeEvent(QCloseEvent* event)
{
    if (!maySetDrawingAside()) {
        event->ignore();
        return;
    }
    event->accept();
}

QStringList DesktopWindow::recentFiles() const
{
    return QSettings(CKvStandardsSettings::filePath(), QSettings::IniFormat)
        .value(kRecentFilesKey)
        .toStringList();
}

void DesktopWindow::rememberRecentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFilesKept) {
        files.removeLast();
    }
    QSettings(CKvStandardsSettings::filePath(), QSettings::IniFormat)
        .setValue(kRecentFilesKey, files);
}

void DesktopWindow::showRecentFiles()
{
    m_recentMenu->clear();
    const QStringList files = recentFiles();
    if (files.isEmpty()) {
        m_recentMenu->addAction(tr("No recent files"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files.at(i);
        QAction* action = m_recentMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { openDrawing(path); });
    }
}

QString DesktopWindow::chooseFileToOpen()
{
    return QFileDialog::getOpenFileName(this, tr("Open Drawing"), QString(),
                                        tr("Drawings (*.dxf)"));
}

QString DesktopWindow::chooseFileToSaveAs()
{
    const QString current = m_document ? m_document->fileName().toQString() : QString();
    return QFileDialog::getSaveFileName(this, tr("Save Drawing As"), current,
                                        tr("Drawings (*.dxf)"));
}

QString DesktopWindow::askRecordName(const QString& kindNoun)
{
    return QInputDialog::getText(this, tr("New %1").arg(kindNoun), tr("Name:")).trimmed();
}

// The walk through the violations behind the dialog's buttons: stepping, fixing, automatic
// fixing, ignoring, the Options button and closing.
#include "CKvVerfiyCompleteMessage.h"
#include "CKvVerifyStandards.h"
#include "DialogDecoration.h"
#include "ui_CKvVerifyStandards.h"

#include <CKvDocument.h>
#include <CKvIgnoredState.h>
#include <CKvMessageBox.h>
#include <CKvStandardsAssociation.h>
#include <CKvStdsManager.h>
#include <CKvSystemServices.h>
#include <CKvUtilsBase.h>
#include <OdError.h>

#include <QCloseEvent>
#include <QHideEvent>
#include <QShowEvent>
#include <QTimer>

#include <ResBuf.h>
#include <list>

namespace {

// The host's settings as they are now; every setting off without the host's services.
CKvStandardsSettings standardsSettings()
{
    const CKvSystemServices* services = GetKvSystemServices();
    return services ? services->standardsSettings() : CKvStandardsSettings();
}

// Applies a fix. The plug-in reports nothing back and neither does the dialog: a fix that fails
// leaves the violation to the next verification, and an error raised by the plug-in must not
// escape into the event loop that called the slot.
void applyFix(const CKvVerifyStandardsInfo& info, int fixIndex)
{
    CKvString message;
    try {
        info.getCurrentPlugin()->FixError(info.getError(), info.getFixArray()[fixIndex], message);
    } catch (const OdError&) {
    }
}

}  // namespace

void CKvVerifyStandards::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // Only when the program shows the dialog, not when the window system shows it again: the
    // dialog takes the size the user gave it last time, and the first violation is filled in
    // once the dialog is on screen.
    if (!event->spontaneous()) {
        const QSize remembered = KvDialogDecoration::rememberedSize(objectName());
        if (remembered.isValid()) {
            resize(remembered.expandedTo(minimumSizeHint()));
        }
        QTimer::singleShot(0, this, &CKvVerifyStandards::OnTimer);
    }
}

void CKvVerifyStandards::hideEvent(QHideEvent* event)
{
    CKvDialog::hideEvent(event);
    if (!event->spontaneous()) {
        KvDialogDecoration::rememberSize(objectName(), size());
    }
}

void CKvVerifyStandards::OnTimer()
{
    clickedNext();
    if (!m_errorInfoList.isEmpty() && standardsSettings().automaticFix()) {
        AutoFixAllErrors();
    }
}

bool CKvVerifyStandards::canStep(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_errorInfoList.size())) {
        return false;
    }
    const CKvVerifyStandardsInfo& info = m_errorInfoList[index];
    if (info.getIsFixed() || info.getIsManualFixed()) {
        return true;
    }
    return info.getIsIgnored() && !standardsSettings().showIgnored();
}

void CKvVerifyStandards::clickedNext()
{
    ++m_currentIndex;
    while (canStep(m_currentIndex)) {
        ++m_currentIndex;
    }
    enableControls(true);
    if (m_currentIndex < static_cast<int>(m_errorInfoList.size())) {
        fillControls();
        return;
    }

    // Past the end of the list.
    m_currentIndex = -1;
    resetControls();
    update();
    enableControls(false);
    int fixed = 0;
    int manualFixed = 0;
    int ignored = 0;
    for (const CKvVerifyStandardsInfo& info : qAsConst(m_errorInfoList)) {
        fixed += info.getIsFixed() ? 1 : 0;
        manualFixed += info.getIsManualFixed() ? 1 : 0;
        ignored += info.getIsIgnored() ? 1 : 0;
    }
    if (!m_statusReportDisabled) {
        CKvVerfiyCompleteMessage summary(this);
        summary.setFixed(fixed);
        summary.setIgnored(ignored);
        summary.setViolation(static_cast<int>(m_errorInfoList.size()));
        summary.setManualFixed(manualFixed);
        // The next pass walks only what is left to deal with.
        for (int i = static_cast<int>(m_errorInfoList.size()) - 1; i >= 0; --i) {
            const CKvVerifyStandardsInfo& info = m_errorInfoList.at(i);
            if (info.getIsFixed() || info.getIsManualFixed()) {
                m_errorInfoList.removeAt(i);
            }
        }
        summary.exec();
    }
    if (m_noStandardsAttached) {
        m_ui->ProblemDescLabel->setText(
            tr("There are no standards files associated with the current drawing."));
    }
    m_ui->NextIssueButton->setEnabled(true);
}

int CKvVerifyStandards::fixIndexToApply(const CKvVerifyStandardsInfo& info) const
{
    int index = m_ui->ReplaceWithTableWidget->currentRow();
    if (index == -1) {
        index = info.getRecommendedFixIdx() == -1 ? 0 : info.getRecommendedFixIdx();
    }
    return index >= 0 && index < static_cast<int>(info.getFixArray().size()) ? index : -1;
}

void CKvVerifyStandards::clickedFix()
{
    if (!isValid()) {
        return;
    }
    const CKvVerifyStandardsInfo info = m_errorInfoList.at(m_currentIndex);
    if (info.getError().isNull() || info.getCurrentPlugin().isNull()) {
        return;
    }
    const int fixIndex = fixIndexToApply(info);
    if (fixIndex == -1) {
        return;
    }
    applyFix(info, fixIndex);
    m_errorInfoList[m_currentIndex].setIsManualFixed(true);
    clickedNext();
}

void CKvVerifyStandards::startAutoFix()
{
    if (!isValid()) {
        clickedNext();
    }
    AutoFixAllErrors();
}

void CKvVerifyStandards::AutoFixAllErrors()
{
    // The violation fixed is always the one on display, with the fix selected in its table, and
    // that is the one marked: the fix picked from the table always belongs to the record it is
    // applied to, even when ignored records are stepped over. Each step moves forward, so the
    // walk passes the end of the list within as many steps as there are records.
    const int count = static_cast<int>(m_errorInfoList.size());
    for (int step = 0; step < count && isValid(); ++step) {
        const CKvVerifyStandardsInfo info = m_errorInfoList.at(m_currentIndex);
        const int fixIndex = fixIndexToApply(info);
        if (!info.getError().isNull() && !info.getCurrentPlugin().isNull() && fixIndex != -1) {
            applyFix(info, fixIndex);
            m_errorInfoList[m_currentIndex].setIsFixed(true);
        }
        clickedNext();
    }
}

void CKvVerifyStandards::ViolationIgnoredClicked(bool checked)
{
    if (!isValid()) {
        return;
    }
    CKvVerifyStandardsInfo info = m_errorInfoList.at(m_currentIndex);
    info.setIsIgnored(checked);
    const OdSmartPtr<CKvStdsError> pError = info.getError();
    if (!pError.isNull()) {
        // Kept in the drawing, so that the next verification knows the violation is ignored.
        writeIgnoredState(pError->GetObjectId(), checked,
                          checked ? CKvUtilsBase::getUserName() : CKvString());
    }
    m_errorInfoList[m_currentIndex] = info;
    m_ui->IgnoreViolationCheckBox->setChecked(checked);
    update();
}

void CKvVerifyStandards::getDwsArray(std::vector<CKvString>& out) const
{
    const CKvDocument* document = ACTIVE_DOCUMENT();
    if (!document || !document->database()) {
        return;
    }
    // As the drawing stores them, not as the manager cleans them up (separators, duplicates, the
    // preferred file first): the list read before the configuration and the one read after are
    // read alike, so any change the user made shows.
    const std::vector<CKvString> paths = CKvStandardsAssociation(document->database()).paths();
    out.insert(out.end(), paths.begin(), paths.end());
}

bool CKvVerifyStandards::isEqualDwsArray(std::vector<CKvString> a, std::vector<CKvString> b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].CompareNoCase(b[i]) != 0) {
            return false;
        }
    }
    return true;
}

bool CKvVerifyStandards::isEqualPluginList(std::map<CKvStdsPlugins*, bool> a,
                                           std::map<CKvStdsPlugins*, bool> b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (auto itA = a.cbegin(), itB = b.cbegin(); itA != a.cend(); ++itA, ++itB) {
        if (itA->second != itB->second) {
            return false;
        }
    }
    return true;
}

std::map<CKvStdsPlugins*, bool> CKvVerifyStandards::pluginStates()
{
    std::map<CKvStdsPlugins*, bool> states;
    CKvStdsManager* manager = GetKvStandardManager();
    if (!manager) {
        return states;
    }
    std::list<OdSmartPtr<CKvStdsPlugins>> plugins;
    manager->getPluginList(plugins);
    for (const OdSmartPtr<CKvStdsPlugins>& pPlugin : plugins) {
        if (!pPlugin.isNull()) {
            states[pPlugin.get()] = pPlugin->Enabled();
        }
    }
    return states;
}

void CKvVerifyStandards::clickedOptionsBtn()
{
    std::vector<CKvString> filesBefore;
    getDwsArray(filesBefore);
    const std::map<CKvStdsPlugins*, bool> pluginsBefore = pluginStates();

    CKvSystemServices* services = GetKvSystemServices();
    if (services) {
        // The host's standards configuration on its settings page; it returns once closed.
        const OdResBufPtr pChain = OdResBuf::newRb(OdResBuf::kRtString, L"_DWGSTANDARDS");
        pChain->setNext(OdResBuf::newRb(OdResBuf::kRtInt16, OdInt16(3)))
            ->setNext(OdResBuf::newRb(OdResBuf::kRtNone));
        CKvSystemServices::CKvExpressionParserData parserData;
        parserData.m_bSynchronous = true;
        services->invokeCommand(parserData, pChain.get());
    }

    std::vector<CKvString> filesAfter;
    getDwsArray(filesAfter);
    const std::map<CKvStdsPlugins*, bool> pluginsAfter = pluginStates();
    if (isEqualDwsArray(filesBefore, filesAfter) &&
        isEqualPluginList(pluginsBefore, pluginsAfter)) {
        return;
    }
    // The violations on the list were found with the old settings: they cannot be walked on.
    CKvMessageBox::warning(services ? services->mainWindow() : nullptr,
                           KvDialogDecoration::hostApplicationName(),
                           tr("VerifyStandards command cannot continue due to changes done under "
                              "standards files list or drawing categories to be verified. Restart "
                              "command to verify drawing using new standards settings."),
                           QMessageBox::Close);
    clickedClose();
}

void CKvVerifyStandards::clickedClose()
{
    done(1);
    m_closed = true;
}

void CKvVerifyStandards::closeEvent(QCloseEvent* event)
{
    clickedClose();
    if (m_closed) {
        event->accept();
    } else {
        event->ignore();
    }
}

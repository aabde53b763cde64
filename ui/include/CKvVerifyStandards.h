// CKvVerifyStandards: the Verify Standards dialog. It shows the violations of the current drawing
// one at a time: what is wrong, the candidate fixes of the plug-in that found it ("Replace with"),
// and for the selected fix the property-by-property difference between the drawing and the
// standards file ("Preview of changes"). The user fixes, ignores or skips each violation; passing
// the end of the list shows the verification summary.
//
// The dialog finds no violations itself: its creator hands it the records with setErrorInfoList()
// and runs it modally; the first violation appears once the dialog is on screen. Fixes go through
// the record's plug-in at once and marking a violation as ignored writes the ignored-violation
// record into the drawing; closing undoes nothing. The current index moves only forward; passing
// the end shows the summary (unless disabled), drops the fixed records and starts again from the
// first record left on the next step.
//
// The host's standards settings are read whenever they are needed: the automatic-fix setting when
// the dialog opens, the show-ignored setting while stepping (ignored violations are stepped over
// while it is off). Without the host's services both read as off.
//
// User-interface thread only. No operation reads a record at an index outside the list, nor a fix
// outside the record's fix array. A record without error is shown empty; one without error, plug-in
// or a fix at the chosen index is never fixed (the automatic fix steps over it unmarked).
#ifndef KV_CKV_VERIFY_STANDARDS_H
#define KV_CKV_VERIFY_STANDARDS_H

#include "CKvVerifyStandardsInfo.h"

#include <CKvDialog.h>
#include <CKvStdsPlugins.h>
#include <CKvString.h>
#include <OdArray.h>

#include <map>
#include <memory>
#include <vector>

class Ui_CKvVerifyStandards;
class QCloseEvent;
class QHideEvent;
class QPaintEvent;
class QShowEvent;

class CKvVerifyStandards : public CKvDialog
{
    Q_OBJECT

public:
    explicit CKvVerifyStandards(QWidget* parent = nullptr);
    ~CKvVerifyStandards() override;

    int GetHelpId() const override;

    // Replaces the violation list with copies of the records, in order, and sets the current
    // index to -1. No widget changes: the first violation is shown when the dialog is.
    void setErrorInfoList(OdArray<CKvVerifyStandardsInfo> list);
    // The violation list as it stands (fixed records are dropped after each summary).
    OdArray<CKvVerifyStandardsInfo> errorInfoList() const { return m_errorInfoList; }
    // The index of the violation on display; -1 when none is (0 before the first list is handed
    // in).
    int currentIndex() const { return m_currentIndex; }
    // True when a violation is on display: 0 <= current index < list length.
    bool isValid() const;

    // Suppresses the summary at the end of the list (and with it the dropping of fixed records).
    void disableStatusReport(bool disable);
    // Makes the end of the list say that the drawing has no standards files.
    void setNoStandardsAttached(bool noStandards);
    // Fixes every violation from the one on display onwards (stepping to the first when none is
    // on display), each with the fix selected in the "Replace with" table.
    void startAutoFix();

    // Whether the step from one violation to the next passes over position `index`: fixed, fixed
    // manually, or ignored while the show-ignored setting is off.
    bool canStep(int index) const;
    // Clears the violation texts, both tables' contents and the ignore box.
    void resetControls();
    // Shows the violation on display with its recommended fix selected.
    void fillControls();
    // Fills the labels and the "Replace with" table from the violation on display; selects the
    // recommended fix.
    void FillReplaceWithTable();
    // Fills the "Preview of changes" table with the property differences of the fix at
    // `fixIndex` of the violation on display; -1 empties it.
    void FillPropertyDiffTable(int fixIndex);
    // Brings the labels and the enabled states in line with the violation on display.
    void update();
    // Enables the violation widgets, or clears and disables them.
    void enableControls(bool on);
    // Shows the column titles of both tables (the fixes' column as "Object Name"), or blanks
    // them and their tool tips.
    void enableHeaders(bool on);
    // Fixes the violation on display and each one after it, as far as the end of the list.
    void AutoFixAllErrors();

    // The standards files associated with the active document's drawing, appended to `out` as
    // the drawing stores them.
    void getDwsArray(std::vector<CKvString>& out) const;
    // Same length and the same paths at each position, ignoring case.
    static bool isEqualDwsArray(std::vector<CKvString> a, std::vector<CKvString> b);
    // Same number of plug-ins and the same enabled flags, position by position in key order.
    static bool isEqualPluginList(std::map<CKvStdsPlugins*, bool> a,
                                  std::map<CKvStdsPlugins*, bool> b);

public slots:
    // Steps to the next violation that needs attention, or past the end of the list.
    void clickedNext();
    // Applies the selected fix (else the recommended one, else the first) and steps on.
    void clickedFix();
    // Ends the modal run with 1 and notes that the dialog was closed.
    void clickedClose();
    // Opens the host's standards configuration; stops the verification when it changed the
    // drawing's standards files or the enabled plug-ins.
    void clickedOptionsBtn();
    // Previews the fix now selected in the "Replace with" table.
    void FixSelectionChanged();
    // Marks the violation on display as ignored (or clears the mark) in the list and the drawing.
    void ViolationIgnoredClicked(bool checked);
    // Shows the first violation once the dialog is up, then fixes all when the settings ask so.
    void OnTimer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Remembers the size the user gave the dialog, for the next time it opens.
    void hideEvent(QHideEvent* event) override;

private:
    void setUpTables();
    // The fix index to apply to the record on display: the selected row, else the recommended
    // fix, else the first; -1 when that is not a fix of the record.
    int fixIndexToApply(const CKvVerifyStandardsInfo& info) const;
    // The enabled flag of each of the manager's plug-ins; empty without a manager.
    static std::map<CKvStdsPlugins*, bool> pluginStates();

    std::unique_ptr<Ui_CKvVerifyStandards> m_ui;
    int m_currentIndex = 0;
    OdArray<CKvVerifyStandardsInfo> m_errorInfoList;
    bool m_closed = false;
    bool m_statusReportDisabled = false;
    bool m_noStandardsAttached = false;
};

#endif  // KV_CKV_VERIFY_STANDARDS_H

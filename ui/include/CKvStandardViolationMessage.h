// CKvStandardViolationMessage: the notification shown after a command created an object that is
// not in accordance with the drawing's standards. Two radio buttons choose between running the
// verification and keeping the object unchanged; the dialog opens with "keep unchanged" chosen.
// The caller runs the verification when exec() gives non-zero and runStandardDlg() is true, so
// Cancel or closing never starts it.
#ifndef KV_CKV_STANDARD_VIOLATION_MESSAGE_H
#define KV_CKV_STANDARD_VIOLATION_MESSAGE_H

#include <CKvDialog.h>

#include <memory>

class Ui_CKvStandardViolationMessage;

class CKvStandardViolationMessage : public CKvDialog
{
    Q_OBJECT

public:
    explicit CKvStandardViolationMessage(QWidget* parent = nullptr);
    ~CKvStandardViolationMessage() override;

    int GetHelpId() const override;
    // Whether the user chose to run the standards verification.
    bool runStandardDlg() const;
    // Checks the radio button of the current choice and unchecks the other.
    void updateControls();

public slots:
    void clickedRunStandard(bool checked);
    void clickedObjUnchanged(bool checked);

private:
    std::unique_ptr<Ui_CKvStandardViolationMessage> m_ui;
    // Opposite values once the user has clicked either radio button.
    bool m_runVerification = false;
    bool m_keepUnchanged = true;
};

#endif  // KV_CKV_STANDARD_VIOLATION_MESSAGE_H

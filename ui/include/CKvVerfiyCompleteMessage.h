// CKvVerfiyCompleteMessage: the summary at the end of a verification pass, with the number of
// violations found, fixed automatically, fixed manually and ignored. A count whose setter was
// never called shows the form's placeholder. The dialog offers Close only; its result means
// nothing.
#ifndef KV_CKV_VERFIY_COMPLETE_MESSAGE_H
#define KV_CKV_VERFIY_COMPLETE_MESSAGE_H

#include <CKvDialog.h>

#include <QString>

#include <memory>

class Ui_CKvVerfiyCompleteMessage;

class CKvVerfiyCompleteMessage : public CKvDialog
{
    Q_OBJECT

public:
    explicit CKvVerfiyCompleteMessage(QWidget* parent = nullptr);
    ~CKvVerfiyCompleteMessage() override;

    int GetHelpId() const override;
    void setViolation(int count);
    void setFixed(int count);
    void setManualFixed(int count);
    void setIgnored(int count);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Shows every count that has been set.
    void updateControls();

    std::unique_ptr<Ui_CKvVerfiyCompleteMessage> m_ui;
    // Decimal text of each count; empty until set.
    QString m_violations;
    QString m_fixed;
    QString m_manualFixed;
    QString m_ignored;
};

#endif  // KV_CKV_VERFIY_COMPLETE_MESSAGE_H

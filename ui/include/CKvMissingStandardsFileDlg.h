// CKvMissingStandardsFileDlg: stops standards verification when one or more of the drawing's
// standards files cannot be found. It offers to open the host's standards configuration through a
// check box, which starts checked. exec() gives 1 for OK and 0 for Cancel or closing, whatever the
// check box says; the caller reads the check box with IsRunStdsDlgChecked() afterwards.
#ifndef KV_CKV_MISSING_STANDARDS_FILE_DLG_H
#define KV_CKV_MISSING_STANDARDS_FILE_DLG_H

#include <CKvDialog.h>

#include <memory>

class Ui_CKvMissingStandardsFileDlg;

class CKvMissingStandardsFileDlg : public CKvDialog
{
    Q_OBJECT

public:
    explicit CKvMissingStandardsFileDlg(QWidget* parent = nullptr);
    ~CKvMissingStandardsFileDlg() override;

    int GetHelpId() const override;
    bool IsRunStdsDlgChecked() const;

public slots:
    void clickedRunStds(bool checked);

private:
    std::unique_ptr<Ui_CKvMissingStandardsFileDlg> m_ui;
};

#endif  // KV_CKV_MISSING_STANDARDS_FILE_DLG_H

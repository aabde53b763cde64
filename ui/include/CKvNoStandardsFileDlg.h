// CKvNoStandardsFileDlg: stops standards verification when the drawing has no standards file
// associated. It offers to open the host's standards configuration through a check box, which
// starts checked. exec() gives 1 for OK and 0 for Cancel or closing, whatever the check box says;
// the caller reads the check box with IsRunStdsDlgChecked() afterwards.
#ifndef KV_CKV_NO_STANDARDS_FILE_DLG_H
#define KV_CKV_NO_STANDARDS_FILE_DLG_H

#include <CKvDialog.h>

#include <memory>

class Ui_CKvNoStandardsFileDlg;

class CKvNoStandardsFileDlg : public CKvDialog
{
    Q_OBJECT

public:
    explicit CKvNoStandardsFileDlg(QWidget* parent = nullptr);
    ~CKvNoStandardsFileDlg() override;

    int GetHelpId() const override;
    bool IsRunStdsDlgChecked() const;

public slots:
    void clickedRunStds(bool checked);

private:
    std::unique_ptr<Ui_CKvNoStandardsFileDlg> m_ui;
};

#endif  // KV_CKV_NO_STANDARDS_FILE_DLG_H

// CKvNoDwgCategoriesSelectedDlg: stops standards verification when no drawing category is checked.
// It offers to open the host's standards configuration through a check box, which starts checked.
// exec() gives 1 for OK and 0 for Cancel or closing, whatever the check box says; the caller reads
// the check box with IsRunDwgCategoriesChecked() afterwards.
#ifndef KV_CKV_NO_DWG_CATEGORIES_SELECTED_DLG_H
#define KV_CKV_NO_DWG_CATEGORIES_SELECTED_DLG_H

#include <CKvDialog.h>

#include <memory>

class Ui_CKvNoDwgCategoriesSelectedDlg;

class CKvNoDwgCategoriesSelectedDlg : public CKvDialog
{
    Q_OBJECT

public:
    explicit CKvNoDwgCategoriesSelectedDlg(QWidget* parent = nullptr);
    ~CKvNoDwgCategoriesSelectedDlg() override;

    int GetHelpId() const override;
    bool IsRunDwgCategoriesChecked() const;

public slots:
    void clickedRunDwgCategories(bool checked);

private:
    std::unique_ptr<Ui_CKvNoDwgCategoriesSelectedDlg> m_ui;
};

#endif  // KV_CKV_NO_DWG_CATEGORIES_SELECTED_DLG_H

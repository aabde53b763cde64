#include "CKvNoDwgCategoriesSelectedDlg.h"

#include "DialogDecoration.h"
#include "ui_CKvNoDwgCategoriesSelectedDlg.h"

CKvNoDwgCategoriesSelectedDlg::CKvNoDwgCategoriesSelectedDlg(QWidget* parent)
    : CKvDialog(parent, KvDialogDecoration::kMessageDialogFlags)
    , m_ui(std::make_unique<Ui_CKvNoDwgCategoriesSelectedDlg>())
{
    m_ui->setupUi(this);
    setWindowTitle(KvDialogDecoration::hostApplicationName());
    m_ui->label_4->setPixmap(
        KvDialogDecoration::standardIconPixmap(*this, QStyle::SP_MessageBoxWarning));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this,
            &CKvNoDwgCategoriesSelectedDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this,
            &CKvNoDwgCategoriesSelectedDlg::reject);
    connect(m_ui->RunDwgCategoryChkBox, &QCheckBox::clicked, this,
            &CKvNoDwgCategoriesSelectedDlg::clickedRunDwgCategories);
}

CKvNoDwgCategoriesSelectedDlg::~CKvNoDwgCategoriesSelectedDlg() = default;

int CKvNoDwgCategoriesSelectedDlg::GetHelpId() const
{
    return 3071;
}

bool CKvNoDwgCategoriesSelectedDlg::IsRunDwgCategoriesChecked() const
{
    return m_ui->RunDwgCategoryChkBox->isChecked();
}

void CKvNoDwgCategoriesSelectedDlg::clickedRunDwgCategories(bool checked)
{
    m_ui->RunDwgCategoryChkBox->setChecked(checked);
}

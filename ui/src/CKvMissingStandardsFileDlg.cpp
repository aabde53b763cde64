#include "CKvMissingStandardsFileDlg.h"

#include "DialogDecoration.h"
#include "ui_CKvMissingStandardsFileDlg.h"

CKvMissingStandardsFileDlg::CKvMissingStandardsFileDlg(QWidget* parent)
    : CKvDialog(parent, KvDialogDecoration::kMessageDialogFlags)
    , m_ui(std::make_unique<Ui_CKvMissingStandardsFileDlg>())
{
    m_ui->setupUi(this);
    setWindowTitle(KvDialogDecoration::hostApplicationName());
    m_ui->label_4->setPixmap(
        KvDialogDecoration::standardIconPixmap(*this, QStyle::SP_MessageBoxWarning));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this,
            &CKvMissingStandardsFileDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this,
            &CKvMissingStandardsFileDlg::reject);
    connect(m_ui->RunStdFileAssocChkBox, &QCheckBox::clicked, this,
            &CKvMissingStandardsFileDlg::clickedRunStds);
}

CKvMissingStandardsFileDlg::~CKvMissingStandardsFileDlg() = default;

int CKvMissingStandardsFileDlg::GetHelpId() const
{
    return 3072;
}

bool CKvMissingStandardsFileDlg::IsRunStdsDlgChecked() const
{
    return m_ui->RunStdFileAssocChkBox->isChecked();
}

void CKvMissingStandardsFileDlg::clickedRunStds(bool checked)
{
    m_ui->RunStdFileAssocChkBox->setChecked(checked);
}

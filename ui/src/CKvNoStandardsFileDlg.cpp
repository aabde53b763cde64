#include "CKvNoStandardsFileDlg.h"

#include "DialogDecoration.h"
#include "ui_CKvNoStandardsFileDlg.h"

CKvNoStandardsFileDlg::CKvNoStandardsFileDlg(QWidget* parent)
    : CKvDialog(parent, KvDialogDecoration::kMessageDialogFlags)
    , m_ui(std::make_unique<Ui_CKvNoStandardsFileDlg>())
{
    m_ui->setupUi(this);
    setWindowTitle(KvDialogDecoration::hostApplicationName());
    m_ui->label_4->setPixmap(
        KvDialogDecoration::standardIconPixmap(*this, QStyle::SP_MessageBoxWarning));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CKvNoStandardsFileDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CKvNoStandardsFileDlg::reject);
    connect(m_ui->RunStdFileAssocChkBox, &QCheckBox::clicked, this,
            &CKvNoStandardsFileDlg::clickedRunStds);
}

CKvNoStandardsFileDlg::~CKvNoStandardsFileDlg() = default;

int CKvNoStandardsFileDlg::GetHelpId() const
{
    return 3072;
}

bool CKvNoStandardsFileDlg::IsRunStdsDlgChecked() const
{
    return m_ui->RunStdFileAssocChkBox->isChecked();
}

void CKvNoStandardsFileDlg::clickedRunStds(bool checked)
{
    m_ui->RunStdFileAssocChkBox->setChecked(checked);
}

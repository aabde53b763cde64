#include "CKvStandardViolationMessage.h"

#include "DialogDecoration.h"
#include "ui_CKvStandardViolationMessage.h"

#include <algorithm>

CKvStandardViolationMessage::CKvStandardViolationMessage(QWidget* parent)
    : CKvDialog(parent, KvDialogDecoration::kMessageDialogFlags)
    , m_ui(std::make_unique<Ui_CKvStandardViolationMessage>())
{
    m_ui->setupUi(this);
    setWindowTitle(KvDialogDecoration::hostApplicationName());
    m_ui->label_4->setPixmap(
        KvDialogDecoration::standardIconPixmap(*this, QStyle::SP_MessageBoxWarning));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this,
            &CKvStandardViolationMessage::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this,
            &CKvStandardViolationMessage::reject);
    connect(m_ui->runStdVerification, &QRadioButton::clicked, this,
            &CKvStandardViolationMessage::clickedRunStandard);
    connect(m_ui->keepObjUnchanged, &QRadioButton::clicked, this,
            &CKvStandardViolationMessage::clickedObjUnchanged);
    updateControls();
    // The message wraps: the dialog opens as high as its lines need at the form's width (or the
    // least width its other texts need).
    const int openingWidth = std::max(width(), minimumSizeHint().width());
    resize(openingWidth, heightForWidth(openingWidth));
}

CKvStandardViolationMessage::~CKvStandardViolationMessage() = default;

int CKvStandardViolationMessage::GetHelpId() const
{
    return 3072;
}

bool CKvStandardViolationMessage::runStandardDlg() const
{
    return m_runVerification;
}

void CKvStandardViolationMessage::updateControls()
{
    // The buttons are exclusive: the one to check is checked first, which releases the other.
    const bool run = m_runVerification || !m_keepUnchanged;
    QRadioButton* chosen = run ? m_ui->runStdVerification : m_ui->keepObjUnchanged;
    QRadioButton* other = run ? m_ui->keepObjUnchanged : m_ui->runStdVerification;
    chosen->setChecked(true);
    other->setChecked(false);
}

void CKvStandardViolationMessage::clickedRunStandard(bool checked)
{
    m_runVerification = checked;
    m_keepUnchanged = !checked;
    updateControls();
}

void CKvStandardViolationMessage::clickedObjUnchanged(bool checked)
{
    m_keepUnchanged = checked;
    m_runVerification = !checked;
    updateControls();
}

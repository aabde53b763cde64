#include "CKvVerfiyCompleteMessage.h"

#include "DialogDecoration.h"
#include "ui_CKvVerfiyCompleteMessage.h"

namespace {

QString countText(int count)
{
    return QStringLiteral("%1").arg(count);
}

void showIfSet(QLabel* label, const QString& text)
{
    if (!text.isEmpty()) {
        label->setText(text);
    }
}

}  // namespace

CKvVerfiyCompleteMessage::CKvVerfiyCompleteMessage(QWidget* parent)
    : CKvDialog(parent, KvDialogDecoration::kMessageDialogFlags)
    , m_ui(std::make_unique<Ui_CKvVerfiyCompleteMessage>())
{
    m_ui->setupUi(this);
    m_ui->label_4->setPixmap(
        KvDialogDecoration::standardIconPixmap(*this, QStyle::SP_MessageBoxInformation));
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CKvVerfiyCompleteMessage::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CKvVerfiyCompleteMessage::reject);
}

CKvVerfiyCompleteMessage::~CKvVerfiyCompleteMessage() = default;

int CKvVerfiyCompleteMessage::GetHelpId() const
{
    return 3072;
}

void CKvVerfiyCompleteMessage::setViolation(int count)
{
    m_violations = countText(count);
    updateControls();
}

void CKvVerfiyCompleteMessage::setFixed(int count)
{
    m_fixed = countText(count);
    updateControls();
}

void CKvVerfiyCompleteMessage::setManualFixed(int count)
{
    m_manualFixed = countText(count);
    updateControls();
}

void CKvVerfiyCompleteMessage::setIgnored(int count)
{
    m_ignored = countText(count);
    updateControls();
}

void CKvVerfiyCompleteMessage::paintEvent(QPaintEvent* event)
{
    // The summary draws nothing of its own: the plain widget's painting, not the dialog's.
    QWidget::paintEvent(event);
}

void CKvVerfiyCompleteMessage::updateControls()
{
    showIfSet(m_ui->num_violations, m_violations);
    showIfSet(m_ui->num_autoFix, m_fixed);
    showIfSet(m_ui->num_manualFix, m_manualFixed);
    showIfSet(m_ui->num_Ignored, m_ignored);
}

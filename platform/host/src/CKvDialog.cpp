#include <CKvDialog.h>
#include <CKvHelp.h>

CKvDialog::CKvDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

CKvDialog::~CKvDialog() = default;

int CKvDialog::exec()
{
    return QDialog::exec() == QDialog::Accepted ? 1 : 0;
}

int CKvDialog::GetHelpId() const
{
    return 0;
}

void CKvDialog::Help()
{
    CKvHelp::showTopic(GetHelpId());
}

#include <CKvQtDialogButtonBox.h>

CKvQtDialogButtonBox::CKvQtDialogButtonBox(QWidget* parent) : QDialogButtonBox(parent) {}

CKvQtDialogButtonBox::CKvQtDialogButtonBox(QDialogButtonBox::StandardButtons buttons,
                                           QWidget* parent)
    : QDialogButtonBox(buttons, parent)
{}

CKvQtDialogButtonBox::~CKvQtDialogButtonBox() = default;

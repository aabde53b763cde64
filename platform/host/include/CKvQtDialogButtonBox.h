// CKvQtDialogButtonBox: the host's dialog button box, a QDialogButtonBox with the platform's
// standard buttons. The dialog connects its signals (accepted, rejected, helpRequested) itself.
#ifndef KV_CKV_QT_DIALOG_BUTTON_BOX_H
#define KV_CKV_QT_DIALOG_BUTTON_BOX_H

#include <QDialogButtonBox>

class CKvQtDialogButtonBox : public QDialogButtonBox
{
    Q_OBJECT

public:
    explicit CKvQtDialogButtonBox(QWidget* parent = nullptr);
    explicit CKvQtDialogButtonBox(QDialogButtonBox::StandardButtons buttons,
                                  QWidget* parent = nullptr);
    ~CKvQtDialogButtonBox() override;
};

#endif  // KV_CKV_QT_DIALOG_BUTTON_BOX_H

// CKvDialog: the base of the host's and the modules' dialogs. exec() returns 1 when the dialog
// was accepted and 0 otherwise (rejected, closed, or ended with any other code); Help() shows the
// topic of GetHelpId() (0: none).
#ifndef KV_CKV_DIALOG_H
#define KV_CKV_DIALOG_H

#include <QDialog>

class CKvDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CKvDialog(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CKvDialog() override;

    int exec() override;
    virtual int GetHelpId() const;

public slots:
    void Help();
};

#endif  // KV_CKV_DIALOG_H

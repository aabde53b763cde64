// CKvMessageBox: the host's message boxes. Every message box of the host and its modules goes
// through here so that tests can answer them: answers put into the script are taken one per box,
// in order, and the box returns that answer without being shown (the box is still recorded in
// takeShown()). With the script empty the box is shown modally.
#ifndef KV_CKV_MESSAGE_BOX_H
#define KV_CKV_MESSAGE_BOX_H

#include <QMessageBox>
#include <QString>

#include <vector>

class CKvMessageBox
{
public:
    static QMessageBox::StandardButton warning(
        QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

    // The test seam. An answer is returned as given, even when the box does not offer it.
    struct Shown
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };
    static void scriptAnswer(QMessageBox::StandardButton answer);
    static int scriptedAnswersLeft();
    static void clearScript();
    // The boxes answered from the script since the last call, oldest first.
    static std::vector<Shown> takeShown();
};

#endif  // KV_CKV_MESSAGE_BOX_H

// Checks of what a widget shows, shared by the dialog, host and desktop tests: texts cut by their
// widgets, texts left untranslated, and pictures of widgets saved for people to look at; and the
// clicks and answers that end dialogs.
#ifndef KV_WIDGET_CHECKS_H
#define KV_WIDGET_CHECKS_H

#include <QDialogButtonBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <deque>
#include <functional>

class QDialog;
class QWidget;

// Clicks the standard button of the dialog's button box; a dialog still up then (the button
// missing, or not ending it) is ended with -1, so that a fault fails the test instead of hanging
// it.
void clickButton(QDialog& dialog, QDialogButtonBox::StandardButton which);
// Answers the modal dialogs that open while it lives, each with the next answer given (once the
// dialog shows what it opened with), those beyond them with `otherwise` (none: rejected). Lists
// the class of each dialog in the order they opened.
class DialogAnswers : public QObject
{
public:
    using Answer = std::function<void(QDialog&)>;
    explicit DialogAnswers(Answer otherwise = {});
    ~DialogAnswers() override;
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    DialogAnswers& then(Answer answer);
    QStringList shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::deque<Answer> m_answers;
    Answer m_otherwise;
};
// Clicks the button of that object name under root, if there is one.
void clickNamed(const QWidget& root, const char* objectName);

// The visible labels, buttons and table headers under root (root included) whose text does not
// fit: a label narrower than its text (or, wrapped, lower than its lines), a button narrower than
// its caption, a header section narrower than its title. Each entry is "objectName: text".
QStringList cutTexts(const QWidget& root);

// Saves a picture of the widget as name.png in the build folder's screenshots folder; returns the
// file's path, empty when it could not be written.
QString saveScreenshot(QWidget& widget, const QString& name);

// Installed for its lifetime: translates every text of one context to "{context}" + the text, and
// leaves the other contexts alone.
class ContextMarker : public QTranslator
{
public:
    explicit ContextMarker(const char* context);
    ~ContextMarker() override;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    QString marked(const QString& text) const;

private:
    QString m_context;
};

// The texts under root (its window title, labels, buttons other than a button box's standard
// ones, tabs, table and tree headers with their tool tips) that do not carry the marker, except
// those of the widgets named in `data` (which show the user's data). Each entry is
// "objectName: text".
QStringList untranslatedTexts(const QWidget& root, const ContextMarker& marker,
                              const QStringList& data = {});

#endif  // KV_WIDGET_CHECKS_H

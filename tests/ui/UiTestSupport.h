// Helpers shared by the dialog tests: ending a modal run from inside its event loop, the icons the
// dialogs should show, the host's services, a translator that marks one context, and the check
// that a test left no top-level widget behind.
#ifndef KV_UI_TEST_SUPPORT_H
#define KV_UI_TEST_SUPPORT_H

#include <CKvSystemServices.h>

#include <QImage>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QTranslator>

#include <functional>

class QDialog;
class QWidget;

// How a modal run is ended once the dialog is up.
enum class Ending { ClickOk, ClickCancel, ClickClose, CloseWindow, PressEscape, PressEnter };
Q_DECLARE_METATYPE(Ending)

// Ends the next modal run of dialog the given way, from inside the run's event loop, after doing
// what the user does first (clicking a check box).
void endWhenShown(
    QDialog& dialog, Ending ending, std::function<void(QDialog&)> first = [](QDialog&) {});

// The style's standard icon as the dialogs draw it in label_4 (a transparent 50 pixel square).
QImage expectedIcon(const QWidget& widget, QStyle::StandardPixmap icon);
// The image of the pixmap the label shows; null without a pixmap.
QImage labelImage(const QWidget& dialog, const char* labelName);

// Shows the dialog at the size it opens with and checks that the icon keeps its square right
// beside the message and that no text is cut; saves a picture of it under the picture's name.
void checkIconBesideWholeMessage(QDialog& dialog, const char* messageLabel, const QString& picture);

// The names of the top-level widgets that still exist.
QStringList leftOverTopLevelWidgets();

// The host's services, installed for the scope's lifetime.
class HostServicesScope
{
public:
    HostServicesScope();
    ~HostServicesScope();
    HostServicesScope(const HostServicesScope&) = delete;
    HostServicesScope& operator=(const HostServicesScope&) = delete;

private:
    CKvSystemServices m_services;
};

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

// The widget texts named by object names that do not carry the marker of the dialog's context;
// each entry is "objectName: text".
QStringList unmarkedTexts(const QWidget& dialog, const ContextMarker& marker,
                          const QStringList& objectNames);

// The test classes, one per dialog; each returns QTest::qExec's result.
int runTestMissingStandardsFileDlg(int argc, char** argv);
int runTestNoStandardsFileDlg(int argc, char** argv);
int runTestNoDwgCategoriesSelectedDlg(int argc, char** argv);
int runTestStandardViolationMessage(int argc, char** argv);
int runTestVerfiyCompleteMessage(int argc, char** argv);
int runTestVerifyStandards(int argc, char** argv);
int runTestVerifyStandardsWalk(int argc, char** argv);

#endif  // KV_UI_TEST_SUPPORT_H

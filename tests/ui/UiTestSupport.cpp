#include "UiTestSupport.h"

#include "WidgetChecks.h"

#include <CKvString.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

void clickButton(QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>("buttonBox");
    QAbstractButton* button = box ? box->button(which) : nullptr;
    if (!button) {
        // Leave the run anyway so that a missing button fails the test instead of hanging it.
        dialog.done(-1);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

void endWhenShown(QDialog& dialog, Ending ending, std::function<void(QDialog&)> first)
{
    QTimer::singleShot(0, &dialog, [&dialog, ending, first] {
        first(dialog);
        switch (ending) {
            case Ending::ClickOk:
                clickButton(dialog, QDialogButtonBox::Ok);
                break;
            case Ending::ClickCancel:
                clickButton(dialog, QDialogButtonBox::Cancel);
                break;
            case Ending::ClickClose:
                clickButton(dialog, QDialogButtonBox::Close);
                break;
            case Ending::CloseWindow:
                dialog.close();
                break;
            case Ending::PressEscape:
                QTest::keyClick(&dialog, Qt::Key_Escape);
                break;
            case Ending::PressEnter:
                QTest::keyClick(&dialog, Qt::Key_Return);
                break;
        }
        if (dialog.isVisible()) {
            dialog.done(-1);
        }
    });
}

QImage expectedIcon(const QWidget& widget, QStyle::StandardPixmap icon)
{
    QPixmap pixmap(50, 50);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    widget.style()->standardIcon(icon, nullptr, &widget).paint(&painter, pixmap.rect());
    painter.end();
    return pixmap.toImage();
}

QImage labelImage(const QWidget& dialog, const char* labelName)
{
    const auto* label = dialog.findChild<QLabel*>(labelName);
    return label ? label->pixmap(Qt::ReturnByValue).toImage() : QImage();
}

void checkIconBesideWholeMessage(QDialog& dialog, const char* messageLabel, const QString& picture)
{
    dialog.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    saveScreenshot(dialog, picture);
    const QWidget* icon = dialog.findChild<QLabel*>("label_4");
    const QWidget* message = dialog.findChild<QLabel*>(messageLabel);
    QVERIFY(icon && message);
    QCOMPARE(icon->size(), QSize(50, 50));
    // The layout's spacing between the two, not a column stretched wider than the icon.
    const int gap = message->x() - (icon->x() + icon->width());
    QVERIFY2(gap <= 2 * dialog.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing),
             qPrintable(QStringLiteral("%1 pixels between icon and message").arg(gap)));
    const QStringList cut = cutTexts(dialog);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(", ")));
    dialog.close();
}

QStringList leftOverTopLevelWidgets()
{
    QStringList names;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        names << QString::fromLatin1(widget->metaObject()->className()) + ' ' +
                     widget->objectName();
    }
    return names;
}

HostServicesScope::HostServicesScope() : m_services(CKvString())
{
    SetKvSystemServices(&m_services);
}

HostServicesScope::~HostServicesScope()
{
    SetKvSystemServices(nullptr);
}

ContextMarker::ContextMarker(const char* context) : m_context(QString::fromLatin1(context))
{
    QCoreApplication::installTranslator(this);
}

ContextMarker::~ContextMarker()
{
    QCoreApplication::removeTranslator(this);
}

QString ContextMarker::translate(const char* context, const char* sourceText, const char*,
                                 int) const
{
    if (m_context != QLatin1String(context)) {
        return QString();
    }
    return marked(QString::fromUtf8(sourceText));
}

QString ContextMarker::marked(const QString& text) const
{
    return '{' + m_context + '}' + text;
}

QStringList unmarkedTexts(const QWidget& dialog, const ContextMarker& marker,
                          const QStringList& objectNames)
{
    QStringList unmarked;
    for (const QString& name : objectNames) {
        const QWidget* widget = dialog.findChild<QWidget*>(name);
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            text = label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            text = button->text();
        }
        if (!widget || !text.startsWith(marker.marked(QString()))) {
            unmarked << name + ": " + text;
        }
    }
    return unmarked;
}

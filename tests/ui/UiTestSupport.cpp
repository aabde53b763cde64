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

namespace {

// The style's standard icon as the dialogs draw it (a transparent 50 pixel square).
QImage iconImage(const QWidget& widget, QStyle::StandardPixmap icon)
{
    QPixmap pixmap(50, 50);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    widget.style()->standardIcon(icon, nullptr, &widget).paint(&painter, pixmap.rect());
    painter.end();
    return pixmap.toImage();
}

}  // namespace

void checkIconBesideWholeMessage(QDialog& dialog, const char* messageLabel,
                                 QStyle::StandardPixmap icon, const QString& picture)
{
    dialog.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    saveScreenshot(dialog, picture);
    const auto* iconLabel = dialog.findChild<QLabel*>("label_4");
    const QWidget* message = dialog.findChild<QLabel*>(messageLabel);
    QVERIFY(iconLabel && message);
    QCOMPARE(iconLabel->pixmap(Qt::ReturnByValue).toImage(), iconImage(dialog, icon));
    QCOMPARE(iconLabel->text(), QString());
    QCOMPARE(iconLabel->size(), QSize(50, 50));
    // The layout's spacing between the two, not a column stretched wider than the icon.
    const int gap = message->x() - (iconLabel->x() + iconLabel->width());
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

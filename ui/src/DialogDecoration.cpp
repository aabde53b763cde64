#include "DialogDecoration.h"

#include <CKvString.h>
#include <CKvSystemServices.h>

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace KvDialogDecoration {

namespace {

// Built on every use, so that the file follows XDG_CONFIG_HOME (QSettings' own user folder is
// fixed for the life of the process).
QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kvcad/KvStandards.conf");
}

QString sizeKey(const QString& dialogName)
{
    return dialogName + QStringLiteral("/size");
}

}  // namespace

QString hostApplicationName()
{
    const CKvSystemServices* services = GetKvSystemServices();
    if (!services) {
        return QGuiApplication::applicationDisplayName();
    }
    return services->applicationName().toQString();
}

QPixmap standardIconPixmap(const QWidget& widget, QStyle::StandardPixmap icon)
{
    // Drawn rather than taken from the icon at the nearest size, so that every style gives the
    // full square whatever sizes its icons come in.
    QPixmap pixmap(kIconSide, kIconSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    widget.style()->standardIcon(icon, nullptr, &widget).paint(&painter, pixmap.rect());
    return pixmap;
}

QSize rememberedSize(const QString& dialogName)
{
    return QSettings(settingsFile(), QSettings::IniFormat).value(sizeKey(dialogName)).toSize();
}

void rememberSize(const QString& dialogName, const QSize& size)
{
    QSettings(settingsFile(), QSettings::IniFormat).setValue(sizeKey(dialogName), size);
}

}  // namespace KvDialogDecoration

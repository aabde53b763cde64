#include "DialogDecoration.h"

#include <CKvString.h>
#include <CKvSystemServices.h>

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QWidget>

namespace KvDialogDecoration {

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

}  // namespace KvDialogDecoration

// What the module's message dialogs share: the host application's name as their title and the
// style's standard icons at the size the forms reserve for them.
#ifndef KV_DIALOG_DECORATION_H
#define KV_DIALOG_DECORATION_H

#include <QPixmap>
#include <QString>
#include <QStyle>
#include <Qt>

class QWidget;

namespace KvDialogDecoration {

// Title bar, system menu and close button: no minimise, maximise or context help.
constexpr Qt::WindowFlags kMessageDialogFlags =
    Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The side of the square icon the forms show in label_4.
constexpr int kIconSide = 50;

// The host application's name from its services; the Qt application's display name while no
// services are installed.
QString hostApplicationName();

// The widget's current style's standard icon drawn on a transparent kIconSide square.
QPixmap standardIconPixmap(const QWidget& widget, QStyle::StandardPixmap icon);

}  // namespace KvDialogDecoration

#endif  // KV_DIALOG_DECORATION_H

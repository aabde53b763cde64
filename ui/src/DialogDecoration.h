// What the module's dialogs share: the host application's name as their title, the style's
// standard icons at the size the forms reserve for them, and the sizes users gave them.
#ifndef KV_DIALOG_DECORATION_H
#define KV_DIALOG_DECORATION_H

#include <QPixmap>
#include <QSize>
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

// The size the user last gave the dialog of that name, kept per user in the module's own file
// beside the host's settings ($XDG_CONFIG_HOME/kvcad/KvStandards.conf); invalid when none was
// kept.
QSize rememberedSize(const QString& dialogName);
void rememberSize(const QString& dialogName, const QSize& size);

}  // namespace KvDialogDecoration

#endif  // KV_DIALOG_DECORATION_H

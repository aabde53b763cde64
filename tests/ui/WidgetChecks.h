// Checks of what a shown widget looks like, shared by the dialog tests and the desktop tests:
// texts cut by their widgets, and pictures of widgets saved for people to look at.
#ifndef KV_WIDGET_CHECKS_H
#define KV_WIDGET_CHECKS_H

#include <QString>
#include <QStringList>

class QWidget;

// The visible labels, buttons and table headers under root (root included) whose text does not
// fit: a label narrower than its text (or, wrapped, lower than its lines), a button narrower than
// its caption, a header section narrower than its title. Each entry is "objectName: text".
QStringList cutTexts(const QWidget& root);

// Saves a picture of the widget as name.png in the build folder's screenshots folder; returns the
// file's path, empty when it could not be written.
QString saveScreenshot(QWidget& widget, const QString& name);

#endif  // KV_WIDGET_CHECKS_H

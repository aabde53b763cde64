#include "WidgetChecks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

namespace {

QString entry(const QWidget& widget, const QString& text)
{
    return widget.objectName() + ": " + text;
}

bool labelIsCut(const QLabel& label)
{
    if (label.wordWrap()) {
        return label.height() < label.heightForWidth(label.width());
    }
    return label.width() < label.sizeHint().width();
}

void addCutHeaderTitles(const QHeaderView& header, QStringList& cut)
{
    const QAbstractItemModel* model = header.model();
    if (!model || header.isHidden()) {
        return;
    }
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int section = 0; section < header.count(); ++section) {
        const QString title = model->headerData(section, header.orientation()).toString();
        const int needed = QFontMetrics(header.font()).horizontalAdvance(title) + 2 * margin;
        if (!title.isEmpty() && !header.isSectionHidden(section) &&
            header.sectionSize(section) < needed) {
            cut << entry(header, title);
        }
    }
}

}  // namespace

QStringList cutTexts(const QWidget& root)
{
    QList<const QWidget*> widgets{&root};
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        widgets << child;
    }
    QStringList cut;
    for (const QWidget* widget : widgets) {
        if (!widget->isVisible()) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (!label->text().isEmpty() && labelIsCut(*label)) {
                cut << entry(*label, label->text());
            }
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (!button->text().isEmpty() && button->width() < button->sizeHint().width()) {
                cut << entry(*button, button->text());
            }
        } else if (const auto* header = qobject_cast<const QHeaderView*>(widget)) {
            if (header->orientation() == Qt::Horizontal) {
                addCutHeaderTitles(*header, cut);
            }
        }
    }
    return cut;
}

QString saveScreenshot(QWidget& widget, const QString& name)
{
    const QDir folder(QStringLiteral(KV_SCREENSHOT_DIR));
    if (!folder.mkpath(QStringLiteral("."))) {
        return QString();
    }
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    return widget.grab().save(path) ? path : QString();
}

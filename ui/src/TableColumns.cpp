#include "TableColumns.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableWidget>

namespace KvTableColumns {

namespace {

// The room a cell's text needs: the text, the margins the style keeps on both sides and the icon.
int neededWidth(const QTableWidget& table, const QTableWidgetItem& item)
{
    const int margin =
        table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1;
    int width = QFontMetrics(item.font()).horizontalAdvance(item.text()) + 2 * margin;
    if (!item.icon().isNull()) {
        width += table.iconSize().width() + margin;
    }
    return width;
}

}  // namespace

void setUp(QTableWidget& table)
{
    table.horizontalHeader()->setStretchLastSection(true);
    QObject::connect(table.horizontalHeader(), &QHeaderView::sectionResized, &table,
                     [&table] { updateCutCellToolTips(table); });
}

void fitToContents(QTableWidget& table, int firstColumn)
{
    for (int column = firstColumn; column < table.columnCount(); ++column) {
        table.resizeColumnToContents(column);
    }
    updateCutCellToolTips(table);
}

void updateCutCellToolTips(QTableWidget& table)
{
    const QHeaderView* header = table.horizontalHeader();
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < table.columnCount(); ++column) {
            QTableWidgetItem* item = table.item(row, column);
            if (!item || item->text().isEmpty()) {
                continue;
            }
            const bool cut = neededWidth(table, *item) > header->sectionSize(column);
            item->setToolTip(cut ? item->text() : QString());
        }
    }
}

}  // namespace KvTableColumns

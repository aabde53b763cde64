// How the Verify Standards dialog's tables use their width: columns as wide as their contents,
// the last one taking what is left, and the full text as the tool tip of every cell too narrow to
// show it.
#ifndef KV_TABLE_COLUMNS_H
#define KV_TABLE_COLUMNS_H

class QTableWidget;

namespace KvTableColumns {

// Stretches the last column and keeps the cut-cell tool tips right whenever a column is resized.
void setUp(QTableWidget& table);

// Sizes the columns from `firstColumn` on to their contents and headers (the last one still
// stretches), then updates the tool tips.
void fitToContents(QTableWidget& table, int firstColumn);

// Gives each cell whose text does not fit its column the text as tool tip, and takes it from the
// others.
void updateCutCellToolTips(QTableWidget& table);

}  // namespace KvTableColumns

#endif  // KV_TABLE_COLUMNS_H

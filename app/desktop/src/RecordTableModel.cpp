#include "RecordTableModel.h"

#include <CKvString.h>
#include <DbSymbolTable.h>

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QIcon>
#include <QStyle>

namespace {

// Rows of records that violate the standards are tinted; ignored ones are greyed.
const QColor kViolationTint(255, 224, 218);
const QColor kIgnoredTint(232, 232, 232);

}  // namespace

RecordTableModel::RecordTableModel(const RecordKind& kind, const ViolationMarks& marks,
                                   RunCommand run, QObject* parent)
    : QAbstractTableModel(parent), m_kind(kind), m_marks(marks), m_run(std::move(run))
{}

void RecordTableModel::setDrawing(OdDbDatabase* db)
{
    m_db = db;
    reload();
}

void RecordTableModel::reload()
{
    beginResetModel();
    m_ids.clear();
    m_rows.clear();
    if (m_db) {
        const OdDbSymbolTablePtr table =
            OdDbSymbolTable::cast((m_db->*m_kind.tableId)().safeOpenObject().get());
        for (OdDbSymbolTableIteratorPtr it = table->newIterator(); !it->done(); it->step()) {
            m_rows[it->getRecordId()] = static_cast<int>(m_ids.size());
            m_ids.push_back(it->getRecordId());
        }
    }
    endResetModel();
}

void RecordTableModel::recordsChanged(const std::set<OdDbObjectId>& ids)
{
    for (const OdDbObjectId& id : ids) {
        const int row = rowOf(id);
        if (row >= 0) {
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
    }
}

void RecordTableModel::marksChanged()
{
    if (!m_ids.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

OdDbObjectId RecordTableModel::idAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_ids[static_cast<size_t>(row)] : OdDbObjectId();
}

int RecordTableModel::rowOf(const OdDbObjectId& id) const
{
    const auto found = m_rows.find(id);
    return found == m_rows.end() ? -1 : found->second;
}

QString RecordTableModel::nameAt(int row) const
{
    const OdDbSymbolTableRecordPtr record =
        OdDbSymbolTableRecord::cast(idAt(row).openObject().get());
    return record.isNull() ? QString() : CKvString(record->getName()).toQString();
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_ids.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstPropertyColumn + static_cast<int>(m_kind.properties.size());
}

const RecordProperty* RecordTableModel::propertyAt(int column) const
{
    const int at = column - FirstPropertyColumn;
    return at >= 0 && at < static_cast<int>(m_kind.properties.size())
               ? &m_kind.properties[static_cast<size_t>(at)]
               : nullptr;
}

QVariant RecordTableModel::standardsData(const OdDbObjectId& id, int role) const
{
    const ViolationMarks::Mark* mark = m_marks.markOf(id);
    if (!mark) {
        return QVariant();
    }
    switch (role) {
        case Qt::DisplayRole:
            return mark->ignored ? tr("Ignored") : tr("Non-standard");
        case Qt::DecorationRole:
            return QApplication::style()->standardIcon(
                mark->ignored ? QStyle::SP_MessageBoxInformation : QStyle::SP_MessageBoxWarning);
        case Qt::ToolTipRole: {
            QStringList lines = mark->descriptions;
            if (mark->ignored) {
                lines << tr("Ignored by %1").arg(mark->ignoredBy);
            }
            return lines.join(QLatin1Char('\n'));
        }
        default:
            return QVariant();
    }
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    const OdDbObjectId id = idAt(index.row());
    if (!index.isValid() || id.isNull()) {
        return QVariant();
    }
    if (role == Qt::BackgroundRole) {
        const ViolationMarks::Mark* mark = m_marks.markOf(id);
        return mark ? QBrush(mark->ignored ? kIgnoredTint : kViolationTint) : QVariant();
    }
    if (index.column() == StandardsColumn) {
        return standardsData(id, role);
    }
    const OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(id.openObject().get());
    if (record.isNull()) {
        return QVariant();
    }
    if (index.column() == NameColumn) {
        const bool shown = role == Qt::DisplayRole || role == Qt::EditRole;
        return shown ? CKvString(record->getName()).toQString() : QVariant();
    }
    const RecordProperty* property = propertyAt(index.column());
    if (!property) {
        return QVariant();
    }
    const QString text = property->text(*record);
    if (property->isSwitch) {
        const bool on = text == QLatin1String("1");
        return role == Qt::CheckStateRole ? QVariant(on ? Qt::Checked : Qt::Unchecked) : QVariant();
    }
    return role == Qt::DisplayRole || role == Qt::EditRole ? QVariant(text) : QVariant();
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section == StandardsColumn) {
        return tr("Standards");
    }
    if (section == NameColumn) {
        return tr("Name");
    }
    const RecordProperty* property = propertyAt(section);
    return property ? property->shownTitle() : QVariant();
}

Qt::ItemFlags RecordTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == NameColumn && !m_kind.isBuiltIn(idAt(index.row()))) {
        return flags | Qt::ItemIsEditable;
    }
    const RecordProperty* property = propertyAt(index.column());
    if (property && property->setText) {
        flags |= property->isSwitch ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    }
    return flags;
}

bool RecordTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const QString name = nameAt(index.row());
    if (!m_run || name.isEmpty()) {
        return false;
    }
    const QString kind = QLatin1String(m_kind.key);
    if (index.column() == NameColumn && role == Qt::EditRole) {
        const QString newName = value.toString();
        return newName != name && m_run({QStringLiteral("_RENAMERECORD"), kind, name, newName});
    }
    const RecordProperty* property = propertyAt(index.column());
    if (!property) {
        return false;
    }
    const QString key = QLatin1String(property->key);
    if (property->isSwitch && role == Qt::CheckStateRole) {
        const bool on = value.toInt() == Qt::Checked;
        return m_run({QStringLiteral("_SETPROPERTY"), kind, name, key,
                      on ? QStringLiteral("1") : QStringLiteral("0")});
    }
    if (!property->isSwitch && role == Qt::EditRole) {
        const QString text = value.toString();
        return text != data(index, Qt::EditRole).toString() &&
               m_run({QStringLiteral("_SETPROPERTY"), kind, name, key, text});
    }
    return false;
}

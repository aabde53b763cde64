// RecordTableModel: the records of one kind of the current drawing as a table: whether each
// conforms to the standards (from ViolationMarks), its name and its properties (RecordKinds).
// Rows follow the drawing's table order; erased records are left out.
//
// The model shows the drawing; it never changes it. Editing a name or a property (or ticking a
// switch) asks the host to run the command that makes the change, RENAMERECORD or SETPROPERTY,
// given as its words; the host refreshes the model once the command has ended.
#ifndef KV_RECORD_TABLE_MODEL_H
#define KV_RECORD_TABLE_MODEL_H

#include "RecordKinds.h"
#include "ViolationMarks.h"

#include <DbDatabase.h>
#include <DbObjectId.h>

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <map>
#include <set>
#include <vector>

class RecordTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { StandardsColumn, NameColumn, FirstPropertyColumn };
    // Runs a command given as its words (global name first); true when it ended normally.
    using RunCommand = std::function<bool(const QStringList& words)>;

    RecordTableModel(const RecordKind& kind, const ViolationMarks& marks, RunCommand run,
                     QObject* parent = nullptr);

    const RecordKind& kind() const { return m_kind; }
    // Shows the records of that drawing (none for null).
    void setDrawing(OdDbDatabase* db);
    // Reads the rows again: records were added or erased.
    void reload();
    // The values of these records (or their marks) changed.
    void recordsChanged(const std::set<OdDbObjectId>& ids);
    // Every record's mark may have changed.
    void marksChanged();

    OdDbObjectId idAt(int row) const;
    // -1 for a record that has no row.
    int rowOf(const OdDbObjectId& id) const;
    QString nameAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    const RecordProperty* propertyAt(int column) const;
    QVariant standardsData(const OdDbObjectId& id, int role) const;

    const RecordKind& m_kind;
    const ViolationMarks& m_marks;
    RunCommand m_run;
    OdDbDatabase* m_db = nullptr;
    std::vector<OdDbObjectId> m_ids;
    std::map<OdDbObjectId, int> m_rows;
};

#endif  // KV_RECORD_TABLE_MODEL_H

// ViolationMarks: which records of the current drawing violate its standards, as the module's
// standards plug-ins find them, and which of those violations are marked as ignored.
//
// The check runs the manager's enabled plug-ins the way the manager's own check does: Clear,
// SetContext, SetupForAudit with the standards files of the drawing's association (as the
// manager reads it, missing files left out), Start, then GetError and the ignored mark of each
// violation, Next. checkAll() looks at every record; checkRecords() at the records given, with
// the plug-ins whose object filter names their kind, and keeps the marks of every other record.
// A drawing without usable standards files has no marks.
//
// An error raised by a plug-in stops the check: the marks found so far are kept and the error's
// description is returned, so that the host can tell the user.
#ifndef KV_VIOLATION_MARKS_H
#define KV_VIOLATION_MARKS_H

#include <CKvStdsManager.h>
#include <DbObjectId.h>

#include <QString>
#include <QStringList>

#include <map>

class CKvDocument;

class ViolationMarks
{
public:
    struct Mark
    {
        // The plug-ins' descriptions of what is wrong, one per violation.
        QStringList descriptions;
        // Every violation of the record is marked as ignored.
        bool ignored = true;
        // Who ignored them, as stored in the drawing.
        QString ignoredBy;
    };

    // Returns the error that stopped the check, empty when it ran through.
    QString checkAll(CKvDocument& document, CKvStdsManager& manager);
    QString checkRecords(CKvDocument& document, CKvStdsManager& manager,
                         const OdDbObjectIdArray& ids);
    void clear() { m_marks.clear(); }

    // Null for a record that conforms (or was never checked).
    const Mark* markOf(const OdDbObjectId& id) const;
    int violationCount() const { return static_cast<int>(m_marks.size()); }

private:
    QString run(CKvDocument& document, CKvStdsManager& manager, const OdDbObjectIdArray& ids);

    std::map<OdDbObjectId, Mark> m_marks;
};

#endif  // KV_VIOLATION_MARKS_H

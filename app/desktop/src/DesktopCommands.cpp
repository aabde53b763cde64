#include "DesktopCommands.h"

#include "RecordKinds.h"

#include <CKvCommandContext.h>
#include <CKvString.h>
#include <DbDatabase.h>
#include <DbLayerTableRecord.h>
#include <DbSymbolTable.h>

#include <EdCommandStack.h>
#include <ResBuf.h>
#include <utility>

namespace {

// A command that hands its run to the DesktopCommands that made it.
class DesktopCommand : public CKvCommand
{
public:
    DesktopCommand(const wchar_t* globalName, std::function<int(CKvCommandContext*)> run)
        : m_globalName(globalName), m_run(std::move(run))
    {}
    const OdString globalName() const override { return m_globalName; }
    const OdString localName() const override { return m_globalName.mid(1); }
    int Execute(CKvCommandContext* context) override { return m_run(context); }
    void addRef() override {}
    void release() override {}
    long numRefs() const override { return 1; }

private:
    OdString m_globalName;
    std::function<int(CKvCommandContext*)> m_run;
};

const wchar_t* const kEditingCommands[] = {L"_ADDRECORD", L"_RENAMERECORD", L"_DELETERECORD",
                                           L"_SETPROPERTY", L"_UNDO"};

// The words of the command line after the command's name, as texts: numbers come as the
// processor read them and are written back the same way.
QStringList argumentsOf(OdResBufPtr item)
{
    QStringList words;
    for (; !item.isNull() && item->restype() != OdResBuf::kRtNone; item = item->next()) {
        switch (odResBufDataKind(item->restype())) {
            case OdResBuf::DataKind::kString:
                words << CKvString(item->getString()).toQString();
                break;
            case OdResBuf::DataKind::kDouble:
                words << QString::number(item->getDouble(), 'g', 12);
                break;
            default:
                words << QString::number(item->getInt64());
                break;
        }
    }
    return words;
}

// Names of records may not hold these characters, nor start or end with a blank.
bool isValidName(const QString& name)
{
    static const QString kForbidden = QStringLiteral("<>/\\\":;?*|,=`");
    if (name.isEmpty() || name.size() > 255 || name.trimmed() != name) {
        return false;
    }
    for (const QChar c : name) {
        if (kForbidden.contains(c) || c.unicode() < 32) {
            return false;
        }
    }
    return true;
}

OdDbSymbolTablePtr tableOf(OdDbDatabase& db, const RecordKind& kind, OdDb::OpenMode mode)
{
    return OdDbSymbolTable::cast((db.*kind.tableId)().safeOpenObject(mode).get());
}

// What a new record starts as, beyond its name: a new layer is white and continuous.
void giveDefaults(OdDbDatabase& db, OdDbSymbolTableRecord& record)
{
    if (auto* layer = dynamic_cast<OdDbLayerTableRecord*>(&record)) {
        layer->setColor(OdCmColor::fromIndex(7));
        layer->setLinetypeObjectId(db.getLinetypeContinuousId());
    }
}

void eraseRecord(const OdDbObjectId& id, bool erase)
{
    const OdDbObjectPtr record = id.openObject(OdDb::kForWrite, true);
    if (!record.isNull()) {
        (void)record->erase(erase);
    }
}

}  // namespace

DesktopCommands::DesktopCommands(Host host) : m_host(std::move(host))
{
    add(L"_ADDRECORD", &DesktopCommands::addRecord, 2, "ADDRECORD KIND NAME");
    add(L"_RENAMERECORD", &DesktopCommands::renameRecord, 3, "RENAMERECORD KIND NAME NEWNAME");
    add(L"_DELETERECORD", &DesktopCommands::deleteRecord, 2, "DELETERECORD KIND NAME");
    add(L"_SETPROPERTY", &DesktopCommands::setProperty, 4, "SETPROPERTY KIND NAME PROPERTY VALUE");
    add(L"_UNDO", &DesktopCommands::undo, 0, "UNDO");
    add(L"_QSAVE", &DesktopCommands::quickSave, 0, "QSAVE");
    add(L"_SAVEAS", &DesktopCommands::saveAs, 1, "SAVEAS PATH");
}

DesktopCommands::~DesktopCommands()
{
    for (const std::unique_ptr<CKvCommand>& command : m_commands) {
        odedRegCmds()->removeCmd(command.get());
    }
}

void DesktopCommands::add(const wchar_t* globalName,
                          int (DesktopCommands::*run)(OdDbDatabase&, const Arguments&),
                          int argumentCount, const char* usage)
{
    auto command = std::make_unique<DesktopCommand>(
        globalName, [this, run, argumentCount, usage](CKvCommandContext* context) {
            OdDbDatabase* db = context ? context->database() : nullptr;
            if (!db) {
                return fail(tr("No drawing is open."));
            }
            const Arguments args = argumentsOf(context->arguments());
            if (args.size() != argumentCount) {
                return fail(tr("Usage: %1").arg(QLatin1String(usage)));
            }
            return (this->*run)(*db, args);
        });
    odedRegCmds()->addCommand(command.get());
    m_commands.push_back(std::move(command));
}

void DesktopCommands::clearHistory()
{
    m_history.clear();
}

QString DesktopCommands::nextUndo() const
{
    return m_history.empty() ? QString() : m_history.back().description;
}

bool DesktopCommands::keepsHistory(const QString& globalName)
{
    for (const wchar_t* name : kEditingCommands) {
        if (globalName.compare(QString::fromWCharArray(name), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

int DesktopCommands::fail(const QString& message) const
{
    if (m_host.print) {
        m_host.print(message);
    }
    return CKvCommand::kResultError;
}

QString DesktopCommands::unknownKind(const QString& key)
{
    return tr("\"%1\" is no kind of record; the kinds are Layer, Linetype, TextStyle and "
              "DimStyle.")
        .arg(key);
}

// Finds the kind and the record the first two arguments name, or says why not.
QString DesktopCommands::findRecord(OdDbDatabase& db, const Arguments& args,
                                    const RecordKind*& kind, OdDbObjectId& id) const
{
    kind = recordKind(args.at(0));
    if (!kind) {
        return unknownKind(args.at(0));
    }
    id = tableOf(db, *kind, OdDb::kForRead)->getAt(CKvString(args.at(1)).toOdString());
    if (id.isNull()) {
        return tr("%1 \"%2\" does not exist.").arg(kind->shownNoun(), args.at(1));
    }
    return QString();
}

int DesktopCommands::addRecord(OdDbDatabase& db, const Arguments& args)
{
    const RecordKind* kind = recordKind(args.at(0));
    const QString& name = args.at(1);
    if (!kind) {
        return fail(unknownKind(args.at(0)));
    }
    if (!isValidName(name)) {
        return fail(tr("\"%1\" is not a valid name.").arg(name));
    }
    const OdDbSymbolTablePtr table = tableOf(db, *kind, OdDb::kForWrite);
    if (table->has(CKvString(name).toOdString())) {
        return fail(tr("%1 \"%2\" already exists.").arg(kind->shownNoun(), name));
    }
    const OdDbSymbolTableRecordPtr record = kind->create();
    record->setName(CKvString(name).toOdString());
    giveDefaults(db, *record);
    const OdDbObjectId id = table->add(record.get());
    m_history.push_back(
        {tr("%1 \"%2\" added").arg(kind->shownNoun(), name), [id] { eraseRecord(id, true); }});
    return CKvCommand::kResultNormal;
}

int DesktopCommands::renameRecord(OdDbDatabase& db, const Arguments& args)
{
    const RecordKind* kind = nullptr;
    OdDbObjectId id;
    const QString problem = findRecord(db, args, kind, id);
    if (!problem.isEmpty()) {
        return fail(problem);
    }
    const QString& newName = args.at(2);
    if (kind->isBuiltIn(id)) {
        return fail(tr("%1 \"%2\" cannot be renamed.").arg(kind->shownNoun(), args.at(1)));
    }
    if (!isValidName(newName)) {
        return fail(tr("\"%1\" is not a valid name.").arg(newName));
    }
    const OdDbObjectId other =
        tableOf(db, *kind, OdDb::kForRead)->getAt(CKvString(newName).toOdString());
    if (!other.isNull() && other != id) {
        return fail(tr("%1 \"%2\" already exists.").arg(kind->shownNoun(), newName));
    }
    const OdDbSymbolTableRecordPtr record = id.safeOpenObject(OdDb::kForWrite);
    const OdString oldName = record->getName();
    record->setName(CKvString(newName).toOdString());
    m_history.push_back(
        {tr("%1 \"%2\" renamed to \"%3\"")
             .arg(kind->shownNoun(), CKvString(oldName).toQString(), newName),
         [id, oldName] {
             OdDbSymbolTableRecordPtr(id.safeOpenObject(OdDb::kForWrite))->setName(oldName);
         }});
    return CKvCommand::kResultNormal;
}

int DesktopCommands::deleteRecord(OdDbDatabase& db, const Arguments& args)
{
    const RecordKind* kind = nullptr;
    OdDbObjectId id;
    const QString problem = findRecord(db, args, kind, id);
    if (!problem.isEmpty()) {
        return fail(problem);
    }
    if (kind->isBuiltIn(id)) {
        return fail(tr("%1 \"%2\" cannot be deleted.").arg(kind->shownNoun(), args.at(1)));
    }
    OdDbObjectIdArray unused;
    unused.append(id);
    db.purge(unused);
    if (unused.isEmpty()) {
        return fail(
            tr("%1 \"%2\" is in use and cannot be deleted.").arg(kind->shownNoun(), args.at(1)));
    }
    eraseRecord(id, true);
    m_history.push_back({tr("%1 \"%2\" deleted").arg(kind->shownNoun(), args.at(1)),
                         [id] { eraseRecord(id, false); }});
    return CKvCommand::kResultNormal;
}

int DesktopCommands::setProperty(OdDbDatabase& db, const Arguments& args)
{
    const RecordKind* kind = nullptr;
    OdDbObjectId id;
    const QString problem = findRecord(db, args, kind, id);
    if (!problem.isEmpty()) {
        return fail(problem);
    }
    const RecordProperty* property = kind->property(args.at(2));
    if (!property) {
        return fail(tr("%1 has no property \"%2\".").arg(kind->shownNoun(), args.at(2)));
    }
    if (!property->setText) {
        return fail(tr("%1 is only shown and cannot be changed.").arg(property->shownTitle()));
    }
    const OdDbSymbolTableRecordPtr record = id.safeOpenObject(OdDb::kForWrite);
    const PropertyRestore restore = property->remember(*record);
    if (!property->setText(*record, args.at(3))) {
        return fail(tr("\"%1\" is not a value of %2.").arg(args.at(3), property->shownTitle()));
    }
    m_history.push_back(
        {tr("%1 \"%2\": %3 set to %4")
             .arg(kind->shownNoun(), args.at(1), property->shownTitle(), args.at(3)),
         [id, restore] {
             restore(*OdDbSymbolTableRecordPtr(id.safeOpenObject(OdDb::kForWrite)));
         }});
    return CKvCommand::kResultNormal;
}

int DesktopCommands::undo(OdDbDatabase&, const Arguments&)
{
    if (m_history.empty()) {
        return fail(tr("Nothing to undo."));
    }
    const UndoStep step = m_history.back();
    m_history.pop_back();
    step.undo();
    if (m_host.print) {
        m_host.print(tr("Undone: %1").arg(step.description));
    }
    return CKvCommand::kResultNormal;
}

int DesktopCommands::quickSave(OdDbDatabase&, const Arguments&)
{
    return m_host.save && m_host.save(QString()) ? CKvCommand::kResultNormal
                                                 : CKvCommand::kResultError;
}

int DesktopCommands::saveAs(OdDbDatabase&, const Arguments& args)
{
    return m_host.save && m_host.save(args.at(0)) ? CKvCommand::kResultNormal
                                                  : CKvCommand::kResultError;
}

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbLoader.h"
#include "DbTemplate.h"
#include "TagOps.h"
#include "UnreadObjects.h"
#include "dxf/DxfNumbers.h"
#include "dxf/DxfReader.h"
#include "dxf/FileAccess.h"
#include "dxf/TagWriter.h"

#include <DbBlockTableRecord.h>
#include <DbDatabase.h>
#include <DbDatabaseReactor.h>
#include <DbDictionary.h>
#include <DbIdMapping.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>
#include <RxClass.h>

#include <GiTextStyle.h>
#include <algorithm>
#include <new>

using namespace kvdb;

// The database counts its own references and is made only by createObject and readFile.
OdRxClass* OdDbDatabase::g_pDesc = nullptr;
OdRxClass* OdDbDatabase::desc()
{
    return g_pDesc;
}
OdRxClass* OdDbDatabase::isA() const
{
    return g_pDesc;
}
OdRxObject* OdDbDatabase::queryX(const OdRxClass* pClass) const
{
    return ::odQueryXImpl<OdDbDatabase, OdRxObject>(this, pClass);
}
OdRxObjectPtr OdDbDatabase::pseudoConstructor()
{
    return OdRxObjectPtr(createObject().get());
}
void OdDbDatabase::rxInit()
{
    if (g_pDesc != nullptr) {
        throw OdError(eAlreadyRegistered);
    }
    g_pDesc = ::newOdRxClass(OdString("OdDbDatabase"), OdRxObject::desc(),
                             &OdDbDatabase::pseudoConstructor);
}
void OdDbDatabase::rxUninit()
{
    if (g_pDesc == nullptr) {
        throw OdError(eNoClassDescription);
    }
    ::deleteOdRxClass(g_pDesc);
    g_pDesc = nullptr;
}

OdDbDatabasePtr DatabaseImpl::makeDatabase()
{
    return OdDbDatabasePtr(new OdDbDatabase());
}
ODRX_NO_CONS_DEFINE_MEMBERS(OdDbDatabaseReactor, OdRxObject)
ODRX_DEFINE_MEMBERS(OdDbIdMapping, OdRxObject, "")

OdDbDatabase::OdDbDatabase() : m_impl(std::make_unique<DatabaseImpl>(this)) {}

OdDbDatabase::~OdDbDatabase()
{
    for (OdDbDatabaseReactor* reactor : std::vector<OdDbDatabaseReactor*>(m_impl->reactors)) {
        reactor->goodbye(this);
    }
}

void OdDbDatabase::addRef()
{
    ++m_refs;
}

void OdDbDatabase::release()
{
    if (--m_refs == 0) {
        delete this;
    }
}

long OdDbDatabase::numRefs() const
{
    return m_refs;
}

namespace {

// Reads a drawing through `read`, which hands the reader the condenser of the new database's
// entities.
template <class Read>
OdDbDatabasePtr loadFrom(Read read)
{
    OdDbDatabasePtr db = DatabaseImpl::makeDatabase();
    FileCondenser condenser(db->impl());
    kvdxf::ReadResult result = read(&condenser);
    if (!result.ok()) {
        std::string message;
        for (const kvdxf::Diagnostic& d : result.diagnostics) {
            if (d.kind == kvdxf::Diagnostic::Refused) {
                message = d.toString();
            }
        }
        throw OdError(OdString::fromUtf8(message), eBadDxfFile);
    }
    loadDatabase(db->impl(), std::move(result.file), condenser);
    return db;
}

}  // namespace

OdSmartPtr<OdDbDatabase> OdDbDatabase::createObject()
{
    return loadFrom([](kvdxf::ObjectCondenser* condenser) {
        const std::string_view text = newDrawingTemplate();
        return kvdxf::parse(kvdxf::FileBytes(text.begin(), text.end()), "new drawing", condenser);
    });
}

OdDbDatabasePtr OdDbDatabase::readFile(const OdString& path, bool partialLoad)
{
    try {
        return loadFrom([&](kvdxf::ObjectCondenser* condenser) {
            return kvdxf::readFile(path.toUtf8(), kvdxf::FileAccess::system(), condenser,
                                   partialLoad);
        });
    } catch (const std::bad_alloc&) {
        // Whatever was read so far is freed on the way here.
        throw OdError(path + OdString(": not enough memory to read the drawing"), eOutOfMemory);
    }
}

namespace {
class WriterSink : public TagSink
{
public:
    explicit WriterSink(kvdxf::TagWriter& writer) : m_writer(writer) {}
    void write(int code, std::string_view value) override { m_writer.write(code, value); }
    void writeLines(std::string_view lines, bool transient) override
    {
        m_writer.writeLines(lines, transient);
    }

private:
    kvdxf::TagWriter& m_writer;
};
}  // namespace

void OdDbDatabase::writeFile(const OdString& path)
{
    std::string error;
    const bool ok = kvdxf::saveAtomically(
        kvdxf::FileAccess::system(), path.toUtf8(),
        [this](kvdxf::TagWriter& writer) {
            WriterSink sink(writer);
            writeDatabase(*m_impl, sink);
            return !writer.failed();
        },
        m_impl->crlf, error);
    if (!ok) {
        // The message names the file: "cannot save PATH: why".
        throw OdError(OdString::fromUtf8(error), eFileWriteError);
    }
}

OdString OdDbDatabase::getFilename() const
{
    return OdString::fromUtf8(m_impl->path);
}

std::vector<OdString> OdDbDatabase::messages() const
{
    std::vector<OdString> out;
    for (const std::string& m : m_impl->messages) {
        out.push_back(OdString::fromUtf8(m));
    }
    return out;
}

OdString OdDbDatabase::versionString() const
{
    return OdString::fromUtf8(m_impl->version);
}

OdString OdDbDatabase::codePage() const
{
    return OdString::fromUtf8(m_impl->codec.charsetName());
}

#define KV_TABLE_ID(getter, member)           \
    OdDbObjectId OdDbDatabase::getter() const \
    {                                         \
        return OdDbObjectId(m_impl->member);  \
    }
KV_TABLE_ID(getBlockTableId, blockTable)
KV_TABLE_ID(getLayerTableId, layerTable)
KV_TABLE_ID(getLinetypeTableId, linetypeTable)
KV_TABLE_ID(getTextStyleTableId, styleTable)
KV_TABLE_ID(getDimStyleTableId, dimstyleTable)
KV_TABLE_ID(getViewportTableId, vportTable)
KV_TABLE_ID(getRegAppTableId, appidTable)
KV_TABLE_ID(getViewTableId, viewTable)
KV_TABLE_ID(getUCSTableId, ucsTable)
KV_TABLE_ID(getNamedObjectsDictionaryId, namedObjects)
#undef KV_TABLE_ID

namespace {
OdDbObjectId recordNamed(const DatabaseImpl& db, OdDbStub* table, const char* name)
{
    return OdDbObjectId(db.lookup(table, OdString(name)));
}
}  // namespace

OdDbObjectId OdDbDatabase::getModelSpaceId() const
{
    const OdDbObjectId id = recordNamed(*m_impl, m_impl->blockTable, "*Model_Space");
    return id.isNull() ? recordNamed(*m_impl, m_impl->blockTable, "$MODEL_SPACE") : id;
}

OdDbObjectId OdDbDatabase::getPaperSpaceId() const
{
    const OdDbObjectId id = recordNamed(*m_impl, m_impl->blockTable, "*Paper_Space");
    return id.isNull() ? recordNamed(*m_impl, m_impl->blockTable, "$PAPER_SPACE") : id;
}

OdDbObjectId OdDbDatabase::getLayerZeroId() const
{
    return recordNamed(*m_impl, m_impl->layerTable, "0");
}

OdDbObjectId OdDbDatabase::getLayerDefpointsId() const
{
    return recordNamed(*m_impl, m_impl->layerTable, "Defpoints");
}

OdDbObjectId OdDbDatabase::getLinetypeByLayerId() const
{
    return recordNamed(*m_impl, m_impl->linetypeTable, "ByLayer");
}

OdDbObjectId OdDbDatabase::getLinetypeByBlockId() const
{
    return recordNamed(*m_impl, m_impl->linetypeTable, "ByBlock");
}

OdDbObjectId OdDbDatabase::getLinetypeContinuousId() const
{
    return recordNamed(*m_impl, m_impl->linetypeTable, "Continuous");
}

OdDbObjectId OdDbDatabase::getTextStyleStandardId() const
{
    return recordNamed(*m_impl, m_impl->styleTable, "Standard");
}

OdDbObjectId OdDbDatabase::getDimStyleStandardId() const
{
    return recordNamed(*m_impl, m_impl->dimstyleTable, "Standard");
}

OdDbObjectId OdDbDatabase::getPlotStyleNameDictionaryId(bool createIfNotFound)
{
    OdDbDictionaryPtr root = getNamedObjectsDictionaryId().openObject(OdDb::kForRead);
    if (root.isNull()) {
        return OdDbObjectId();
    }
    const OdString key("ACAD_PLOTSTYLENAME");
    OdDbObjectId id = root->getAt(key);
    if (id.isNull() && createIfNotFound) {
        root->upgradeOpen();
        OdDbDictionaryPtr dict = OdDbDictionary::createObject();
        id = root->setAt(key, dict.get());
    }
    return id;
}

OdDbObjectId OdDbDatabase::getOdDbObjectId(const OdDbHandle& handle, bool createIfNotFound) const
{
    OdDbStub* stub = m_impl->stubOf(handle);
    if (stub == nullptr && createIfNotFound && !handle.isNull()) {
        stub = m_impl->newStub(handle);
    }
    return OdDbObjectId(stub);
}

OdDbObjectId OdDbDatabase::addOdDbObject(OdDbObject* object, OdDbObjectId ownerId,
                                         const OdDbHandle& handle)
{
    if (object != nullptr && object->database() != nullptr && object->database() != this) {
        // An object of another database moves here; its old place there is given up.
        OdDbDatabase* from = object->database();
        DatabaseImpl& old = from->impl();
        OdDbStub* oldStub = Access::stub(object);
        ObjectData& data = dataOf(object);
        if (data.owner != nullptr && data.owner->object() != nullptr) {
            auto& siblings = dataOf(data.owner->object()).children;
            siblings.erase(std::remove(siblings.begin(), siblings.end(), oldStub), siblings.end());
            if (data.placement == Placement::TableRecord) {
                old.unindexRecord(data.owner, oldStub,
                                  static_cast<OdDbSymbolTableRecord*>(object)->getName());
            }
        }
        // Names the object refers to are looked up again here.
        for (NameRef& ref : data.refs) {
            ref.target = nullptr;
        }
        data.refs.clear();
        oldStub->setObject(nullptr);
        Access::setStub(object, nullptr);
        data.owner = nullptr;
        data.placement = Placement::Free;
        m_impl->addObject(object, ownerId.stub(), handle);
        object->release();  // the old database's reference
        return object->objectId();
    }
    return m_impl->addObject(object, ownerId.stub(), handle);
}

void OdDbDatabase::addReactor(OdDbDatabaseReactor* reactor)
{
    auto& reactors = m_impl->reactors;
    if (reactor != nullptr &&
        std::find(reactors.begin(), reactors.end(), reactor) == reactors.end()) {
        reactors.push_back(reactor);
    }
}

void OdDbDatabase::removeReactor(OdDbDatabaseReactor* reactor)
{
    auto& reactors = m_impl->reactors;
    reactors.erase(std::remove(reactors.begin(), reactors.end(), reactor), reactors.end());
}

// ---------------------------------------------------------------------------------------------
// Reactors, id mappings, text style descriptions

void OdDbDatabaseReactor::objectAppended(const OdDbDatabase*, const OdDbObject*) {}
void OdDbDatabaseReactor::objectOpenedForModify(const OdDbDatabase*, const OdDbObject*) {}
void OdDbDatabaseReactor::objectModified(const OdDbDatabase*, const OdDbObject*) {}
void OdDbDatabaseReactor::objectErased(const OdDbDatabase*, const OdDbObject*, bool) {}
void OdDbDatabaseReactor::goodbye(const OdDbDatabase*) {}

bool OdDbIdMapping::compute(OdDbIdPair& pair) const
{
    const auto it = m_pairs.find(pair.key());
    if (it == m_pairs.end()) {
        return false;
    }
    pair = it->second;
    return true;
}

void OdDbIdMapping::assign(const OdDbIdPair& pair)
{
    m_pairs[pair.key()] = pair;
}

void OdGiTextStyle::set(const OdString& fileName, const OdString& bigFontFileName)
{
    m_fileName = fileName;
    m_bigFontFileName = bigFontFileName;
    // A font file ending in ".shx", or with no extension, is a shape font.
    const int slash = std::max(fileName.reverseFind(L'/'), fileName.reverseFind(L'\\'));
    const OdString base = fileName.mid(slash + 1);
    const int dot = base.reverseFind(L'.');
    m_shx = dot < 0 || base.mid(dot).iCompare(OdString(".shx")) == 0;
}

void giFromDbTextStyle(const OdDbObjectId& styleId, OdGiTextStyle& style)
{
    OdDbTextStyleTableRecordPtr record = OdDbTextStyleTableRecord::cast(styleId.openObject().get());
    if (record.isNull()) {
        return;
    }
    style.set(record->fileName(), record->bigFontFileName());
}

#include "Access.h"
#include "DatabaseImpl.h"
#include "DbClassFactory.h"
#include "DbLoader.h"
#include "DbTemplate.h"
#include "DimVarValues.h"
#include "TagOps.h"
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
#include <cctype>
#include <new>
#include <type_traits>

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

OdDbDatabasePtr loadFrom(kvdxf::ReadResult result)
{
    if (!result.ok()) {
        std::string message;
        for (const kvdxf::Diagnostic& d : result.diagnostics) {
            if (d.kind == kvdxf::Diagnostic::Refused) {
                message = d.toString();
            }
        }
        throw OdError(OdString::fromUtf8(message), eBadDxfFile);
    }
    OdDbDatabasePtr db = DatabaseImpl::makeDatabase();
    loadDatabase(db->impl(), std::move(result.file));
    if (db->impl().layerTable == nullptr || db->impl().blockTable == nullptr) {
        // Files without the standard tables (fragments written by simple tools) are still read;
        // the tables they lack are not made up.
        db->impl().messages.push_back(
            db->impl().path + ": the drawing has no " +
            (db->impl().layerTable == nullptr ? "LAYER" : "BLOCK_RECORD") + " table");
    }
    return db;
}

}  // namespace

OdSmartPtr<OdDbDatabase> OdDbDatabase::createObject()
{
    return loadFrom(kvdxf::parse(newDrawingTemplate(), "new drawing"));
}

OdDbDatabasePtr OdDbDatabase::readFile(const OdString& path)
{
    try {
        return loadFrom(kvdxf::readFile(path.toUtf8(), kvdxf::FileAccess::system()));
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
        throw OdError(OdString::fromUtf8(path.toUtf8() + ": " + error), eFileWriteError);
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
        if (data.owner != nullptr && data.owner->object != nullptr) {
            auto& siblings = dataOf(data.owner->object).children;
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
        oldStub->object = nullptr;
        Access::setStub(object, nullptr);
        data.owner = nullptr;
        data.placement = Placement::Free;
        m_impl->addObject(object, ownerId.stub(), handle);
        object->release();  // the old database's reference
        return object->objectId();
    }
    return m_impl->addObject(object, ownerId.stub(), handle);
}

// ---------------------------------------------------------------------------------------------
// System variables

namespace {

std::string upperName(const OdString& name)
{
    std::string text = name.toUtf8();
    if (!text.empty() && text[0] == '$') {
        text.erase(0, 1);
    }
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

HeaderVar& headerVarFor(DatabaseImpl& db, const std::string& name, int code)
{
    if (HeaderVar* var = db.headerVar(name)) {
        return *var;
    }
    size_t slot = 0;
    for (const HeaderVar& other : db.header) {
        slot = other.slot;
        break;
    }
    if (db.header.empty()) {
        db.sectionItems(SectionSlot::Header);
        for (size_t i = 0; i < db.layout.size(); ++i) {
            if (db.layout[i].kind == SectionSlot::Header) {
                slot = i;
            }
        }
    }
    db.header.push_back(HeaderVar{name, slot, {}, nullptr, false});
    HeaderVar& var = db.header.back();
    const std::string_view empty = db.store("");
    var.values.push_back(Tag{empty.data(), 0, code});
    return var;
}

void setHeaderRaw(DatabaseImpl& db, const std::string& name, int code, std::string_view raw)
{
    HeaderVar& var = headerVarFor(db, name, code);
    const std::string_view stored = db.store(raw);
    if (var.values.empty()) {
        var.values.push_back(Tag{stored.data(), static_cast<uint32_t>(stored.size()), code});
    } else {
        var.values[0].data = stored.data();
        var.values[0].size = static_cast<uint32_t>(stored.size());
    }
}

OdDbStub* headerRef(const DatabaseImpl& db, const char* name, RefRole role)
{
    const HeaderVar* var = db.headerVar(name);
    if (var == nullptr || var->values.empty()) {
        return nullptr;
    }
    if (var->hasRef) {
        return var->ref;
    }
    return db.lookup(db.tableForRole(role), db.decode(var->values.front().value()));
}

void setHeaderRef(DatabaseImpl& db, const char* name, int code, RefRole role, OdDbStub* target)
{
    HeaderVar& var = headerVarFor(db, name, code);
    var.hasRef = true;
    var.ref = target;
    if (target != nullptr && target->object != nullptr) {
        setHeaderRaw(db, name, code,
                     db.encode(static_cast<OdDbSymbolTableRecord*>(target->object)->getName()));
    }
    (void)role;
}

}  // namespace

OdDbObjectId OdDbDatabase::getCLAYER() const
{
    return OdDbObjectId(headerRef(*m_impl, "CLAYER", RefRole::Layer));
}

void OdDbDatabase::setCLAYER(OdDbObjectId layerId)
{
    setHeaderRef(*m_impl, "CLAYER", 8, RefRole::Layer, layerId.stub());
}

OdDbObjectId OdDbDatabase::getCELTYPE() const
{
    return OdDbObjectId(headerRef(*m_impl, "CELTYPE", RefRole::Linetype));
}

void OdDbDatabase::setCELTYPE(OdDbObjectId linetypeId)
{
    setHeaderRef(*m_impl, "CELTYPE", 6, RefRole::Linetype, linetypeId.stub());
}

OdDbObjectId OdDbDatabase::getTEXTSTYLE() const
{
    return OdDbObjectId(headerRef(*m_impl, "TEXTSTYLE", RefRole::TextStyle));
}

void OdDbDatabase::setTEXTSTYLE(OdDbObjectId styleId)
{
    setHeaderRef(*m_impl, "TEXTSTYLE", 7, RefRole::TextStyle, styleId.stub());
}

OdDbObjectId OdDbDatabase::getDIMSTYLE() const
{
    return OdDbObjectId(headerRef(*m_impl, "DIMSTYLE", RefRole::DimStyle));
}

void OdDbDatabase::setDIMSTYLE(OdDbObjectId styleId)
{
    setHeaderRef(*m_impl, "DIMSTYLE", 2, RefRole::DimStyle, styleId.stub());
}

int OdDbDatabase::getMEASUREMENT() const
{
    const HeaderVar* var = m_impl->headerVar("MEASUREMENT");
    int64_t value = 0;
    if (var == nullptr || var->values.empty() ||
        !kvdxf::parseInt(var->values.front().value(), value)) {
        return 0;
    }
    return static_cast<int>(value);
}

void OdDbDatabase::setMEASUREMENT(int measurement)
{
    setHeaderRaw(*m_impl, "MEASUREMENT", 70, std::to_string(measurement));
}

namespace {

template <class T>
T readHeaderDimVar(const DatabaseImpl& db, const DimVarInfo& info, const T& def)
{
    const HeaderVar* var = db.headerVar(info.entry);
    if (var == nullptr || var->values.empty()) {
        return def;
    }
    const std::string_view raw = var->values.front().value();
    if constexpr (std::is_same_v<T, OdString>) {
        return db.decode(raw);
    } else if constexpr (std::is_same_v<T, OdDbObjectId>) {
        const RefRole role = info.kind == DimVarKind::TextStyleRef  ? RefRole::TextStyle
                             : info.kind == DimVarKind::LinetypeRef ? RefRole::Linetype
                                                                    : RefRole::Block;
        return OdDbObjectId(db.lookup(db.tableForRole(role), db.decode(raw)));
    } else if constexpr (std::is_same_v<T, OdCmColor>) {
        int64_t v = 0;
        return kvdxf::parseInt(raw, v) ? OdCmColor::fromIndex(static_cast<int>(v)) : def;
    } else if constexpr (std::is_same_v<T, double>) {
        double v = 0;
        return kvdxf::parseDouble(raw, v) ? v : def;
    } else {
        int64_t v = 0;
        return kvdxf::parseInt(raw, v) ? static_cast<T>(v) : def;
    }
}

template <class T>
void writeHeaderDimVar(DatabaseImpl& db, const DimVarInfo& info, const T& value)
{
    if (info.headerCode == 0) {
        return;
    }
    std::string raw;
    if constexpr (std::is_same_v<T, OdString>) {
        raw = db.encode(value);
    } else if constexpr (std::is_same_v<T, OdDbObjectId>) {
        OdDbObjectPtr object = value.openObject();
        OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(object.get());
        raw = record.isNull() ? std::string() : db.encode(record->getName());
    } else if constexpr (std::is_same_v<T, OdCmColor>) {
        raw = std::to_string(value.colorIndex());
    } else if constexpr (std::is_same_v<T, double>) {
        raw = kvdxf::formatDouble(value);
    } else {
        raw = std::to_string(static_cast<int64_t>(value));
    }
    setHeaderRaw(db, info.entry, info.headerCode, raw);
}

}  // namespace

#define DIMVAR(entry, get, set, rec, hdr, type, def)                                       \
    KV_DIMVAR_TYPE_##type OdDbDatabase::get() const                                        \
    {                                                                                      \
        return readHeaderDimVar<KV_DIMVAR_TYPE_##type>(                                    \
            *m_impl, DimVarInfo{#entry, rec, hdr, DimVarKind::type}, def);                 \
    }                                                                                      \
    void OdDbDatabase::set(const KV_DIMVAR_TYPE_##type& value)                             \
    {                                                                                      \
        writeHeaderDimVar(*m_impl, DimVarInfo{#entry, rec, hdr, DimVarKind::type}, value); \
    }
#include <DimVars.inc>
#undef DIMVAR

OdResBufPtr OdDbDatabase::getSysVar(const OdString& name) const
{
    const std::string key = upperName(name);
    auto nameOf = [](const OdDbObjectId& id) {
        OdDbSymbolTableRecordPtr record = OdDbSymbolTableRecord::cast(id.openObject().get());
        return record.isNull() ? OdString() : record->getName();
    };
    if (key == "CLAYER") {
        return OdResBuf::newRb(OdResBuf::kRtString, nameOf(getCLAYER()));
    }
    if (key == "CELTYPE") {
        return OdResBuf::newRb(OdResBuf::kRtString, nameOf(getCELTYPE()));
    }
    if (key == "TEXTSTYLE") {
        return OdResBuf::newRb(OdResBuf::kRtString, nameOf(getTEXTSTYLE()));
    }
    if (key == "DIMSTYLE") {
        return OdResBuf::newRb(OdResBuf::kRtString, nameOf(getDIMSTYLE()));
    }
    if (key == "MEASUREMENT") {
        return OdResBuf::newRb(OdResBuf::kRtInt16, static_cast<OdInt16>(getMEASUREMENT()));
    }
    const HeaderVar* var = m_impl->headerVar(key);
    if (key == "STANDARDSVIOLATION") {
        // Not a DXF header variable of its own; 2 (notify and show) unless set.
        int64_t value = 2;
        if (var != nullptr && !var->values.empty()) {
            kvdxf::parseInt(var->values.front().value(), value);
        }
        return OdResBuf::newRb(OdResBuf::kRtInt16, static_cast<OdInt16>(value));
    }
    if (var == nullptr || var->values.empty()) {
        return OdResBufPtr();
    }
    const Tag& tag = var->values.front();
    switch (kvdxf::kindOf(tag.code)) {
        case kvdxf::ValueKind::Double: {
            double v = 0;
            kvdxf::parseDouble(tag.value(), v);
            return OdResBuf::newRb(OdResBuf::kRtDouble, v);
        }
        case kvdxf::ValueKind::Int16:
        case kvdxf::ValueKind::Bool: {
            int64_t v = 0;
            kvdxf::parseInt(tag.value(), v);
            return OdResBuf::newRb(OdResBuf::kRtInt16, static_cast<OdInt16>(v));
        }
        case kvdxf::ValueKind::Int32:
        case kvdxf::ValueKind::Int64: {
            int64_t v = 0;
            kvdxf::parseInt(tag.value(), v);
            return OdResBuf::newRb(OdResBuf::kRtInt32, static_cast<OdInt32>(v));
        }
        default:
            return OdResBuf::newRb(OdResBuf::kRtString, m_impl->decode(tag.value()));
    }
}

void OdDbDatabase::setSysVar(const OdString& name, const OdResBuf* value)
{
    if (value == nullptr) {
        throw OdError(eInvalidInput);
    }
    const std::string key = upperName(name);
    auto record = [&](OdDbStub* table) {
        OdDbStub* found = m_impl->lookup(table, value->getString());
        if (found == nullptr) {
            throw OdError(eInvalidInput);
        }
        return OdDbObjectId(found);
    };
    if (key == "CLAYER") {
        setCLAYER(record(m_impl->layerTable));
    } else if (key == "CELTYPE") {
        setCELTYPE(record(m_impl->linetypeTable));
    } else if (key == "TEXTSTYLE") {
        setTEXTSTYLE(record(m_impl->styleTable));
    } else if (key == "DIMSTYLE") {
        setDIMSTYLE(record(m_impl->dimstyleTable));
    } else if (key == "MEASUREMENT") {
        setMEASUREMENT(value->getInt16());
    } else if (key == "STANDARDSVIOLATION") {
        setHeaderRaw(*m_impl, key, 70, std::to_string(value->getInt16()));
    } else {
        const HeaderVar* var = m_impl->headerVar(key);
        if (var == nullptr || var->values.empty()) {
            throw OdError(eInvalidInput);
        }
        const int code = var->values.front().code;
        std::string raw;
        switch (kvdxf::kindOf(code)) {
            case kvdxf::ValueKind::Double:
                raw = kvdxf::formatDouble(value->getDouble());
                break;
            case kvdxf::ValueKind::Int16:
            case kvdxf::ValueKind::Bool:
                raw = std::to_string(value->getInt16());
                break;
            case kvdxf::ValueKind::Int32:
            case kvdxf::ValueKind::Int64:
                raw = std::to_string(value->getInt32());
                break;
            default:
                raw = m_impl->encode(value->getString());
                break;
        }
        setHeaderRaw(*m_impl, key, code, raw);
    }
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

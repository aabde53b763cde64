// System variables: the current records, the measurement system, the dimension variables and any
// header variable of the file.
#include "Access.h"
#include "DatabaseImpl.h"
#include "DimVarValues.h"
#include "dxf/DxfNumbers.h"

#include <DbDatabase.h>
#include <DbSymbolTableRecord.h>

#include <cctype>
#include <type_traits>

using namespace kvdb;

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

// A variable that names a record is written from the record, so that it follows renames; no
// record is written as an empty name.
void setHeaderRef(DatabaseImpl& db, const char* name, int code, RefRole role, OdDbStub* target)
{
    HeaderVar& var = headerVarFor(db, name, code);
    var.hasRef = true;
    var.role = role;
    var.ref = target;
    const bool named = target != nullptr && target->object() != nullptr;
    setHeaderRaw(db, name, code,
                 named ? db.encode(static_cast<OdDbSymbolTableRecord*>(target->object())->getName())
                       : std::string());
}

RefRole roleOf(DimVarKind kind)
{
    return kind == DimVarKind::TextStyleRef  ? RefRole::TextStyle
           : kind == DimVarKind::LinetypeRef ? RefRole::Linetype
                                             : RefRole::Block;
}

bool isReference(DimVarKind kind)
{
    return kind == DimVarKind::TextStyleRef || kind == DimVarKind::LinetypeRef ||
           kind == DimVarKind::BlockRef;
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
        return OdDbObjectId(headerRef(db, info.entry, roleOf(info.kind)));
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
    if constexpr (std::is_same_v<T, OdDbObjectId>) {
        setHeaderRef(db, info.entry, info.headerCode, roleOf(info.kind),
                     OdDbSymbolTableRecord::cast(value.openObject().get()).isNull() ? nullptr
                                                                                    : value.stub());
        return;
    } else if constexpr (std::is_same_v<T, OdString>) {
        raw = db.encode(value);
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
    if (var->hasRef) {
        return OdResBuf::newRb(OdResBuf::kRtString, nameOf(OdDbObjectId(var->ref)));
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
        if (var->hasRef) {
            // An empty name is no record (the default arrow block).
            const bool none = value->getString().isEmpty();
            setHeaderRef(*m_impl, key.c_str(), code, var->role,
                         none ? nullptr : record(m_impl->tableForRole(var->role)).stub());
            return;
        }
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

void DatabaseImpl::resolveHeaderRefs()
{
    std::vector<std::pair<const char*, RefRole>> specs = {{"CLAYER", RefRole::Layer},
                                                          {"CELTYPE", RefRole::Linetype},
                                                          {"TEXTSTYLE", RefRole::TextStyle},
                                                          {"DIMSTYLE", RefRole::DimStyle}};
#define DIMVAR(entry, get, set, rec, hdr, type, def)          \
    if (isReference(DimVarKind::type) && (hdr) != 0) {        \
        specs.emplace_back(#entry, roleOf(DimVarKind::type)); \
    }
#include <DimVars.inc>
#undef DIMVAR
    for (const auto& [name, role] : specs) {
        HeaderVar* var = headerVar(name);
        if (var != nullptr && !var->values.empty()) {
            var->hasRef = true;
            var->role = role;
            var->ref = lookup(tableForRole(role), decode(var->values.front().value()));
        }
    }
}

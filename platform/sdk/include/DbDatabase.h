#pragma once

#include <DbObjectId.h>
#include <OdString.h>
#include <RxObject.h>

#include <CmColor.h>
#include <DimVarTypes.h>
#include <ResBuf.h>
#include <memory>
#include <vector>

class OdDbDatabase;
class OdDbDatabaseReactor;
class OdDbIdMapping;
class OdDbObject;
typedef OdSmartPtr<OdDbDatabase> OdDbDatabasePtr;

namespace kvdb {
class DatabaseImpl;
}

namespace OdDb {
enum DuplicateLinetypeLoading { kDltNotApplicable = 0, kDltIgnore = 1, kDltReplace = 2 };
}

// A drawing: its header variables, symbol tables, blocks, entities and objects, read from and
// written to DXF without losing anything it does not interpret.
//
// Reading refuses what is not DXF and repairs what it can (messages()); writing goes through a
// temporary file beside the target that is renamed over it only once complete.
class OdDbDatabase : public OdRxObject
{
    ODRX_DECLARE_MEMBERS(OdDbDatabase);

public:
    ~OdDbDatabase() override;
    void addRef() override;
    void release() override;
    long numRefs() const override;

    // createObject(): a new drawing with the standard records (layer 0, the built-in line
    // styles, Standard text and dimension styles, model and paper space), imperial, AC1032.
    // Reads a DXF file (ASCII or binary). Raises OdError with a message naming the file, the line
    // and what was expected when the file is refused.
    // partialLoad: the entities stay in the file, which is kept open while the database lives,
    // and are read from it when first opened (or written); for reading a large drawing to look
    // at its tables. Opening such an entity after another program changed the file raises
    // OdError (eFileAccessErr) naming the file and the entity.
    static OdDbDatabasePtr readFile(const OdString& path, bool partialLoad = false);
    // Writes ASCII DXF. Raises OdError (eFileWriteError) on failure; the target is then unchanged.
    void writeFile(const OdString& path);

    OdString getFilename() const;
    // What the reader repaired, one message per line ("file.dxf:12: ...").
    std::vector<OdString> messages() const;
    // $ACADVER as read ("AC1015") and the version written.
    OdString versionString() const;
    OdString codePage() const;

    OdDbObjectId getBlockTableId() const;
    OdDbObjectId getLayerTableId() const;
    OdDbObjectId getLinetypeTableId() const;
    OdDbObjectId getTextStyleTableId() const;
    OdDbObjectId getDimStyleTableId() const;
    OdDbObjectId getViewportTableId() const;
    OdDbObjectId getRegAppTableId() const;
    OdDbObjectId getViewTableId() const;
    OdDbObjectId getUCSTableId() const;
    OdDbObjectId getNamedObjectsDictionaryId() const;
    OdDbObjectId getModelSpaceId() const;
    OdDbObjectId getPaperSpaceId() const;
    OdDbObjectId getLayerZeroId() const;
    OdDbObjectId getLayerDefpointsId() const;
    OdDbObjectId getLinetypeByLayerId() const;
    OdDbObjectId getLinetypeByBlockId() const;
    OdDbObjectId getLinetypeContinuousId() const;
    OdDbObjectId getTextStyleStandardId() const;
    OdDbObjectId getDimStyleStandardId() const;
    OdDbObjectId getPlotStyleNameDictionaryId(bool createIfNotFound = true);

    OdDbObjectId getOdDbObjectId(const OdDbHandle& handle, bool createIfNotFound = false) const;
    // Adds an object that belongs to no database, with a new handle (or the given one when free).
    OdDbObjectId addOdDbObject(OdDbObject* object, OdDbObjectId ownerId = OdDbObjectId(),
                               const OdDbHandle& handle = OdDbHandle());

    // System variables by name (case-insensitive, with or without "$"): CLAYER, CELTYPE,
    // TEXTSTYLE, DIMSTYLE (names, as 5005 strings), MEASUREMENT, STANDARDSVIOLATION (5003 16-bit),
    // every dimension variable, and any header variable of the file. Unknown names give null.
    OdResBufPtr getSysVar(const OdString& name) const;
    // Raises OdError(eInvalidInput) for an unknown name or a value of the wrong type.
    void setSysVar(const OdString& name, const OdResBuf* value);

    OdDbObjectId getCLAYER() const;
    void setCLAYER(OdDbObjectId layerId);
    OdDbObjectId getCELTYPE() const;
    void setCELTYPE(OdDbObjectId linetypeId);
    OdDbObjectId getTEXTSTYLE() const;
    void setTEXTSTYLE(OdDbObjectId styleId);
    OdDbObjectId getDIMSTYLE() const;
    void setDIMSTYLE(OdDbObjectId styleId);
    int getMEASUREMENT() const;
    void setMEASUREMENT(int measurement);

#define DIMVAR(entry, get, set, rec, hdr, type, def) \
    KV_DIMVAR_TYPE_##type get() const;               \
    void set(const KV_DIMVAR_TYPE_##type& value);
#include <DimVars.inc>
#undef DIMVAR

    void addReactor(OdDbDatabaseReactor* reactor);
    void removeReactor(OdDbDatabaseReactor* reactor);

    // Keeps in ids only those objects that nothing in the drawing references: entities (layer,
    // line style, text style, dimension style, block), layers (line style), multiline styles
    // (line styles), XDATA (layer names), dimension styles (blocks, text style, line styles), line
    // styles (text styles of text elements), header variables naming records, and hard and soft
    // pointers of any object.
    void purge(OdDbObjectIdArray& ids) const;

    // Copies the records ids (of this database) into the destination database of idMap, owned by
    // owner (the symbol table of their kind there; eInvalidOwnerObject otherwise), and records
    // the copies in idMap. With kDrcReplace a record of the same name in the destination is
    // replaced in place (it keeps its id, extension dictionary and XDATA); with kDrcIgnore it is
    // kept and mapped. A copy comes with what it owns (a block with its whole definition: base
    // point, entities and their sub-entities; an object with its extension dictionary) and with
    // the records it and its entities refer to (layers, line styles, text styles, dimension
    // styles, nested blocks), which map onto the destination's records of the same name (shape
    // files by file name) and are copied only when missing; a copied anonymous block gets a new
    // name. The applications of copied XDATA are registered in the destination.
    void wblockCloneObjects(const OdDbObjectIdArray& ids, OdDbObjectId owner, OdDbIdMapping& idMap,
                            OdDb::DuplicateRecordCloning drc, bool deferXlation = false);

    // Loads line style ltName (case-insensitive; "*" loads all) from a .lin file. Raises
    // OdError(eUndefinedLineType) when the file has no such line style, eFileNotFound or
    // eBadLinetypeFile when the file cannot be used. An existing line style of that name is kept
    // (kDltIgnore, kDltNotApplicable) or redefined in place (kDltReplace).
    void loadLineTypeFile(const OdString& ltName, const OdString& filename,
                          OdDb::DuplicateLinetypeLoading dlt = OdDb::kDltNotApplicable);

    kvdb::DatabaseImpl& impl() const
    {
        return *m_impl;
    }

private:
    friend class kvdb::DatabaseImpl;
    OdDbDatabase();
    std::unique_ptr<kvdb::DatabaseImpl> m_impl;
    long m_refs = 0;
};

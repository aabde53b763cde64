#pragma once

#include <DbObjectId.h>
#include <OdError.h>
#include <OdString.h>
#include <RxObject.h>

#include <ResBuf.h>
#include <memory>

class OdDbDatabase;
class OdDbObject;
typedef OdSmartPtr<OdDbObject> OdDbObjectPtr;

namespace kvdb {
struct ObjectData;
class Access;
}  // namespace kvdb

// Declares the run-time class members of a database class: its class description, casting,
// creation through the class description, and registration.
#define ODDB_DECLARE_MEMBERS(Class)                             \
public:                                                         \
    static OdRxClass* g_pDesc;                                  \
    static OdRxClass* desc();                                   \
    OdRxClass* isA() const override;                            \
    OdRxObject* queryX(const OdRxClass* pClass) const override; \
    static OdSmartPtr<Class> cast(const OdRxObject* pObj);      \
    static OdSmartPtr<Class> createObject();                    \
    static OdRxObjectPtr pseudoConstructor();                   \
    static void rxInit();                                       \
    static void rxUninit();

// The base of every object of a drawing database.
//
// Life and opening: a database keeps one reference to each of its objects. Opening an object
// (OdDbObjectId::openObject) hands out smart pointers; when the last of them goes, the object is
// closed: if it was modified while open for write, the database's reactors receive objectModified.
// The first modification of an opening sends objectOpenedForModify before the change is made.
// Setters raise OdError(eNotOpenForWrite) on an object opened for read; an object that is not
// (yet) part of a database may always be changed.
//
// Storage: an object keeps the DXF groups it was read with; setters change the groups they
// understand in place, and every other group is written back untouched.
class OdDbObject : public OdRxObject
{
    ODDB_DECLARE_MEMBERS(OdDbObject)

public:
    OdDbObject();
    ~OdDbObject() override;
    OdDbObject(const OdDbObject&) = delete;
    OdDbObject& operator=(const OdDbObject&) = delete;

    void addRef() override;
    void release() override;
    long numRefs() const override;

    OdDbObjectId objectId() const;
    OdDbObjectId ownerId() const;
    void setOwnerId(OdDbObjectId ownerId);
    OdDbDatabase* database() const;
    OdDbHandle getDbHandle() const;

    bool isErased() const;
    // Erases (or with false un-erases) the object with everything it owns: its extension
    // dictionary, the entries of a dictionary, the entities of a block, the sub-entities of an
    // entity. The database's reactors receive objectErased for each. Layer "0", the line styles
    // ByBlock, ByLayer and Continuous and the model and paper space blocks cannot be erased:
    // OdError(eCannotBeErasedByCaller), naming the record.
    OdResult erase(bool eraseIt = true);

    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    // From creation until the opening in which the object joined a database is over.
    bool isNewObject() const;
    bool isModified() const;
    OdDb::OpenMode openMode() const;
    void upgradeOpen();
    void downgradeOpen();
    void assertReadEnabled() const;
    // Raises OdError(eNotOpenForWrite) unless the object may be changed, and marks the opening as
    // modifying (objectOpenedForModify on the first call).
    void assertWriteEnabled();

    // The extension dictionary, or the null id.
    OdDbObjectId extensionDictionary() const;
    // Creates the extension dictionary if there is none; true when one was created.
    bool createExtensionDictionary();

    // XDATA of one application (all of them for an empty name), as a chain that starts with the
    // 1001 application item; null when there is none.
    OdResBufPtr xData(const OdString& regappName = OdString()) const;
    // Replaces the XDATA of each application that the chain names (a 1001 item followed by
    // nothing removes it). Application names must exist in the registered-application table;
    // missing ones are added.
    void setXData(const OdResBuf* xdata);

    OdDbObjectIdArray getPersistentReactors() const;

    // A copy that belongs to no database: same class, same groups, no handle.
    OdRxObjectPtr clone() const;
    // Gives this object's identity (id, handle, owner, reactors, and optionally XDATA and the
    // extension dictionary) to newObject, which replaces this object in the database; this object
    // leaves the database. newObject must be of the same class and not in a database.
    void handOverTo(OdDbObject* newObject, bool keepXData = true, bool keepExtDict = true);

    // DXF type name of the object as it was read (for unknown classes, the type name in the file).
    OdString dxfTypeName() const;

protected:
    // For subclasses: recomputes cached members from the stored groups (after loading).
    virtual void syncFromData();
    // For subclasses: takes the cached members of `source`, of the same class, whose groups this
    // copy holds (after cloning); by default recomputes them from the groups.
    virtual void syncFromCopy(const OdDbObject& source);

private:
    friend class kvdb::Access;
    std::unique_ptr<kvdb::ObjectData> m_data;
    OdDbStub* m_stub = nullptr;
    int m_refs = 0;
    signed char m_openMode = OdDb::kNotOpen;
    bool m_modifiedInOpening = false;
    bool m_closing = false;
};

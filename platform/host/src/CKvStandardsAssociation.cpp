#include <CKvStandardsAssociation.h>
#include <CKvSystemServices.h>
#include <DbDatabase.h>
#include <DbDictionary.h>
#include <DbXrecord.h>
#include <OdError.h>
#include <RxClass.h>

#include <QFileInfo>

#include <algorithm>

namespace {

const wchar_t* const kDictionaryKey = L"AcStStandard";

// The object stored under the key, of whatever class; null when there is none.
OdDbObjectPtr associationEntry(OdDbDatabase* db, OdDb::OpenMode mode)
{
    if (db == nullptr) {
        return OdDbObjectPtr();
    }
    OdDbDictionaryPtr root = db->getNamedObjectsDictionaryId().openObject(mode);
    if (root.isNull()) {
        return OdDbObjectPtr();
    }
    return root->getAt(OdString(kDictionaryKey), mode);
}

OdDbDictionaryPtr associationDictionary(OdDbDatabase* db, OdDb::OpenMode mode)
{
    return OdDbDictionary::cast(associationEntry(db, mode).get());
}

}  // namespace

std::vector<CKvString> CKvStandardsAssociation::paths() const
{
    std::vector<CKvString> result;
    OdDbDictionaryPtr dict = associationDictionary(m_db, OdDb::kForRead);
    if (dict.isNull()) {
        return result;
    }
    for (OdDbDictionaryIteratorPtr it = dict->newIterator(); !it->done(); it->next()) {
        OdDbXrecordPtr xrecord = OdDbXrecord::cast(it->getObject().get());
        if (xrecord.isNull()) {
            continue;
        }
        OdResBufPtr first = xrecord->rbChain();
        if (!first.isNull() && first->restype() == 1) {
            result.push_back(CKvString(first->getString()));
        }
    }
    return result;
}

CKvString CKvStandardsAssociation::problem() const
{
    const OdDbObjectPtr entry = associationEntry(m_db, OdDb::kForRead);
    if (entry.isNull() || !OdDbDictionary::cast(entry.get()).isNull()) {
        return CKvString();
    }
    const std::string message =
        "the standards association \"" + OdString(kDictionaryKey).toUtf8() +
        "\" of the named objects dictionary is " + entry->isA()->dxfName().toUtf8() + " (handle " +
        entry->objectId().getHandle().ascii().toUtf8() + "), not a dictionary";
    return CKvString(message.c_str());
}

void CKvStandardsAssociation::setPaths(const std::vector<CKvString>& paths)
{
    // Another program's object under the key is not ours to replace.
    const CKvString why = problem();
    if (!why.isEmpty()) {
        throw OdError(why.toOdString());
    }
    // The old entries go with their dictionary.
    if (OdDbDictionaryPtr old = associationDictionary(m_db, OdDb::kForWrite)) {
        for (OdDbDictionaryIteratorPtr it = old->newIterator(); !it->done(); it->next()) {
            if (OdDbObjectPtr entry = it->getObject(OdDb::kForWrite)) {
                entry->erase();
            }
        }
    }
    OdDbDictionaryPtr root = m_db->getNamedObjectsDictionaryId().safeOpenObject(OdDb::kForWrite);
    // A new dictionary replaces the old one.
    OdDbDictionaryPtr dict = OdDbDictionary::createObject();
    root->setAt(OdString(kDictionaryKey), dict.get());
    for (size_t i = 0; i < paths.size(); ++i) {
        // Zero-padded numbers sort in association order.
        CKvString key;
        key.formatA("%06u", static_cast<unsigned>(i + 1));
        OdDbXrecordPtr xrecord = OdDbXrecord::createObject();
        dict->setAt(key.toOdString(), xrecord.get());
        xrecord->setFromRbChain(OdResBuf::newRb(1, paths[i].toOdString()).get());
    }
}

CKvString CKvStandardsAssociation::resolve(const CKvString& stored, const OdDbDatabase* db)
{
    // Associations written on other systems keep backslashes.
    CKvString path = stored;
    path.replace(CKvString("\\"), CKvString("/"));
    const QFileInfo file(path.toQString());
    if (file.isFile()) {
        return path;
    }
    const CKvSystemServices* services = GetKvSystemServices();
    const CKvString found =
        services != nullptr ? services->findFile(CKvString(file.fileName()), db) : CKvString();
    return !found.isEmpty() && QFileInfo(found.toQString()).isFile() ? found : CKvString();
}

bool CKvStandardsAssociation::add(const CKvString& path)
{
    std::vector<CKvString> list = paths();
    if (std::find(list.begin(), list.end(), path) != list.end()) {
        return false;
    }
    list.push_back(path);
    setPaths(list);
    return true;
}

bool CKvStandardsAssociation::remove(const CKvString& path)
{
    std::vector<CKvString> list = paths();
    const auto it = std::find(list.begin(), list.end(), path);
    if (it == list.end()) {
        return false;
    }
    list.erase(it);
    setPaths(list);
    return true;
}

bool CKvStandardsAssociation::moveUp(const CKvString& path)
{
    std::vector<CKvString> list = paths();
    const auto it = std::find(list.begin(), list.end(), path);
    if (it == list.end() || it == list.begin()) {
        return false;
    }
    std::iter_swap(it, it - 1);
    setPaths(list);
    return true;
}

bool CKvStandardsAssociation::moveDown(const CKvString& path)
{
    std::vector<CKvString> list = paths();
    const auto it = std::find(list.begin(), list.end(), path);
    if (it == list.end() || it + 1 == list.end()) {
        return false;
    }
    std::iter_swap(it, it + 1);
    setPaths(list);
    return true;
}

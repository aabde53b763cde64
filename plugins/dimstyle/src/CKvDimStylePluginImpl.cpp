#include "CKvDimStylePluginImpl.h"

#include <DbDatabase.h>
#include <DbDimStyleTable.h>

#include <QRegExp>
#include <QtGlobal>

#include <functional>

const CKvPluginInfo CKvDimStylePluginImpl::kInfo = {
    "CKvDimStylePluginImpl",
    QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "Dimension Styles"),
    QT_TRANSLATE_NOOP("CKvDimStylePluginImpl",
                      "Verifies that names and properties of dimension styles in a drawing match "
                      "those in an associated standards file."),
    L"4396F213-94B2-44ed-98BC-777707D15528",
    L"DIMSTYLE",
    QT_TRANSLATE_NOOP("CKvDimStylePluginImpl", "DimensionStyle"),
};

namespace {

typedef OdSmartPtr<OdDbDimStyleTableRecord> StylePtr;

StylePtr pointerTo(const OdDbDimStyleTableRecord& style)
{
    return StylePtr(const_cast<OdDbDimStyleTableRecord*>(&style));
}

// Every property of the style, as texts named by their entry names.
void addValues(const OdDbDimStyleTableRecord& style,
               const std::function<void(const CKvString&, OdResBufPtr)>& add)
{
    const StylePtr pointer = pointerTo(style);
    for (const CompareEntry& entry :
         CKvDimStylePluginImpl::compareDimStyleRecords(pointer, pointer, true)) {
        OdResBufPtr value = OdResBuf::newRb(5005);
        value->setString(OdString(CKvString(entry.firstValue).c_str()));
        add(CKvString(entry.name), value);
    }
}

CKvString nameOf(const OdDbObjectId& id, const CKvString& otherwise)
{
    const OdDbObjectPtr object = id.openObject(OdDb::kForRead);
    if (object.isNull()) {
        return otherwise;
    }
    const OdDbSymbolTableRecordPtr record = object;
    return CKvString(record->getName().c_str());
}

}  // namespace

CKvDimStylePluginImpl::CKvDimStylePluginImpl() = default;

CKvDimStylePluginImpl::~CKvDimStylePluginImpl() = default;

bool CKvDimStylePluginImpl::isChildStyleName(const CKvString& name)
{
    // A dollar sign and one of 0, 2, 3, 4, 6, 7 or a comma at the end. The pattern is built on
    // the heap: Qt caches compiled patterns by their text until the process ends, after the
    // module (and any text it holds) has been unloaded.
    static const QRegExp childStyle(QString::fromLatin1("\\$[0,2-4,6-7]{1,1}$"), Qt::CaseSensitive,
                                    QRegExp::RegExp);
    return childStyle.indexIn(name.toQString()) != -1;
}

OdDbObjectId CKvDimStylePluginImpl::tableOf(const OdDbDatabase& database)
{
    return database.getDimStyleTableId();
}

bool CKvDimStylePluginImpl::inContext(const OdDbDimStyleTableRecord& style) const
{
    return !isChildStyleName(CKvString(style.getName().c_str()));
}

bool CKvDimStylePluginImpl::inFullList(const OdDbDatabase&,
                                       const OdDbDimStyleTableRecord& style) const
{
    return inContext(style);
}

bool CKvDimStylePluginImpl::isStandard(const OdDbDimStyleTableRecord& style) const
{
    return inContext(style);
}

DimStyleCache* CKvDimStylePluginImpl::makeCache(OdDbDatabase&, const OdDbDimStyleTableRecord& style,
                                                const CKvString& path)
{
    auto* entry = new DimStyleCache;
    entry->name = CKvString(style.getName().c_str());
    entry->filePath = path;
    entry->fix = newFix(entry->name, path);
    entry->fix->SetFixObjectId(style.objectId());
    if (entry->fix->GetPropertyCount() == 0) {
        CKvStdsFix& fix = *entry->fix;
        addValues(style,
                  [&](const CKvString& name, OdResBufPtr value) { fix.AddProperty(name, value); });
    }
    return entry;
}

CKvStandardsPluginBase::Violation CKvDimStylePluginImpl::test(const OdDbDimStyleTableRecord& style,
                                                              const DimStyleCache* match)
{
    if (match == nullptr) {
        return Violation::kName;
    }
    // A standards style no longer at hand counts as conforming.
    const StylePtr standard = standardsStyle(match->filePath, match->name);
    if (standard.isNull()) {
        return Violation::kNone;
    }
    return compareDimStyleRecords(pointerTo(style), standard, false).empty()
               ? Violation::kNone
               : Violation::kProperties;
}

void CKvDimStylePluginImpl::addErrorValues(CKvStdsError& error,
                                           const OdDbDimStyleTableRecord& style) const
{
    addValues(style,
              [&](const CKvString& name, OdResBufPtr value) { error.AddProperty(name, value); });
}

CKvStandardsPluginBase::CandidatesPtr CKvDimStylePluginImpl::offerFor(Violation violation,
                                                                      CKvStdsError& error)
{
    const CKvString name = nameOf(error.GetObjectId(), error.GetObjectName());
    if (violation == Violation::kName) {
        if (positionsOf(name).empty()) {
            // No standards style has that name in any case: the same list for every one.
            return sharedCandidates(L"name", [&] {
                return collectCandidates([](const DimStyleCache&) { return true; });
            });
        }
        return std::make_shared<const Candidates>(
            collectCandidates([&](const DimStyleCache& record) { return record.name != name; }));
    }
    const auto atHand = [&](const DimStyleCache& record) {
        return !standardsStyle(record.filePath, record.name).isNull();
    };
    const CKvString iso25("ISO-25");
    if (name.CompareNoCase(iso25) == 0) {
        // A style named ISO-25 is offered only the standards ISO-25 styles.
        return std::make_shared<const Candidates>(collectCandidates(positionsOf(iso25), atHand));
    }
    return sharedCandidates(L"at hand", [&] { return collectCandidates(atHand); });
}

void CKvDimStylePluginImpl::fillRecommended(CKvStdsFix& fix, const DimStyleCache& candidate)
{
    fix.SetFixObjectName(candidate.name);
    fix.SetStandardsFile(candidate.filePath);
    fix.SetFixDisplayName(candidate.name);
    const StylePtr standard = standardsStyle(candidate.filePath, candidate.name);
    if (!standard.isNull() && fix.GetPropertyCount() == 0) {
        addValues(*standard,
                  [&](const CKvString& name, OdResBufPtr value) { fix.AddProperty(name, value); });
    }
}

bool CKvDimStylePluginImpl::valuesDiffer(const CKvString&, const OdResBufPtr& current,
                                         const OdResBufPtr& standard) const
{
    if (current.isNull() || standard.isNull()) {
        return current.isNull() != standard.isNull();
    }
    return current->getString() != standard->getString();
}

void CKvDimStylePluginImpl::GetPropertyDiffs(OdSmartPtr<CKvStdsError> error,
                                             OdSmartPtr<CKvStdsFix> fix,
                                             std::vector<CKvString>& names,
                                             OdArray<OdSmartPtr<OdResBuf>>& errorValues,
                                             OdArray<OdSmartPtr<OdResBuf>>& fixValues,
                                             std::vector<CKvString>&)
{
    if (error.isNull() || fix.isNull() || standardsDatabase(fix->GetStandardsFile()).isNull()) {
        return;
    }
    // The properties in which the two styles differ now; the values shown are those of the
    // check (the error) and of the standards when the fix was made.
    const StylePtr standard = standardsStyle(fix->GetStandardsFile(), fix->GetFixDisplayName());
    const OdDbObjectPtr object = error->GetObjectId().openObject(OdDb::kForRead);
    const StylePtr style = object.isNull() ? StylePtr() : StylePtr(object);
    std::vector<CKvString> differing;
    OdArray<OdSmartPtr<OdResBuf>> current;
    OdArray<OdSmartPtr<OdResBuf>> wanted;
    for (const CompareEntry& entry : compareDimStyleRecords(style, standard, false)) {
        const CKvString entryName(entry.name);
        differing.push_back(descriptionFor(entryName));
        current.append(error->GetPropertyValue(entryName));
        wanted.append(fix->GetPropertyValue(entryName));
    }
    names = std::move(differing);
    errorValues = current;
    fixValues = wanted;
}

OdSmartPtr<OdDbDimStyleTableRecord> CKvDimStylePluginImpl::standardsStyle(const CKvString& path,
                                                                          const CKvString& name)
{
    const OdSmartPtr<OdDbDatabase> standards = standardsDatabase(path);
    if (standards.isNull()) {
        return StylePtr();
    }
    const OdDbSymbolTablePtr table = standards->getDimStyleTableId().safeOpenObject();
    const OdDbSymbolTableRecordPtr record =
        table->getAt(OdString(name.c_str()), OdDb::kForRead, false);
    return record.isNull() ? StylePtr() : StylePtr(record);
}

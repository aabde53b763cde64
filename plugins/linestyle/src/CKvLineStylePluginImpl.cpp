#include "CKvLineStylePluginImpl.h"

#include <DbDatabase.h>

#include <QtGlobal>

#include <memory>

const CKvPluginInfo CKvLineStylePluginImpl::kInfo = {
    "CKvLineStylePluginImpl",
    QT_TRANSLATE_NOOP("CKvLineStylePluginImpl", "Line Styles"),
    QT_TRANSLATE_NOOP(
        "CKvLineStylePluginImpl",
        "Verifies that names and properties of line style in a drawing match those in an "
        "associated standards file."),
    L"6AA1E422-764F-4b58-83DE-69F5897B7D78",
    L"LTYPE",
    QT_TRANSLATE_NOOP("CKvLineStylePluginImpl", "LineStyle"),
};

namespace {

const char* const kName = QT_TRANSLATE_NOOP("CKvLineStylePluginImpl", "Name");
const char* const kDashes = QT_TRANSLATE_NOOP("CKvLineStylePluginImpl", "Dashes");
const char* const kPatternLength = QT_TRANSLATE_NOOP("CKvLineStylePluginImpl", "Pattern Length");

constexpr double kTolerance = 1e-10;

CKvString property(const char* name)
{
    return CKvString(QCoreApplication::translate("CKvLineStylePluginImpl", name));
}

bool withinTolerance(double difference)
{
    return difference >= -kTolerance && difference <= kTolerance;
}

LineStyleCache valuesOf(const OdDbLinetypeTableRecord& lineStyle)
{
    LineStyleCache values;
    values.name = CKvString(lineStyle.getName().c_str());
    values.dashes = lineStyle.numDashes();
    values.patternLength = lineStyle.patternLength();
    return values;
}

}  // namespace

CKvLineStylePluginImpl::CKvLineStylePluginImpl() = default;

CKvLineStylePluginImpl::~CKvLineStylePluginImpl() = default;

void CKvLineStylePluginImpl::makeResbufChain(bool toFix, OdSmartPtr<CKvStdsFix> fix,
                                             OdSmartPtr<CKvStdsError> error, LineStyleCache* values)
{
    const OdResBufPtr items[] = {
        OdResBuf::newRb(5005, OdString(values->name.c_str())),
        OdResBuf::newRb(5010, static_cast<OdInt32>(values->dashes)),
        OdResBuf::newRb(5001, values->patternLength),
    };
    const char* const names[] = {kName, kDashes, kPatternLength};
    for (int i = 0; i < 3; ++i) {
        if (toFix) {
            fix->AddProperty(property(names[i]), items[i]);
        } else {
            error->AddProperty(property(names[i]), items[i]);
        }
    }
}

void CKvLineStylePluginImpl::makeResbufChain(bool skip, OdSmartPtr<CKvStdsError> error,
                                             OdDbLinetypeTableRecord* record)
{
    if (skip) {
        return;
    }
    LineStyleCache values = valuesOf(*record);
    makeResbufChain(false, OdSmartPtr<CKvStdsFix>(), error, &values);
}

LineStyleCache* CKvLineStylePluginImpl::getCache(bool fromFix, OdSmartPtr<CKvStdsFix> fix,
                                                 OdSmartPtr<CKvStdsError> error)
{
    const auto value = [&](const char* name) {
        return fromFix ? fix->GetPropertyValue(property(name))
                       : error->GetPropertyValue(property(name));
    };
    auto* values = new LineStyleCache;
    if (const OdResBufPtr name = value(kName)) {
        values->name = CKvString(name->getString().c_str());
    }
    if (const OdResBufPtr dashes = value(kDashes)) {
        values->dashes = dashes->getInt32();
    }
    if (const OdResBufPtr length = value(kPatternLength)) {
        values->patternLength = length->getDouble();
    }
    return values;
}

bool CKvLineStylePluginImpl::compare(OdDbLinetypeTableRecord* record, LineStyleCache* values)
{
    LineStyleCache recordValues = valuesOf(*record);
    return compare(&recordValues, values);
}

bool CKvLineStylePluginImpl::compare(LineStyleCache* a, LineStyleCache* b)
{
    return a->name.CompareNoCase(b->name) == 0 && a->dashes == b->dashes &&
           withinTolerance(b->patternLength - a->patternLength);
}

bool CKvLineStylePluginImpl::compare(OdSmartPtr<OdResBuf> a, OdSmartPtr<OdResBuf> b)
{
    if (a.isNull() || b.isNull() || a->restype() != b->restype()) {
        return false;
    }
    switch (a->restype()) {
        case 5005:
            return a->getString().iCompare(b->getString()) == 0;
        case 5010:
            return a->getInt32() == b->getInt32();
        case 5001:
            return withinTolerance(a->getDouble() - b->getDouble());
        default:
            return false;
    }
}

OdDbObjectId CKvLineStylePluginImpl::tableOf(const OdDbDatabase& database)
{
    return database.getLinetypeTableId();
}

bool CKvLineStylePluginImpl::inContext(const OdDbLinetypeTableRecord&) const
{
    // A restricted check may examine the built-in line styles too.
    return true;
}

bool CKvLineStylePluginImpl::inFullList(const OdDbDatabase& drawing,
                                        const OdDbLinetypeTableRecord& lineStyle) const
{
    const OdDbObjectId id = lineStyle.objectId();
    return id != drawing.getLinetypeByLayerId() && id != drawing.getLinetypeByBlockId() &&
           id != drawing.getLinetypeContinuousId();
}

bool CKvLineStylePluginImpl::isStandard(const OdDbLinetypeTableRecord&) const
{
    return true;
}

LineStyleCache* CKvLineStylePluginImpl::makeCache(OdDbDatabase&,
                                                  const OdDbLinetypeTableRecord& lineStyle,
                                                  const CKvString& path)
{
    auto* entry = new LineStyleCache(valuesOf(lineStyle));
    entry->standardsFile = path;
    entry->fix = newFix(entry->name, path);
    if (entry->fix->GetPropertyCount() == 0) {
        makeResbufChain(true, entry->fix, OdSmartPtr<CKvStdsError>(), entry);
    }
    return entry;
}

CKvStandardsPluginBase::Violation CKvLineStylePluginImpl::test(
    const OdDbLinetypeTableRecord& lineStyle, const LineStyleCache* match) const
{
    if (match == nullptr) {
        return Violation::kName;
    }
    if (lineStyle.numDashes() != match->dashes ||
        !withinTolerance(lineStyle.patternLength() - match->patternLength)) {
        return Violation::kProperties;
    }
    return Violation::kNone;
}

void CKvLineStylePluginImpl::addErrorValues(CKvStdsError& error,
                                            const OdDbLinetypeTableRecord& lineStyle)
{
    makeResbufChain(false, OdSmartPtr<CKvStdsError>(&error),
                    const_cast<OdDbLinetypeTableRecord*>(&lineStyle));
}

CKvStandardsPluginBase::CandidatesPtr CKvLineStylePluginImpl::offerFor(Violation violation,
                                                                       CKvStdsError& error)
{
    const OdSmartPtr<CKvStdsError> errorPtr(&error);
    const std::unique_ptr<LineStyleCache> values(
        getCache(false, OdSmartPtr<CKvStdsFix>(), errorPtr));
    const CKvString name = values->name;
    const std::vector<int>& sameName = positionsOf(name);
    if (isBuiltIn(error.GetObjectId())) {
        // ByBlock, ByLayer and Continuous stay in every drawing: they can only be made like a
        // standards line style of their own name.
        return std::make_shared<const Candidates>(
            collectCandidates(sameName, [&](const LineStyleCache& record) {
                return !compare(values.get(), const_cast<LineStyleCache*>(&record));
            }));
    }
    if (violation == Violation::kName) {
        if (sameName.empty()) {
            // No standards line style has that name in any case: the same list for every one.
            return sharedCandidates(L"all", [&] {
                return collectCandidates([](const LineStyleCache&) { return true; });
            });
        }
        return std::make_shared<const Candidates>(
            collectCandidates([&](const LineStyleCache& record) { return record.name != name; }));
    }
    // Every standards line style that differs: all of them unless one of the same name is equal.
    const bool anyEqual = std::any_of(sameName.begin(), sameName.end(), [&](int position) {
        return compare(values.get(), m_cache[static_cast<unsigned>(position)]);
    });
    if (!anyEqual) {
        return sharedCandidates(
            L"all", [&] { return collectCandidates([](const LineStyleCache&) { return true; }); });
    }
    return std::make_shared<const Candidates>(collectCandidates([&](const LineStyleCache& record) {
        return !compare(values.get(), const_cast<LineStyleCache*>(&record));
    }));
}

void CKvLineStylePluginImpl::fillRecommended(CKvStdsFix& fix, const LineStyleCache& candidate)
{
    fix.SetFixObjectName(candidate.name);
    fix.SetStandardsFile(candidate.standardsFile);
    fix.SetFixDisplayName(candidate.name);
    if (fix.GetPropertyCount() == 0) {
        makeResbufChain(true, OdSmartPtr<CKvStdsFix>(&fix), OdSmartPtr<CKvStdsError>(),
                        const_cast<LineStyleCache*>(&candidate));
    }
}

bool CKvLineStylePluginImpl::valuesDiffer(const CKvString&, const OdResBufPtr& current,
                                          const OdResBufPtr& standard)
{
    return !compare(current, standard);
}

#include "CKvTextStylePluginImpl.h"

#include <algorithm>
#include <memory>

CKvStandardsPluginBase::CandidatesPtr CKvTextStylePluginImpl::offerFor(Violation violation,
                                                                       CKvStdsError& error)
{
    const std::unique_ptr<TextStyleCache> values(
        getCache(false, OdSmartPtr<CKvStdsFix>(), OdSmartPtr<CKvStdsError>(&error)));
    const CKvString name = values->name;
    const std::vector<int>& sameName = positionsOf(name);
    const auto everyStyle = [this] {
        return collectCandidates([](const TextStyleCache&) { return true; });
    };
    if (violation == Violation::kName) {
        if (sameName.empty()) {
            // No standards text style has that name in any case: the same list for every one.
            return sharedCandidates(L"all", everyStyle);
        }
        return std::make_shared<const Candidates>(
            collectCandidates([&](const TextStyleCache& record) { return record.name != name; }));
    }
    const auto differs = [&](const TextStyleCache& record) {
        return !compare(values.get(), const_cast<TextStyleCache*>(&record));
    };
    if (name.CompareNoCase(CKvString("Standard")) == 0) {
        // Every drawing has its Standard style: it can only be made like a standards Standard.
        return std::make_shared<const Candidates>(collectCandidates(sameName, differs));
    }
    // Only a style of the same name can be equal; unless one is, every standards style is offered.
    if (std::all_of(sameName.begin(), sameName.end(), [&](int position) {
            return differs(*m_cache[static_cast<unsigned>(position)]);
        })) {
        return sharedCandidates(L"all", everyStyle);
    }
    return std::make_shared<const Candidates>(collectCandidates(differs));
}

void CKvTextStylePluginImpl::fillRecommended(CKvStdsFix& fix, const TextStyleCache& candidate)
{
    fix.SetFixObjectName(candidate.name);
    fix.SetStandardsFile(candidate.standardsFile);
    fix.SetFixDisplayName(candidate.name);
    if (fix.GetPropertyCount() == 0) {
        makeResbufChain(true, OdSmartPtr<CKvStdsFix>(&fix), OdSmartPtr<CKvStdsError>(),
                        const_cast<TextStyleCache*>(&candidate));
    }
}

bool CKvTextStylePluginImpl::valuesDiffer(const CKvString&, const OdResBufPtr& current,
                                          const OdResBufPtr& standard)
{
    return !compare(current, standard);
}

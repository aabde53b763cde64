#include "CKvVerifyStandardsInfo.h"

#include <utility>

void CKvVerifyStandardsInfo::setError(OdSmartPtr<CKvStdsError> error)
{
    m_pError = std::move(error);
}

OdSmartPtr<CKvStdsError> CKvVerifyStandardsInfo::getError() const
{
    return m_pError;
}

void CKvVerifyStandardsInfo::setCurrentPlugin(OdSmartPtr<CKvStdsPlugins> plugin)
{
    m_pCurrentPlugin = std::move(plugin);
}

OdSmartPtr<CKvStdsPlugins> CKvVerifyStandardsInfo::getCurrentPlugin() const
{
    return m_pCurrentPlugin;
}

void CKvVerifyStandardsInfo::setFixArray(OdArray<OdSmartPtr<CKvStdsFix>> fixes)
{
    m_fixArray = std::move(fixes);
}

OdArray<OdSmartPtr<CKvStdsFix>> CKvVerifyStandardsInfo::getFixArray() const
{
    return m_fixArray;
}

void CKvVerifyStandardsInfo::setRecommendedFixIdx(int index)
{
    m_recommendedFixIdx = index;
}

int CKvVerifyStandardsInfo::getRecommendedFixIdx() const
{
    return m_recommendedFixIdx;
}

void CKvVerifyStandardsInfo::setIgnoredByUserName(CKvString userName)
{
    m_ignoredByUserName = std::move(userName);
}

CKvString CKvVerifyStandardsInfo::getIgnoredByUserName() const
{
    return m_ignoredByUserName;
}

void CKvVerifyStandardsInfo::setIsFixed(bool fixed)
{
    m_isFixed = fixed;
}

bool CKvVerifyStandardsInfo::getIsFixed() const
{
    return m_isFixed;
}

void CKvVerifyStandardsInfo::setIsIgnored(bool ignored)
{
    m_isIgnored = ignored;
}

bool CKvVerifyStandardsInfo::getIsIgnored() const
{
    return m_isIgnored;
}

void CKvVerifyStandardsInfo::setIsManualFixed(bool fixed)
{
    m_isManualFixed = fixed;
}

bool CKvVerifyStandardsInfo::getIsManualFixed() const
{
    return m_isManualFixed;
}

#include "CKvStandardsPluginBase.h"

#include <CKvStdsFix.h>

#include <QCoreApplication>

CKvStandardsPluginBase::CKvStandardsPluginBase(const CKvPluginInfo& info) : m_info(info) {}

CKvStandardsPluginBase::~CKvStandardsPluginBase() = default;

void CKvStandardsPluginBase::Initialize(CKvStdsManager* manager)
{
    m_manager = manager;
}

void CKvStandardsPluginBase::SetContext(OdArray<OdDbObjectId>, bool) {}

void CKvStandardsPluginBase::SetupForAudit(OdSmartPtr<OdDbDatabase>, CKvString,
                                           std::vector<CKvString>, std::vector<CKvString>)
{}

std::vector<CKvString> CKvStandardsPluginBase::GetObjectFilter()
{
    return {CKvString(m_info.objectFilter)};
}

CKvString CKvStandardsPluginBase::Author()
{
    return CKvString();
}

CKvString CKvStandardsPluginBase::Description()
{
    return CKvString(QCoreApplication::translate(m_info.className, m_info.description));
}

CKvString CKvStandardsPluginBase::HRef()
{
    return CKvString();
}

CKvString CKvStandardsPluginBase::Name()
{
    return CKvString(QCoreApplication::translate(m_info.className, m_info.name));
}

CKvString CKvStandardsPluginBase::Version()
{
    return CKvString("1.0");
}

CKvString CKvStandardsPluginBase::classId()
{
    return CKvString(m_info.classId);
}

bool CKvStandardsPluginBase::Enabled()
{
    return m_enabled;
}

void CKvStandardsPluginBase::setEnabled(bool enabled)
{
    m_enabled = enabled;
}

void CKvStandardsPluginBase::Start(OdSmartPtr<CKvStdsError>) {}

void CKvStandardsPluginBase::Next() {}

bool CKvStandardsPluginBase::Done()
{
    return true;
}

void CKvStandardsPluginBase::Clear() {}

bool CKvStandardsPluginBase::CheckSysvar(CKvString, bool)
{
    return true;
}

void CKvStandardsPluginBase::FixError(OdSmartPtr<CKvStdsError>, OdSmartPtr<CKvStdsFix>,
                                      CKvString& message)
{
    message = CKvString();
}

void CKvStandardsPluginBase::GetAllFixes(OdSmartPtr<CKvStdsError>, OdArray<OdSmartPtr<CKvStdsFix>>&,
                                         int&)
{}

OdSmartPtr<CKvStdsError> CKvStandardsPluginBase::GetError()
{
    return OdSmartPtr<CKvStdsError>();
}

void CKvStandardsPluginBase::GetPropertyDiffs(OdSmartPtr<CKvStdsError>, OdSmartPtr<CKvStdsFix>,
                                              std::vector<CKvString>&,
                                              OdArray<OdSmartPtr<OdResBuf>>&,
                                              OdArray<OdSmartPtr<OdResBuf>>&,
                                              std::vector<CKvString>&)
{}

OdSmartPtr<CKvStdsFix> CKvStandardsPluginBase::GetRecommendedFix(OdSmartPtr<CKvStdsError>)
{
    return CKvStdsFix::createObject();
}

void CKvStandardsPluginBase::UpdateStatus(OdSmartPtr<CKvStdsError>) {}

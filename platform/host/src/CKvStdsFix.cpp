#include <CKvStdsFix.h>
#include <OdError.h>
#include <RxClass.h>

ODRX_DEFINE_MEMBERS(CKvStdsFix, OdRxObject, OdString())

CKvStdsFix::CKvStdsFix() = default;

CKvStdsFix::~CKvStdsFix() = default;

void CKvStdsFix::SetFixObjectName(const CKvString& name)
{
    m_objectName = name;
}

CKvString CKvStdsFix::GetFixObjectName() const
{
    return m_objectName;
}

void CKvStdsFix::SetFixObjectId(const OdDbObjectId& id)
{
    m_objectId = id;
}

OdDbObjectId CKvStdsFix::GetFixObjectId() const
{
    return m_objectId;
}

void CKvStdsFix::SetFixDisplayName(const CKvString& name)
{
    m_displayName = name;
}

CKvString CKvStdsFix::GetFixDisplayName() const
{
    return m_displayName;
}

int CKvStdsFix::GetPropertyCount() const
{
    return static_cast<int>(m_properties.size());
}

OdResBufPtr CKvStdsFix::GetPropertyValue(const CKvString& name) const
{
    const auto found = m_properties.find(name);
    return found == m_properties.end() ? OdResBufPtr() : found->second;
}

void CKvStdsFix::AddProperty(const CKvString& name, OdResBufPtr value)
{
    if (!value.isNull()) {
        m_properties[name] = value;
    }
}

std::map<CKvString, OdResBufPtr> CKvStdsFix::GetProperties() const
{
    return m_properties;
}

void CKvStdsFix::SetStandardsFile(const CKvString& path)
{
    m_standardsFile = path;
}

CKvString CKvStdsFix::GetStandardsFile() const
{
    return m_standardsFile;
}

#include <CKvStdsError.h>
#include <CKvStdsPlugins.h>
#include <DbObject.h>
#include <OdError.h>
#include <RxClass.h>

ODRX_DEFINE_MEMBERS(CKvStdsError, OdRxObject, OdString())

CKvStdsError::CKvStdsError() = default;

CKvStdsError::~CKvStdsError() = default;

CKvString CKvStdsError::GetObjectTypeId() const
{
    const OdDbObjectPtr pObject = m_objectId.openObject();
    if (pObject.isNull() || pObject->isA() == nullptr) {
        return CKvString();
    }
    return pObject->isA()->dxfName();
}

void CKvStdsError::SetObjectId(const OdDbObjectId& id)
{
    m_objectId = id;
}

OdDbObjectId CKvStdsError::GetObjectId() const
{
    return m_objectId;
}

void CKvStdsError::SetObjectType(const CKvString& type)
{
    m_objectType = type;
}

CKvString CKvStdsError::GetObjectType() const
{
    return m_objectType;
}

void CKvStdsError::SetDescription(const CKvString& description)
{
    m_description = description;
}

CKvString CKvStdsError::GetDescription() const
{
    return m_description;
}

void CKvStdsError::SetObjectName(const CKvString& name)
{
    m_objectName = name;
}

CKvString CKvStdsError::GetObjectName() const
{
    return m_objectName;
}

void CKvStdsError::SetPlugin(OdSmartPtr<CKvStdsPlugins> plugin)
{
    m_pPlugin = plugin;
}

OdSmartPtr<CKvStdsPlugins> CKvStdsError::GetPlugin() const
{
    return m_pPlugin;
}

int CKvStdsError::GetPropertyCount() const
{
    return static_cast<int>(m_properties.size());
}

OdResBufPtr CKvStdsError::GetPropertyValue(const CKvString& name) const
{
    const auto found = m_properties.find(name);
    return found == m_properties.end() ? OdResBufPtr() : found->second;
}

void CKvStdsError::AddProperty(const CKvString& name, OdResBufPtr value)
{
    if (!value.isNull()) {
        m_properties[name] = value;
    }
}

void CKvStdsError::Reset()
{
    m_objectId = OdDbObjectId();
    m_objectType = CKvString();
    m_description = CKvString();
    m_objectName = CKvString();
    m_pPlugin = nullptr;
    m_properties.clear();
    m_ignored = false;
    m_ignoredBy = CKvString();
}

void CKvStdsError::GetIgnoredState(bool& ignored, CKvString& userName) const
{
    ignored = m_ignored;
    userName = m_ignoredBy;
}

void CKvStdsError::SetIgnoredState(bool ignored, const CKvString& userName)
{
    m_ignored = ignored;
    m_ignoredBy = userName;
}

std::map<CKvString, OdResBufPtr> CKvStdsError::GetProperties() const
{
    return m_properties;
}

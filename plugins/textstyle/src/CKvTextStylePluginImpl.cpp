#include "CKvTextStylePluginImpl.h"

#include "TextStyleProperties.h"

#include <DbDatabase.h>
#include <DbSymbolTable.h>

#include <QtGlobal>

const CKvPluginInfo CKvTextStylePluginImpl::kInfo = {
    "CKvTextStylePluginImpl",
    QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "Text Styles"),
    QT_TRANSLATE_NOOP(
        "CKvTextStylePluginImpl",
        "Verifies that names and properties of text styles in a drawing match those in an "
        "associated standards file."),
    L"AAC6DB88-85CC-4d38-BA98-511A5845362E",
    L"STYLE",
    QT_TRANSLATE_NOOP("CKvTextStylePluginImpl", "TextStyle"),
};

CKvTextStylePluginImpl::CKvTextStylePluginImpl() = default;

CKvTextStylePluginImpl::~CKvTextStylePluginImpl() = default;

OdDbObjectId CKvTextStylePluginImpl::tableOf(const OdDbDatabase& database)
{
    return database.getTextStyleTableId();
}

bool CKvTextStylePluginImpl::inContext(const OdDbTextStyleTableRecord& textStyle) const
{
    // A shape-file record names the shapes of shape entities and complex line styles: it is no
    // text style.
    return !textStyle.isShapeFile();
}

bool CKvTextStylePluginImpl::inFullList(const OdDbDatabase&,
                                        const OdDbTextStyleTableRecord& textStyle) const
{
    return !textStyle.isShapeFile() && !textStyle.getName().isEmpty();
}

bool CKvTextStylePluginImpl::isStandard(const OdDbTextStyleTableRecord& textStyle) const
{
    return !textStyle.isShapeFile();
}

TextStyleCache* CKvTextStylePluginImpl::makeCache(OdDbDatabase&,
                                                  const OdDbTextStyleTableRecord& textStyle,
                                                  const CKvString& path)
{
    auto* entry = new TextStyleCache(textStyleValuesOf(textStyle));
    entry->standardsFile = path;
    // No standards drawing is kept for the fixes: the fix carries every value.
    entry->fix = newFix(entry->name, path);
    if (entry->fix->GetPropertyCount() == 0) {
        makeResbufChain(true, entry->fix, OdSmartPtr<CKvStdsError>(), entry);
    }
    return entry;
}

CKvStandardsPluginBase::Violation CKvTextStylePluginImpl::test(
    const OdDbTextStyleTableRecord& textStyle, const TextStyleCache* match)
{
    if (!foundByName(textStyle)) {
        return Violation::kNone;
    }
    if (match == nullptr) {
        return Violation::kName;
    }
    return compare(const_cast<OdDbTextStyleTableRecord*>(&textStyle),
                   const_cast<TextStyleCache*>(match))
               ? Violation::kNone
               : Violation::kProperties;
}

bool CKvTextStylePluginImpl::foundByName(const OdDbTextStyleTableRecord& textStyle) const
{
    const OdDbDatabase* drawing = m_drawing.isNull() ? textStyle.database() : m_drawing.get();
    if (drawing == nullptr) {
        return true;
    }
    const OdDbObjectPtr object = drawing->getTextStyleTableId().openObject(OdDb::kForRead);
    const OdDbSymbolTablePtr table = OdDbSymbolTable::cast(object.get());
    if (table.isNull()) {
        return true;
    }
    return !table->getAt(textStyle.getName()).isNull();
}

void CKvTextStylePluginImpl::addErrorValues(CKvStdsError& error,
                                            const OdDbTextStyleTableRecord& textStyle)
{
    makeResbufChain(false, OdSmartPtr<CKvStdsError>(&error),
                    const_cast<OdDbTextStyleTableRecord*>(&textStyle));
}

#include "CKvTextStylePluginImpl.h"

#include <CKvObjectAnnotationContext.h>
#include <DbArcAlignedText.h>
#include <DbBlockReference.h>
#include <DbDatabase.h>
#include <DbMText.h>
#include <DbRText.h>
#include <DbSymbolTable.h>
#include <DbTable.h>
#include <DbText.h>

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

namespace {

// Writes the values of a fix into a text style record; the name is the caller's.
void applyValues(OdDbTextStyleTableRecord& record, const TextStyleCache& values)
{
    record.setFileName(values.font.toOdString());
    record.setBigFontFileName(values.bigFont.toOdString());
    record.setTextSize(values.textHeight);
    record.setIsUpsideDown(values.upsideDown);
    record.setIsVertical(values.vertical);
    record.setIsBackwards(values.backwards);
    record.setXScale(values.width);
    record.setObliquingAngle(values.obliqueAngle);
    CKvObjectAnnotationContext::SetAnnotative(record.objectId(), values.annotative,
                                              values.matchOrientation);
    // An SHX font has no font style: its description stays as it is.
    if (values.fontStyle.isEmpty()) {
        return;
    }
    const bool bold = values.fontStyle.CompareNoCase(CKvString("Bold Italic")) == 0 ||
                      values.fontStyle.CompareNoCase(CKvString("Bold")) == 0;
    const bool italic = values.fontStyle.CompareNoCase(CKvString("Bold Italic")) == 0 ||
                        values.fontStyle.CompareNoCase(CKvString("Italic")) == 0;
    OdString typeface;
    bool wasBold = false;
    bool wasItalic = false;
    int charset = 0;
    int pitchAndFamily = 0;
    record.font(typeface, wasBold, wasItalic, charset, pitchAndFamily);
    record.setFont(typeface, bold, italic, charset, pitchAndFamily);
}

// Calls visit(style, repoint) for each text style the entity reads, with what re-points it; an
// entity may be more than one kind of text (attributes and attribute definitions are texts).
template <class Visit>
void forEachTextStyle(Visit visit, OdDbObject* entity)
{
    if (OdDbText* text = OdDbText::cast(entity).get(); text != nullptr) {
        visit(text->textStyle(), [text](OdDbObjectId style) { text->setTextStyle(style); });
    }
    if (OdDbMText* mtext = OdDbMText::cast(entity).get(); mtext != nullptr) {
        visit(mtext->textStyle(), [mtext](OdDbObjectId style) { mtext->setTextStyle(style); });
    }
    if (OdDbArcAlignedText* arcText = OdDbArcAlignedText::cast(entity).get(); arcText != nullptr) {
        visit(arcText->textStyle(),
              [arcText](OdDbObjectId style) { arcText->setTextStyle(style); });
    }
    if (OdDbTable* table = OdDbTable::cast(entity).get(); table != nullptr) {
        // A table whose data rows use the old style takes the new one in every row type.
        visit(table->textStyle(OdDbTable::kDataRow), [table](OdDbObjectId style) {
            table->setTextStyle(style,
                                OdDbTable::kDataRow | OdDbTable::kTitleRow | OdDbTable::kHeaderRow);
        });
    }
    if (RText* remote = RText::cast(entity).get(); remote != nullptr) {
        visit(remote->textStyleId(), [remote](OdDbObjectId style) { remote->setTextStyle(style); });
    }
}

}  // namespace

void CKvTextStylePluginImpl::moveObjects(OdSmartPtr<CKvStdsError> error, OdDbObjectId newStyle)
{
    if (error.isNull()) {
        return;
    }
    const OdDbObjectId oldStyle = error->GetObjectId();
    forEachUserOf(oldStyle, [&](OdDbObject& object) {
        forEachTextStyle(
            [&](OdDbObjectId style, const std::function<void(OdDbObjectId)>& repoint) {
                if (style == oldStyle) {
                    repoint(newStyle);
                }
            },
            &object);
    });
}

void CKvTextStylePluginImpl::recordsUsedBy(const OdDbObject& object,
                                           const std::function<void(OdDbObjectId)>& use) const
{
    forEachTextStyle(
        [&](OdDbObjectId style, const std::function<void(OdDbObjectId)>&) { use(style); },
        const_cast<OdDbObject*>(&object));
}

void CKvTextStylePluginImpl::FixError(OdSmartPtr<CKvStdsError> error, OdSmartPtr<CKvStdsFix> fix,
                                      CKvString& message)
{
    fix = fixToApply(error, fix, message);
    if (fix.isNull()) {
        return;
    }
    const std::unique_ptr<TextStyleCache> target(getCache(true, fix, OdSmartPtr<CKvStdsError>()));
    const CKvString oldName = error->GetObjectName();
    const OdDbSymbolTablePtr table =
        OdDbSymbolTable::cast(m_drawing->getTextStyleTableId().openObject(OdDb::kForWrite).get());
    if (table.isNull()) {
        return;
    }
    const OdDbObjectId standardId = table->getAt(target->name.toOdString());
    const OdDbObjectId oldId = table->getAt(oldName.toOdString());
    if (standardId.isNull()) {
        // The drawing lacks the standards name: the violating style takes it over.
        const OdDbTextStyleTableRecordPtr record =
            OdDbTextStyleTableRecord::cast(oldId.openObject(OdDb::kForWrite).get());
        if (!record.isNull()) {
            record->setName(target->name.toOdString());
            applyValues(*record, *target);
        }
        return;
    }
    if (const OdDbTextStyleTableRecordPtr standard =
            OdDbTextStyleTableRecord::cast(standardId.openObject(OdDb::kForWrite).get())) {
        applyValues(*standard, *target);
    }
    if (!oldId.isNull() && oldId != standardId && !oldId.openObject(OdDb::kForWrite).isNull()) {
        moveObjects(error, standardId);
    }
    if (m_drawing->getTEXTSTYLE() == oldId && !oldId.isNull()) {
        m_drawing->setTEXTSTYLE(standardId);
    }
    if (oldName.CompareNoCase(target->name) == 0 || oldId.isNull()) {
        return;  // corrected in place
    }
    OdDbObjectIdArray unused;
    unused.append(oldId);
    purgeUnused(unused);
}

#include <CKvDimStylePluginImpl.h>
#include <DbDatabase.h>
#include <DbDimStyleTableRecord.h>
#include <DbSymbolTable.h>
#include <DbTextStyleTableRecord.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Two drawings with a style ISO-25 each, equal until a case changes one of them.
struct DrawingPair
{
    OdDbDatabasePtr drawing = OdDbDatabase::createObject();
    OdDbDatabasePtr standards = OdDbDatabase::createObject();

    static OdDbDimStyleTableRecordPtr style(OdDbDatabase* db)
    {
        OdDbSymbolTablePtr table = db->getDimStyleTableId().safeOpenObject(OdDb::kForWrite);
        OdDbObjectId id = table->getAt(OdString("ISO-25"));
        if (id.isNull()) {
            OdDbDimStyleTableRecordPtr record = OdDbDimStyleTableRecord::createObject();
            record->setName(OdString("ISO-25"));
            id = table->add(record.get());
        }
        return id.safeOpenObject(OdDb::kForWrite);
    }
    std::vector<CompareEntry> diffs()
    {
        return CKvDimStylePluginImpl::compareDimStyleRecords(style(drawing.get()),
                                                             style(standards.get()), false);
    }
};

OdDbObjectId addTextStyle(OdDbDatabase* db, const char* name)
{
    OdDbSymbolTablePtr table = db->getTextStyleTableId().safeOpenObject(OdDb::kForWrite);
    OdDbTextStyleTableRecordPtr style = OdDbTextStyleTableRecord::createObject();
    style->setName(OdString(name));
    return table->add(style.get());
}

}  // namespace

TEST(DimStyleCompare, ValuesCompareAsRenderedText)
{
    struct Case
    {
        const char* what;
        std::function<void(DrawingPair&)> edit;
        const char* differing;  // the one entry expected to differ, or nullptr for none
    };
    const Case cases[] = {
        {"same values", [](DrawingPair&) {}, nullptr},
        {"reals equal to four decimals",
         [](DrawingPair& d) { DrawingPair::style(d.drawing.get())->setDimscale(1.00004); },
         nullptr},
        {"real differs in the fourth decimal",
         [](DrawingPair& d) { DrawingPair::style(d.drawing.get())->setDimscale(1.0001); },
         "DIMSCALE"},
        {"large reals render alike",
         [](DrawingPair& d) {
             DrawingPair::style(d.drawing.get())->setDimtxt(2500000.0);
             DrawingPair::style(d.standards.get())->setDimtxt(2500000.4);
         },
         nullptr},
        {"index colour against the same true colour",
         [](DrawingPair& d) {
             OdCmColor red;
             red.setRGB(255, 0, 0);
             DrawingPair::style(d.drawing.get())->setDimclrd(OdCmColor::fromIndex(1));
             DrawingPair::style(d.standards.get())->setDimclrd(red);
         },
         "DIMCLRD"},
        {"text styles of the same name in two drawings",
         [](DrawingPair& d) {
             DrawingPair::style(d.drawing.get())
                 ->setDimtxsty(addTextStyle(d.drawing.get(), "Notes"));
             DrawingPair::style(d.standards.get())
                 ->setDimtxsty(addTextStyle(d.standards.get(), "Notes"));
         },
         nullptr},
        {"text styles of other names",
         [](DrawingPair& d) {
             DrawingPair::style(d.drawing.get())
                 ->setDimtxsty(addTextStyle(d.drawing.get(), "Notes"));
             DrawingPair::style(d.standards.get())
                 ->setDimtxsty(addTextStyle(d.standards.get(), "Titles"));
         },
         "DIMTXSTY"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DrawingPair d;
        c.edit(d);
        const std::vector<CompareEntry> diffs = d.diffs();
        if (c.differing == nullptr) {
            EXPECT_TRUE(diffs.empty()) << diffs.front().name.toStdString();
        } else {
            ASSERT_EQ(diffs.size(), 1u);
            EXPECT_EQ(diffs[0].name.toStdString(), c.differing);
        }
    }
}

TEST(DimStyleCompare, AllListsEveryPropertyInTableOrderAndNullGivesNothing)
{
    DrawingPair d;
    OdDbDimStyleTableRecordPtr style = DrawingPair::style(d.drawing.get());
    const std::vector<CompareEntry> all =
        CKvDimStylePluginImpl::compareDimStyleRecords(style, style, true);
    ASSERT_EQ(all.size(), 79u);
    EXPECT_EQ(all.front().name.toStdString(), "DIMADEC");
    EXPECT_EQ(all.back().name.toStdString(), "ANNOTATIVE");
    EXPECT_EQ(all.back().firstValue.toStdString(), "false");
    EXPECT_TRUE(
        CKvDimStylePluginImpl::compareDimStyleRecords(style, OdDbDimStyleTableRecordPtr(), true)
            .empty());
}

#include <CKvDatabase.h>
#include <CKvDimStylePluginImpl.h>
#include <DbDatabase.h>
#include <DbDimStyleTableRecord.h>

#include <gtest/gtest.h>

#include <DimStyleProperties.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

// Every compared dimension variable is one the database defines (by entry name).
TEST(DimStyleProperties, EveryVariableRowIsADimensionVariableOfTheDatabase)
{
    std::ifstream in(KV_DIMVARS_INC);
    ASSERT_TRUE(in.good());
    std::set<std::string> defined;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("DIMVAR(", 0) == 0) {
            defined.insert(line.substr(7, line.find(',') - 7));
        }
    }
    std::set<std::string> seen;
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        const std::string entry = kDimStyleProperties[i].entry;
        SCOPED_TRACE(entry);
        EXPECT_TRUE(seen.insert(entry).second) << "listed twice";
        if (entry != "ANNOTATIVE") {
            EXPECT_EQ(defined.count(entry), 1u);
            // Copied either as a value or as a reference, never both.
            const DimStyleProperty& row = kDimStyleProperties[i];
            EXPECT_NE(row.copy == nullptr, row.reference == DimStyleReference::kNone);
            EXPECT_EQ(row.referenceOf == nullptr, row.reference == DimStyleReference::kNone);
        }
    }
}

TEST(DimStyleProperties, RowsRenderAndCopyTheirOwnVariable)
{
    OdDbDatabasePtr db = OdDbDatabase::createObject();
    CKvDatabase drawing(db.get());
    OdDbDimStyleTableRecordPtr source = OdDbDimStyleTableRecord::createObject();
    OdDbDimStyleTableRecordPtr target = OdDbDimStyleTableRecord::createObject();
    source->setDimasz(2.5);
    source->setDimtad(3);
    source->setDimtih(false);
    source->setDimlwd(OdDb::kLnWt035);
    source->setDimpost(OdString("<> mm"));
    source->setDimclrt(OdCmColor::fromIndex(3));
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        const DimStyleProperty& row = kDimStyleProperties[i];
        if (row.copy != nullptr) {
            row.copy(*target, drawing, *source);
        }
    }
    for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
        const DimStyleProperty& row = kDimStyleProperties[i];
        SCOPED_TRACE(row.entry);
        if (row.copy != nullptr) {
            EXPECT_EQ(row.render(*target).toUtf8(), row.render(*source).toUtf8());
        }
    }
    auto rendered = [&](const char* entry) {
        for (size_t i = 0; i < kDimStylePropertyCount; ++i) {
            if (std::string(kDimStyleProperties[i].entry) == entry) {
                return kDimStyleProperties[i].render(*target).toUtf8();
            }
        }
        return std::string("missing");
    };
    EXPECT_EQ(rendered("DIMASZ"), "2.5");
    EXPECT_EQ(rendered("DIMTAD"), "3");
    EXPECT_EQ(rendered("DIMTIH"), "false");
    EXPECT_EQ(rendered("DIMLWD"), "0.35 mm");
    EXPECT_EQ(rendered("DIMPOST"), "<> mm");
    EXPECT_EQ(rendered("DIMCLRT"), "green");
    EXPECT_EQ(rendered("DIMDSEP"), "46");
    // The drawing's own variables take the values too.
    EXPECT_DOUBLE_EQ(db->dimasz(), 2.5);
    EXPECT_EQ(db->dimtad(), 3);
    EXPECT_EQ(db->dimpost(), OdString("<> mm"));
}

TEST(DimStyleProperties, DescriptionsAreFoundIgnoringCase)
{
    CKvDimStylePluginImpl plugin;
    EXPECT_EQ(plugin.descriptionFor(CKvString("dimasz")).toUtf8(), "Arrow size");
    EXPECT_EQ(plugin.descriptionFor(CKvString("DIMTVP")).toUtf8(), "Text pos vert");
    EXPECT_EQ(plugin.descriptionFor(CKvString("DIMTAD")).toUtf8(), "Text pos vert");
    EXPECT_EQ(plugin.descriptionFor(CKvString("DIMMZF")).toUtf8(), "");
    EXPECT_EQ(plugin.descriptionFor(CKvString("annotative")).toUtf8(), "Annotative");
    EXPECT_EQ(plugin.descriptionFor(CKvString("NOSUCH")).toUtf8(), "");
}

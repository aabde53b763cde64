#include <CKvDimStylePluginImpl.h>

#include <gtest/gtest.h>

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

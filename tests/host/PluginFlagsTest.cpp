// The plug-ins' enabled flags: stored with the standards settings, given back to the plug-ins.
#include "StandardsConfigTestUtil.h"

#include <CKvPluginFlags.h>
#include <CKvStandardsSettings.h>

#include <gtest/gtest.h>

#include <optional>

TEST(PluginFlags, FlagsAreStoredByClassIdIgnoringCase)
{
    struct Case
    {
        const char* what;
        const wchar_t* classId;
        const wchar_t* sameIdOtherCase;
        const wchar_t* otherId;
    };
    const Case cases[] = {
        {"mixed-case hexadecimal", L"E81A7EB1-A22C-4bd4-96F8-725D0798DE29",
         L"e81a7eb1-a22c-4BD4-96f8-725d0798de29", L"E81A7EB1-A22C-4bd4-96F8-725D0798DE30"},
        {"braces", L"{abc}", L"{ABC}", L"abc"},
        {"a slash is not a subgroup", L"with/slash", L"WITH/SLASH", L"with\\slash"},
        {"a backslash is not a slash", L"back\\slash", L"BACK\\SLASH", L"back/slash"},
        {"percent signs", L"per%41cent", L"PER%41CENT", L"perAcent"},
        {"non-ASCII", L"\u00E4rger", L"\u00C4RGER", L"arger"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ConfigHomeScope home;
        CKvStandardsSettings settings;
        settings.setPluginEnabled(c.classId, false);
        settings.setShowIgnored(true);
        ASSERT_TRUE(settings.save());

        CKvStandardsSettings back = CKvStandardsSettings::load();
        EXPECT_FALSE(back.pluginEnabled(c.classId));
        EXPECT_FALSE(back.pluginEnabled(c.sameIdOtherCase));
        EXPECT_TRUE(back.pluginEnabled(c.otherId));
        EXPECT_TRUE(back.showIgnored());

        // Saving other changes keeps the flag of a plug-in nobody touched.
        back.setAutomaticFix(true);
        back.setPluginEnabled(c.otherId, true);
        ASSERT_TRUE(back.save());
        const CKvStandardsSettings again = CKvStandardsSettings::load();
        EXPECT_FALSE(again.pluginEnabled(c.classId));
        EXPECT_TRUE(again.pluginEnabled(c.otherId));
        EXPECT_TRUE(again.automaticFix());
    }
}

TEST(PluginFlags, PluginWithoutClassIdIsAlwaysEnabled)
{
    const ConfigHomeScope home;
    CKvStandardsSettings settings;
    settings.setPluginEnabled(L"", false);
    EXPECT_TRUE(settings.pluginEnabled(L""));
    ASSERT_TRUE(settings.save());
    EXPECT_TRUE(CKvStandardsSettings::load().pluginEnabled(L""));
}

TEST(PluginFlags, RestoringGivesEveryPluginItsStoredFlag)
{
    struct Case
    {
        const char* what;
        bool enabledBefore;
        std::optional<bool> stored;
        const wchar_t* storedUnder;
        bool enabledAfter;
    };
    const Case cases[] = {
        {"stored off", true, false, L"ID-A", false},
        {"stored on", false, true, L"ID-A", true},
        {"nothing stored: enabled", false, std::nullopt, L"ID-A", true},
        {"stored under the id in another case", true, false, L"id-a", false},
        {"stored for another plug-in only", false, false, L"ID-B", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKvStandardsSettings settings;
        if (c.stored) {
            settings.setPluginEnabled(c.storedUnder, *c.stored);
        }
        FakePlugin plugin("A", "ID-A");
        plugin.setEnabled(c.enabledBefore);
        // A null entry in the manager's list is passed over.
        FakeManager manager({nullptr, &plugin});
        restorePluginFlags(&manager, settings);
        EXPECT_EQ(plugin.Enabled(), c.enabledAfter);
    }
    restorePluginFlags(nullptr, CKvStandardsSettings());
}

// The user's standards settings: saved in the user's configuration folder, read back, and the
// plug-ins' enabled flags given back to the plug-ins.
#include "HostDoubles.h"

#include <CKvPluginFlags.h>
#include <CKvStandardsSettings.h>

#include <QFile>

#include <gtest/gtest.h>

#include <optional>

// What the configuration dialog saves is read back in its tests; here what it never shows.
TEST(StandardsSettings, DefaultsAndNamesOfPreferredFilesAreReadBack)
{
    const ConfigHomeScope home;
    const CKvStandardsSettings defaults = CKvStandardsSettings::load();
    EXPECT_EQ(defaults.preferredStandardsFile(), CKvString(L"None"));
    EXPECT_FALSE(defaults.automaticFix() || defaults.showIgnored());
    for (const wchar_t* preferred : {L"/std/Office \u00C4.dws", L""}) {
        CKvStandardsSettings settings;
        settings.setPreferredStandardsFile(preferred);
        ASSERT_TRUE(settings.save());
        EXPECT_TRUE(CKvStandardsSettings::filePath().startsWith(home.path() + "/"));
        // An empty preferred file means none.
        EXPECT_EQ(CKvStandardsSettings::load().preferredStandardsFile(),
                  CKvString(*preferred != L'\0' ? preferred : L"None"));
    }
}

TEST(StandardsSettings, PluginFlagsAreStoredByClassIdIgnoringCase)
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
        {"percent signs", L"per%41cent", L"PER%41CENT", L"perAcent"},
        {"non-ASCII", L"\u00E4rger", L"\u00C4RGER", L"arger"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ConfigHomeScope home;
        CKvStandardsSettings settings;
        settings.setPluginEnabled(c.classId, false);
        ASSERT_TRUE(settings.save());
        CKvStandardsSettings back = CKvStandardsSettings::load();
        EXPECT_FALSE(back.pluginEnabled(c.sameIdOtherCase));
        EXPECT_TRUE(back.pluginEnabled(c.otherId));
        // Saving other changes keeps the flag of a plug-in nobody touched.
        back.setAutomaticFix(true);
        back.setPluginEnabled(c.otherId, true);
        ASSERT_TRUE(back.save());
        EXPECT_FALSE(CKvStandardsSettings::load().pluginEnabled(c.classId));
    }
    // A plug-in without a class id cannot be switched off.
    const ConfigHomeScope home;
    CKvStandardsSettings settings;
    settings.setPluginEnabled(L"", false);
    ASSERT_TRUE(settings.save());
    EXPECT_TRUE(CKvStandardsSettings::load().pluginEnabled(L""));
}

TEST(StandardsSettings, RestoringGivesEveryPluginItsStoredFlag)
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
        {"nothing stored: enabled", false, std::nullopt, L"ID-A", true},
        {"stored for another plug-in only", false, false, L"ID-B", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKvStandardsSettings settings;
        if (c.stored) {
            settings.setPluginEnabled(c.storedUnder, *c.stored);
        }
        StubPlugin plugin("A", "ID-A");
        plugin.enabled = c.enabledBefore;
        // A null entry in the manager's list is passed over.
        StubManager manager({nullptr, &plugin});
        restorePluginFlags(&manager, settings);
        EXPECT_EQ(plugin.Enabled(), c.enabledAfter);
    }
    restorePluginFlags(nullptr, CKvStandardsSettings());
}

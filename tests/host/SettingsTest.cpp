#include <CKvStandardsSettings.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Points XDG_CONFIG_HOME at a folder of its own for the test and restores it afterwards.
class StandardsSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_hadOld = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        m_old = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
    }
    void TearDown() override
    {
        if (m_hadOld) {
            qputenv("XDG_CONFIG_HOME", m_old);
        } else {
            qunsetenv("XDG_CONFIG_HOME");
        }
    }
    QString home() const { return m_home.path(); }

private:
    QTemporaryDir m_home;
    bool m_hadOld = false;
    QByteArray m_old;
};

}  // namespace

TEST_F(StandardsSettings, NothingStoredGivesTheDefaults)
{
    const CKvStandardsSettings settings = CKvStandardsSettings::load();
    EXPECT_EQ(settings.preferredStandardsFile(), CKvString(L"None"));
    EXPECT_FALSE(settings.automaticFix());
    EXPECT_FALSE(settings.showIgnored());
    EXPECT_FALSE(QFile::exists(CKvStandardsSettings::filePath()));
}

TEST_F(StandardsSettings, SavedSettingsAreReadBackFromTheUsersConfigFolder)
{
    struct Case
    {
        const char* what;
        CKvString preferred;
        bool automaticFix;
        bool showIgnored;
        CKvString expectedPreferred;
    };
    const Case cases[] = {
        {"a preferred file and both switches on", L"/std/Office \u00C4.dws", true, true,
         L"/std/Office \u00C4.dws"},
        {"only automatic fix", L"None", true, false, L"None"},
        {"only show ignored", L"/std/a.dws", false, true, L"/std/a.dws"},
        {"switched back off", L"None", false, false, L"None"},
        {"an empty preferred file means none", L"", false, false, L"None"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CKvStandardsSettings settings;
        settings.setPreferredStandardsFile(c.preferred);
        settings.setAutomaticFix(c.automaticFix);
        settings.setShowIgnored(c.showIgnored);
        ASSERT_TRUE(settings.save());
        EXPECT_TRUE(CKvStandardsSettings::filePath().startsWith(home() + "/"));
        EXPECT_TRUE(QFile::exists(CKvStandardsSettings::filePath()));

        const CKvStandardsSettings back = CKvStandardsSettings::load();
        EXPECT_EQ(back.preferredStandardsFile(), c.expectedPreferred);
        EXPECT_EQ(back.automaticFix(), c.automaticFix);
        EXPECT_EQ(back.showIgnored(), c.showIgnored);
    }
}

TEST_F(StandardsSettings, ConfigFolderThatCannotBeWrittenReportsFailure)
{
    // A plain file where the configuration folder should be.
    const QString blocked = home() + "/not-a-folder";
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CONFIG_HOME", blocked.toUtf8());

    CKvStandardsSettings settings;
    settings.setAutomaticFix(true);
    EXPECT_FALSE(settings.save());
    EXPECT_FALSE(CKvStandardsSettings::load().automaticFix());
}

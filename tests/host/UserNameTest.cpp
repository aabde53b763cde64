#include "HostTestUtil.h"

#include <CKvUtilsBase.h>

#include <QByteArray>

#include <gtest/gtest.h>

#include <pwd.h>
#include <string>
#include <unistd.h>

TEST(UserName, FallsBackFromTheLoginToUserThenToThePasswordDatabase)
{
    const bool hadUser = qEnvironmentVariableIsSet("USER");
    const QByteArray oldUser = qgetenv("USER");
    const auto restoreUser = [&] {
        if (hadUser) {
            qputenv("USER", oldUser);
        } else {
            qunsetenv("USER");
        }
    };
    char login[512] = {};
    if (getlogin_r(login, sizeof(login)) == 0 && login[0] != '\0') {
        // A session with a login name: that name wins over everything else.
        qputenv("USER", "kv-not-the-login");
        EXPECT_EQ(CKvUtilsBase::getUserName(), CKvString(login));
        restoreUser();
        GTEST_SKIP() << "the fallbacks need a process without a login session";
    }
    const passwd* entry = getpwuid(geteuid());
    struct Case
    {
        const char* what;
        const char* user;  // null: unset
        std::string expected;
    };
    const Case cases[] = {
        {"USER names the user", "kv-tester", "kv-tester"},
        {"empty USER", "", entry != nullptr ? entry->pw_name : ""},
        {"no USER", nullptr, entry != nullptr ? entry->pw_name : ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.user != nullptr) {
            qputenv("USER", c.user);
        } else {
            qunsetenv("USER");
        }
        EXPECT_EQ(CKvUtilsBase::getUserName(), CKvString(c.expected.c_str()));
    }
    restoreUser();
}

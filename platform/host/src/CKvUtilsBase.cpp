#include <CKvUtilsBase.h>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

CKvString CKvUtilsBase::getUserName()
{
    // LOGIN_NAME_MAX is 256 on Linux; the buffer is larger so that a long name is never cut.
    char login[512] = {};
    if (getlogin_r(login, sizeof(login)) == 0 && login[0] != '\0') {
        return CKvString(login);
    }
    const char* user = std::getenv("USER");
    if (user != nullptr && user[0] != '\0') {
        return CKvString(user);
    }
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (bufferSize <= 0) {
        bufferSize = 16384;
    }
    std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_name != nullptr) {
        return CKvString(found->pw_name);
    }
    return CKvString();
}

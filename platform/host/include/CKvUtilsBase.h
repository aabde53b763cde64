// CKvUtilsBase: small services of the host about the user and the system.
#ifndef KV_CKV_UTILS_BASE_H
#define KV_CKV_UTILS_BASE_H

#include <CKvString.h>

class CKvUtilsBase
{
public:
    // The operating-system login name: the session's login name, else $USER, else the name of
    // the effective user in the password database; empty when none of them is known.
    static CKvString getUserName();
};

#endif  // KV_CKV_UTILS_BASE_H

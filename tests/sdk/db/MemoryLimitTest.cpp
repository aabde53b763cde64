// Reading under a limit on the process's address space, such as strict memory accounting sets.
#include "DbTestUtil.h"

#include <OdError.h>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

// The address space the process uses now, in bytes.
size_t addressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmSize:", 0) == 0) {
            return std::stoull(line.substr(7)) * 1024;
        }
    }
    return 0;
}

// Runs `body` with the address space limited to what is in use now plus `room`.
template <class Body>
void withAddressSpaceRoom(size_t room, Body body)
{
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = addressSpaceInUse() + room;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &limited), 0);
    body();
    setrlimit(RLIMIT_AS, &saved);
}

}  // namespace

TEST(Reading, UnderALimitedAddressSpaceWhatFitsIsReadAndTheRestRefusedWithAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer maps more address space than any such limit allows";
#else
    // One hatch with a long boundary: a large file of typical tags (~15 bytes each) whose
    // objects take almost no memory, so that the tag list is what the reader needs room for.
    TempFile file("hatch.dxf");
    {
        std::ofstream out(file.path, std::ios::binary);
        out << "  0\nSECTION\n  2\nENTITIES\n  0\nHATCH\n  5\nA1\n330\n1F\n100\nAcDbEntity\n"
               "  8\n0\n 91\n1\n";
        for (int i = 0; i < 800000; ++i) {
            out << " 10\n" << 1000000 + i << ".125\n 20\n" << 2000000 + i << ".25\n";
        }
        out << "  0\nENDSEC\n  0\nEOF\n";
    }
    const size_t size = file.read().size();
    // Room for the file and its tags, but not for the most tags a file of this size could hold
    // (more than five times the file).
    withAddressSpaceRoom(size * 4 + (16 << 20), [&] {
        OdDbDatabasePtr db;
        ASSERT_NO_THROW(db = OdDbDatabase::readFile(OdString(file.path)));
        OdDbBlockTableRecordPtr ms = db->getModelSpaceId().safeOpenObject();
        size_t entities = 0;
        for (OdDbObjectIteratorPtr it = ms->newIterator(); !it->done(); it->step()) {
            ++entities;
        }
        EXPECT_EQ(entities, 1u);
    });
    // No room at all: a message naming the file, not a crash.
    withAddressSpaceRoom(size / 2, [&] {
        try {
            OdDbDatabase::readFile(OdString(file.path));
            ADD_FAILURE() << "read without memory";
        } catch (const OdError& e) {
            EXPECT_EQ(e.code(), eOutOfMemory);
            EXPECT_NE(e.description().find(OdString(file.path.c_str())), -1);
        }
    });
#endif
}

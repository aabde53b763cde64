#include "db/HandleIndex.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

using kvdb::HandleIndex;

// Handles in the patterns drawings use: counting up from 1, in big strides (handles some
// writers reserve in blocks), and near the top of the range.
TEST(HandleIndex, FindsEveryStubWhateverPatternItsHandlesFollow)
{
    struct Case
    {
        const char* what;
        std::function<OdUInt64(OdUInt64)> handle;
        bool reserveFirst;
    };
    const Case cases[] = {
        {"counting up", [](OdUInt64 i) { return i + 1; }, false},
        {"counting up, reserved", [](OdUInt64 i) { return i + 1; }, true},
        {"stride 256", [](OdUInt64 i) { return (i + 1) << 8; }, false},
        {"stride 2^32", [](OdUInt64 i) { return (i + 1) << 32; }, false},
        {"top of the range", [](OdUInt64 i) { return ~OdUInt64{0} - i; }, false},
    };
    constexpr OdUInt64 kCount = 20000;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::deque<OdDbStub> stubs(kCount);
        HandleIndex index;
        EXPECT_EQ(index.find(c.handle(0)), nullptr);
        if (c.reserveFirst) {
            index.reserve(kCount);
        }
        for (OdUInt64 i = 0; i < kCount; ++i) {
            stubs[i].handle = c.handle(i);
            if (i % 2 == 0) {
                index.insert(&stubs[i]);
            } else {
                EXPECT_TRUE(index.insertNew(&stubs[i]));
            }
        }
        EXPECT_EQ(index.size(), kCount);
        size_t wrong = 0;
        for (OdUInt64 i = 0; i < kCount; ++i) {
            wrong += index.find(c.handle(i)) != &stubs[i] ? 1 : 0;
        }
        EXPECT_EQ(wrong, 0u);
        // A second stub with a taken handle is refused and the first one kept.
        OdDbStub twin;
        twin.handle = c.handle(kCount / 2);
        EXPECT_FALSE(index.insertNew(&twin));
        EXPECT_EQ(index.find(twin.handle), &stubs[kCount / 2]);
        EXPECT_EQ(index.size(), kCount);
        // The next handle of the pattern and the null handle are absent.
        EXPECT_FALSE(index.contains(c.handle(kCount)));
        EXPECT_EQ(index.find(0), nullptr);
    }
}

#include <gtest/gtest.h>

#include <ResBuf.h>
#include <limits>
#include <string>

namespace {

std::string chainText(const OdResBufPtr& pHead)
{
    std::string text;
    for (OdResBufPtr p = pHead; p; p = p->next()) {
        text += p->getString().toUtf8();
    }
    return text;
}

}  // namespace

TEST(OdResBuf, CyclesAreRefused)
{
    const OdResBufPtr pA = OdResBuf::newRb(OdResBuf::kDxfText, "A");
    const OdResBufPtr pB = OdResBuf::newRb(OdResBuf::kDxfText, "B");
    pA->setNext(pB);
    EXPECT_THROW(pB->setNext(pA), OdError);
    EXPECT_THROW(pB->insert(pA), OdError);
    EXPECT_THROW(pA->insert(pA), OdError);
    EXPECT_EQ(chainText(pA), "AB");
    EXPECT_TRUE(pB->next().isNull());
}

TEST(OdResBuf, LongChainsAreReleasedWithoutRecursion)
{
    // Deep enough to overflow the stack if each item released the next one recursively.
    OdResBufPtr pHead = OdResBuf::newRb(1000, "first");
    OdResBufPtr pTail = pHead;
    for (int i = 0; i < 1000000; ++i) {
        pTail = pTail->setNext(OdResBuf::newRb(1071, OdInt32(i)));
    }
    EXPECT_EQ(pHead->last()->getInt32(), 999999);
    pTail = nullptr;
    pHead = nullptr;
}

TEST(OdResBuf, GettersOfAnotherKindConvertOrGiveTheDefault)
{
    struct Case
    {
        const char* what;
        OdResBufPtr pRb;
        OdString string;
        double real;
        OdInt16 int16;
        OdInt64 int64;
        bool boolean;
        OdUInt64 handle;
        OdCmColor color;
    };
    const Case cases[] = {
        {"string", OdResBuf::newRb(1, "12"), OdString("12"), 0.0, 0, 0, false, 0, OdCmColor()},
        {"real truncates", OdResBuf::newRb(40, -2.75), OdString(), -2.75, -2, -2, true, 0,
         OdCmColor()},
        {"huge real clamps", OdResBuf::newRb(40, 1e300), OdString(), 1e300,
         std::numeric_limits<OdInt16>::max(), std::numeric_limits<OdInt64>::max(), true, 0,
         OdCmColor()},
        {"int16 is a palette index", OdResBuf::newRb(62, OdInt16(5)), OdString(), 5.0, 5, 5, true,
         5, OdCmColor::fromIndex(5)},
        {"negative int is no handle", OdResBuf::newRb(90, OdInt32(-7)), OdString(), -7.0, -7, -7,
         true, 0, OdCmColor()},
        {"colour", OdResBuf::newRb(OdResBuf::kRtColor, OdCmColor::fromIndex(3)), OdString(), 0.0, 0,
         0, false, 0, OdCmColor::fromIndex(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.pRb->getString(), c.string);
        EXPECT_EQ(c.pRb->getDouble(), c.real);
        EXPECT_EQ(c.pRb->getInt16(), c.int16);
        EXPECT_EQ(c.pRb->getInt64(), c.int64);
        EXPECT_EQ(c.pRb->getBool(), c.boolean);
        EXPECT_EQ(c.pRb->getHandle(), c.handle);
        EXPECT_EQ(c.pRb->getColor(), c.color);
        EXPECT_TRUE(c.pRb->getBinaryChunk().isEmpty());
    }
    const OdResBufPtr pHandle = OdResBuf::newRb(330);
    pHandle->setHandle(0x1F);
    EXPECT_EQ(pHandle->getInt32(), 0x1F);
}

#include "runtime/StreamBytes.h"

#include <QBuffer>
#include <gtest/gtest.h>

TEST(StreamBytes, ReadsFromThePositionUpToTheLimitAndNoFurther) {
    QByteArray bytes("0123456789");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(2);
    EXPECT_EQ(ReadAtMost(buffer, 8), QByteArray("23456789"));
    buffer.seek(2);
    EXPECT_FALSE(ReadAtMost(buffer, 7)) << "one byte too many";
    EXPECT_EQ(buffer.pos(), 2) << "refused before reading";
}

// A picture linked into the program is read where it lies, and the reader ends at the end.
TEST(StreamBytes, AWholeBufferIsSharedNotCopied) {
    static const char kept[] = "BM kept in place";
    QByteArray bytes = QByteArray::fromRawData(kept, sizeof kept);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const std::optional<QByteArray> read = ReadAtMost(buffer, 100);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->constData(), kept);
    EXPECT_TRUE(buffer.atEnd());
    buffer.seek(0);
    EXPECT_FALSE(ReadAtMost(buffer, 4)) << "the limit still holds";
}

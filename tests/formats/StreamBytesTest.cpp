#include "formats/StreamBytes.h"

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

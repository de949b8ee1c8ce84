#include "rom/Crc16.h"
#include "rom/Lh5Decoder.h"
#include "rom/Lh5Encoder.h"
#include "rom/LzhError.h"
#include "rom/LzhMember.h"
#include "tests/TestDir.h"
#include "tests/rom/Lhasa.h"

#include <QList>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Random(qint64 size, unsigned seed) {
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

// Text-like data with repeats near and far, and runs.
QByteArray Structured(qint64 size, unsigned seed) {
    std::mt19937 random(seed);
    const QByteArray words[] = {"award ",   "bios ",   "logo ",     "\x00\x00\x00\x00",
                                "\xFF\xFF", "module ", "checksum ", "0123456789"};
    QByteArray bytes;
    while (bytes.size() < size) {
        const unsigned pick = random() % 10;
        if (pick < 8)
            bytes += words[pick];
        else if (pick == 8 && bytes.size() > 300)
            bytes += bytes.mid(bytes.size() - 300 + qint64(random() % 200), 40 + random() % 250);
        else
            bytes.append(char(random()));
    }
    bytes.truncate(size);
    return bytes;
}

QByteArray RoundTrip(const QByteArray& data) {
    return Lh5Decode(Lh5Encode(data), data.size());
}

TEST(Lh5, RoundTripsEveryKindOfInput) {
    const QList<QByteArray> inputs = {
        QByteArray(),
        QByteArray(1, 'a'),
        QByteArray(3, 'b'),
        QByteArray(100000, '\0'),
        Random(1, 1),
        Random(5000, 2),
        Random(200000, 3),
        Structured(70000, 4),
        Structured(300000, 5),
        QByteArray("abcabcabcabcabd"),
        Structured(8190, 6) + Structured(8200, 6), // a repeat at the window's edge
    };
    for (const QByteArray& input : inputs)
        EXPECT_EQ(RoundTrip(input), input) << input.size() << " bytes";
}

// Every byte value once, then the run of them repeated: each distance class and long matches.
TEST(Lh5, RoundTripsAllDistancesAndLengths) {
    QByteArray data;
    for (int i = 0; i < 256; ++i)
        data.append(char(i));
    const QByteArray base = Random(9000, 7);
    data += base;
    for (int distance = 1; distance < 8192; distance = distance * 2 + 1) {
        data += data.right(distance).left(std::min(distance, 256));
        data += Random(5, unsigned(distance));
    }
    EXPECT_EQ(RoundTrip(data), data);
}

TEST(Lh5, PacksRepetitiveDataTightly) {
    EXPECT_LT(Lh5Encode(QByteArray(100000, 'x')).size(), 1000);
    EXPECT_LT(Lh5Encode(Structured(100000, 8)).size(), 50000);
    // Random bytes cannot shrink, and grow only by the code tables.
    EXPECT_LT(Lh5Encode(Random(100000, 9)).size(), 100000 * 102 / 100);
}

TEST(Lh5, ReportsDamageInsteadOfGuessing) {
    const QByteArray data = Structured(20000, 10);
    const QByteArray packed = Lh5Encode(data);
    EXPECT_THROW(Lh5Decode(packed.left(packed.size() / 2), data.size()), ELzhError);
    EXPECT_THROW(Lh5Decode(packed, data.size() + 5000), ELzhError);
    EXPECT_THROW(Lh5Decode(QByteArray(2, '\0'), 10), ELzhError); // a block of no codes
    // Damage anywhere either fails to decode or gives other bytes: never a crash.
    for (qint64 at = 0; at < packed.size(); at += 97) {
        QByteArray damaged = packed;
        damaged[at] = char(damaged[at] ^ 0x5A);
        try {
            EXPECT_EQ(Lh5Decode(damaged, data.size()).size(), data.size());
        } catch (const ELzhError&) {
        }
    }
}

TEST(Crc16, MatchesTheKnownCheckValue) {
    EXPECT_EQ(Crc16("123456789"), 0xBB3D);
    EXPECT_EQ(Crc16(QByteArray()), 0);
}

TEST(LzhMember, DecodesInLhasaAndFindsDamagedCrc) {
    TestDir dir;
    const QByteArray text = Structured(40000, 11);
    const QByteArray noise = Random(3000, 12);
    const QList<TLzhMember> members = {
        TLzhMember::Pack("text.bin", text, TLzhMember::TMethod::Lh5, 0x1234, 0x4002),
        TLzhMember::Pack("noise.bin", noise, TLzhMember::TMethod::Lh5, 0, 0x4001),
        TLzhMember::Pack("stored.bin", noise, TLzhMember::TMethod::Stored, 0, 0x4003),
        TLzhMember::Pack("zeros.bin", QByteArray(65536 * 3, '\0'), TLzhMember::TMethod::Lh5, 0,
                         0x5000),
    };
    Lhasa::WriteArchive(dir.Path("good.lzh"), members);
    EXPECT_TRUE(Lhasa::Tests(dir.Path("good.lzh")));
    EXPECT_EQ(Lhasa::Extract(dir.Path("good.lzh"), "text.bin"), text);
    EXPECT_EQ(Lhasa::Extract(dir.Path("good.lzh"), "stored.bin"), noise);

    QByteArray bytes = members[0].Bytes();
    const qint64 crcAt = members[0].HeaderSize() - 5;
    bytes[crcAt] = char(bytes[crcAt] ^ 1);
    bytes[1] = char(bytes[1] ^ 1); // keep the header sum good
    const TLzhMember damaged = TLzhMember::Read(bytes, 0);
    EXPECT_THROW(damaged.Unpack(), ELzhError);
    dir.Write("bad.lzh", bytes + QByteArray(1, '\0'));
    EXPECT_FALSE(Lhasa::Tests(dir.Path("bad.lzh")));
}

TEST(LzhMember, ReadsBackWhatItWrites) {
    const TLzhMember member =
        TLzhMember::Pack("awardepa.epa", Structured(3000, 13), TLzhMember::TMethod::Lh5, 7, 0x4002);
    const QByteArray image = QByteArray(5, '\xFF') + member.Bytes();
    const TLzhMember read = TLzhMember::Read(image, 5);
    EXPECT_EQ(read.Bytes(), member.Bytes());
    EXPECT_EQ(read.Type(), 0x4002);
    EXPECT_EQ(read.Time(), 7);
    EXPECT_EQ(read.Name(), "awardepa.epa");
    EXPECT_EQ(read.Unpack(), Structured(3000, 13));
}

TEST(LzhMember, RefusesHeadersItDoesNotKnow) {
    const QByteArray good =
        TLzhMember::Pack("a.bin", Structured(500, 14), TLzhMember::TMethod::Lh5, 0, 0x4001).Bytes();
    const auto refused = [&](int at, char value, bool fixSum = true) {
        QByteArray bytes = good;
        const char old = bytes[at];
        bytes[at] = value;
        if (fixSum)
            bytes[1] = char(bytes[1] + (value - old));
        try {
            TLzhMember::Read(bytes, 0);
        } catch (const ELzhError&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused(1, char(good[1] + 1), false)); // header sum
    EXPECT_TRUE(refused(5, '6'));                      // -lh6-
    EXPECT_TRUE(refused(20, 2));                       // level 2
    EXPECT_TRUE(refused(19, 0x21));                    // attribute
    EXPECT_TRUE(refused(0, char(good[0] + 1)));        // extended headers
    EXPECT_TRUE(refused(14, 0x01));                    // 16 MiB unpacked
    EXPECT_TRUE(refused(10, 0x7F));                    // data past the end
    EXPECT_THROW(TLzhMember::Read(good.left(20), 0), ELzhError);
}

} // namespace

#include "platform/BinaryStream.h"
#include "platform/FileIO.h"

#include "support/TestMain.h"

#include <QFile>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

TEST(BinaryWriter, WritesBigEndianIntegersAndLengthPrefixedTexts)
{
    BinaryWriter out;
    out.writeInt32(0x01020304);
    out.writeInt32(-2);
    out.writePString(QStringLiteral("abc"));
    out.writePString(QString());
    out.writeLongText(QStringLiteral("日本"));
    out.writeLongBytes(QByteArray());
    out.writeBytes("xy");
    EXPECT_EQ(out.bytes().toHex(), hex("01020304" "fffffffe" "03616263" "00"
                                       "00000006e697a5e69cac" "00000000" "7879")
                                       .toHex());
}

TEST(BinaryStream, EverythingWrittenReadsBack)
{
    BinaryWriter out;
    const int32_t ints[] = {0, 1, -1, 2147483647, -2147483647 - 1, 0x9A9A9A};
    for (int32_t v : ints)
        out.writeInt32(v);
    out.writePString(QStringLiteral("ver:3"));
    out.writePString(QStringLiteral("記念日"));
    out.writeLongText(QStringLiteral("/home/ユーザー/背景.png"));

    BinaryReader in(out.bytes());
    for (int32_t v : ints) {
        int32_t got = 0;
        ASSERT_TRUE(in.readInt32(got));
        EXPECT_EQ(got, v);
    }
    QString text;
    ASSERT_TRUE(in.readPString(text));
    EXPECT_EQ(text, QStringLiteral("ver:3"));
    ASSERT_TRUE(in.readPString(text));
    EXPECT_EQ(text, QStringLiteral("記念日"));
    ASSERT_TRUE(in.readLongText(text));
    EXPECT_EQ(text, QStringLiteral("/home/ユーザー/背景.png"));
    EXPECT_TRUE(in.atEnd());
    EXPECT_TRUE(in.ok());
}

TEST(BinaryWriter, OverlongPStringIsCutAtACharacterBoundary)
{
    const QString e2 = QStringLiteral("é");        // 2 bytes in UTF-8
    const QString e3 = QStringLiteral("日");       // 3 bytes
    const QString e4 = QString::fromUtf8("😀");    // 4 bytes
    const struct {
        QString text;
        int expectedLength;
    } cases[] = {
        {QString(255, u'a'), 255},
        {QString(256, u'a'), 255},
        {QString(254, u'a') + e2, 254},
        {QString(253, u'a') + e2 + e2, 255},
        {QString(253, u'a') + e3, 253},
        {QString(252, u'a') + e3 + e3, 255},
        {QString(254, u'a') + e3, 254},
        {QString(252, u'a') + e4, 252},
        {QString(251, u'a') + e4 + e4, 255},
        {e3.repeated(86), 255},
        {e3.repeated(85) + e2, 255},
        {e4.repeated(64), 252},
    };
    for (const auto& c : cases) {
        BinaryWriter out;
        out.writePString(c.text);
        const QByteArray bytes = out.bytes();
        ASSERT_FALSE(bytes.isEmpty());
        const int length = static_cast<unsigned char>(bytes[0]);
        EXPECT_EQ(length, c.expectedLength) << c.text.size();
        EXPECT_EQ(bytes.size(), 1 + length);

        BinaryReader in(bytes);
        QString back;
        ASSERT_TRUE(in.readPString(back));
        EXPECT_TRUE(c.text.startsWith(back)) << "cut inside a character";
        EXPECT_EQ(back.toUtf8().size(), length);
    }
}

TEST(BinaryReader, ShortOrDamagedDataFailsAndStaysFailed)
{
    int32_t n = 7;
    QByteArray bytes;

    BinaryReader threeBytes(hex("000001"));
    EXPECT_FALSE(threeBytes.readInt32(n));
    EXPECT_EQ(n, 7);
    EXPECT_FALSE(threeBytes.ok());

    BinaryReader shortText(hex("0a616263"));
    QString text = QStringLiteral("kept");
    EXPECT_FALSE(shortText.readPString(text));
    EXPECT_EQ(text, QStringLiteral("kept"));

    BinaryReader empty{QByteArray()};
    EXPECT_FALSE(empty.readPString(bytes));

    // A count far beyond the data is refused before anything is allocated.
    BinaryReader absurd(hex("7fffffff6162"));
    EXPECT_FALSE(absurd.readLongBytes(bytes));

    BinaryReader negative(hex("ffffffff6162"));
    EXPECT_FALSE(negative.readLongBytes(bytes));

    BinaryReader raw(hex("616263"));
    EXPECT_FALSE(raw.readBytes(-1, bytes));
    // Once failed, the reader does not resume on data that would fit.
    EXPECT_FALSE(raw.readBytes(1, bytes));
}

TEST(BinaryReader, ReadsAFileReadWhole)
{
    QTemporaryFile file(TestEnv::home() + QStringLiteral("/streamXXXXXX"));
    ASSERT_TRUE(file.open());
    file.write(hex("05" "7665723a31" "00000002" "02"));
    file.close();
    QByteArray bytes;
    ASSERT_EQ(FileIO::readWhole(file.fileName(), bytes), FileIO::ReadResult::Read);

    BinaryReader in(bytes);
    QByteArray tag;
    int32_t last = 0;
    ASSERT_TRUE(in.readPString(tag));
    EXPECT_EQ(tag, QByteArray("ver:1"));
    ASSERT_TRUE(in.readInt32(last));
    EXPECT_EQ(last, 2);
    EXPECT_EQ(in.remaining(), 1);
    EXPECT_FALSE(in.readPString(tag));
}

TEST(BinaryStream, AnUneditedTextGoesBackAsTheBytesItWasReadFrom)
{
    const struct {
        QByteArray stored;
        const char* editedTo; // nullptr: left as read
        QByteArray expected;
    } cases[] = {
        {hex("82a082a2"), nullptr, hex("82a082a2")},                  // Shift_JIS, no UTF-8
        {QByteArray(254, char(0x82)), nullptr, QByteArray(254, char(0x82))},
        {QStringLiteral("記念日").toUtf8(), nullptr, QStringLiteral("記念日").toUtf8()},
        {QByteArray(), nullptr, QByteArray()},
        {hex("82a082a2"), "あい", QStringLiteral("あい").toUtf8()}, // edited: the edit's UTF-8
        {QByteArray(), "new", QByteArray("new")},
    };
    for (const auto& c : cases) {
        BinaryWriter file;
        file.writePStringBytes(c.stored);
        BinaryReader in(file.bytes());
        QString text;
        QByteArray readFrom;
        ASSERT_TRUE(in.readPString(text, readFrom));
        if (c.editedTo)
            text = QString::fromUtf8(c.editedTo);

        BinaryWriter out;
        out.writePString(text, readFrom);
        ASSERT_FALSE(out.bytes().isEmpty());
        EXPECT_EQ(out.bytes().mid(1).toHex(), c.expected.toHex());
        EXPECT_EQ(static_cast<unsigned char>(out.bytes()[0]), c.expected.size());
    }

    // A text never read from a file has nothing to go back to.
    BinaryWriter plain;
    plain.writePString(QStringLiteral("あ"), QByteArray());
    EXPECT_EQ(plain.bytes(), QByteArray("\x03") + QStringLiteral("あ").toUtf8());
}

TEST(Utf8, TruncationKeepsWholeCharactersOnly)
{
    const QByteArray text = QStringLiteral("a日b").toUtf8(); // 61 e6 97 a5 62
    EXPECT_EQ(Utf8::truncated(text, 5), text);
    EXPECT_EQ(Utf8::truncated(text, 4), QStringLiteral("a日").toUtf8());
    EXPECT_EQ(Utf8::truncated(text, 3), QByteArray("a"));
    EXPECT_EQ(Utf8::truncated(text, 2), QByteArray("a"));
    EXPECT_EQ(Utf8::truncated(text, 1), QByteArray("a"));
    EXPECT_EQ(Utf8::truncated(text, 0), QByteArray());
}

} // namespace

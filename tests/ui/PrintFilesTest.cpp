#include "ui/PrintFiles.h"

#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

// ---- Free page names ----

enum class Holder { File, Folder, DanglingLink };

struct Taken {
    const char* name;
    Holder holder;
};

TEST(PrintFiles, ALaterPageTakesTheFirstNumberWhoseNameNothingHolds)
{
    const struct {
        const char* what;
        std::vector<Taken> there;
        int32_t from;
        int32_t expected;
    } cases[] = {
        {"nothing there", {}, 2, 2},
        {"the first page keeps its own name", {}, 1, 2},
        {"no number below the one asked for", {}, 5, 5},
        {"a file", {{"out-2.pdf", Holder::File}}, 2, 3},
        {"a folder", {{"out-2.pdf", Holder::Folder}}, 2, 3},
        {"a link that leads nowhere", {{"out-2.pdf", Holder::DanglingLink}}, 2, 3},
        {"a run of them",
         {{"out-2.pdf", Holder::File}, {"out-3.pdf", Holder::DanglingLink}, {"out-4.pdf", Holder::Folder}},
         2,
         5},
        {"the first gap, not the end of the run", {{"out-3.pdf", Holder::File}}, 2, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        for (const Taken& t : c.there) {
            const QString path = dir.filePath(QString::fromUtf8(t.name));
            switch (t.holder) {
            case Holder::File:
                TestFiles::plant(path, "the user's own");
                break;
            case Holder::Folder:
                ASSERT_TRUE(QDir().mkpath(path));
                break;
            case Holder::DanglingLink:
                ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")), path));
                break;
            }
        }
        EXPECT_EQ(PrintFiles::freePageNumber(dir.filePath(QStringLiteral("out.pdf")), c.from), c.expected);
    }
}

// ---- Pages that arrived whole ----

// A page as Qt's PDF output writes it, with text, lines and a picture, so
// that it holds several objects and streams.
QByteArray qtPdfPage()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(360);
    {
        QPainter painter(&pdf);
        painter.drawText(100, 100, QStringLiteral("2014.4"));
        painter.fillRect(200, 200, 400, 10, Qt::black);
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::red);
        painter.drawImage(QPoint(300, 300), picture);
    }
    return bytes;
}

TEST(PrintFiles, APdfPageIsWholeOnlyWithEveryByteInItsPlace)
{
    const QByteArray whole = qtPdfPage();
    ASSERT_TRUE(PrintFiles::pdfIsWhole(whole));
    const qsizetype table = whole.lastIndexOf("\nxref") + 1;
    const qsizetype trailer = whole.lastIndexOf("trailer");
    ASSERT_GT(table, 300 + 4096);
    ASSERT_GT(trailer, table + 60);

    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"nothing", QByteArray()},
        {"no PDF", QByteArray("%!PS-Adobe-3.0\n%%EOF\n")},
        {"cut in its first object", whole.left(40)},
        {"cut half way", whole.left(whole.size() / 2)},
        {"cut in the table", whole.left(table + 40)},
        {"cut before the end", whole.left(whole.size() - 6)},
        {"cut in the last line end", whole.left(whole.size() - 1)},
        {"a chunk lost early", whole.left(300) + whole.mid(300 + 4096)},
        {"a few bytes lost before the table", whole.left(table - 10) + whole.mid(table - 7)},
        {"a row of the table lost", whole.left(table + 40) + whole.mid(table + 60)},
        {"the end lost", whole.left(trailer)},
        {"more after the end", whole + "x\n"},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(PrintFiles::pdfIsWhole(c.bytes)) << c.what;
}

} // namespace

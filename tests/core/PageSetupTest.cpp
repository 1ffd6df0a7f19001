#include "core/PageSetup.h"
#include "core/PageSetupFile.h"
#include "core/ProgramPaths.h"
#include "core/SettingsAtStart.h"
#include "core/SettingsQuit.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"

#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using PageSetup::PageFormat;

PageFormat format(const QString& printer, const QPageSize& size, QPageLayout::Orientation orientation,
                  const QMarginsF& margins)
{
    return PageFormat{printer, QPageLayout(size, orientation, margins, QPageLayout::Point)};
}

void expectSameFormat(const PageFormat& a, const PageFormat& b)
{
    EXPECT_EQ(a.printerName, b.printerName);
    EXPECT_EQ(a.layout.pageSize().id(), b.layout.pageSize().id());
    EXPECT_EQ(a.layout.orientation(), b.layout.orientation());
    EXPECT_EQ(a.layout.fullRect(QPageLayout::Point), b.layout.fullRect(QPageLayout::Point));
    EXPECT_EQ(a.layout.paintRect(QPageLayout::Point), b.layout.paintRect(QPageLayout::Point));
}

// ---- The SetupString ----

TEST(SetupString, ReadsBackWhatItWrote)
{
    const PageFormat formats[] = {
        format(QString(), QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)),
        format(QStringLiteral("事務所_レーザー"), QPageSize(QPageSize::A5), QPageLayout::Landscape,
               QMarginsF(12.5, 56.7, 0, 3.25)),
        // A size no standard page has, given in points to the fraction.
        format(QStringLiteral("Photo"), QPageSize(QSizeF(200.5, 300.25), QPageSize::Point, QString(), QPageSize::ExactMatch),
               QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)),
        // A custom size set up in millimetres.
        format(QString(), QPageSize(QSizeF(130, 180), QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
               QPageLayout::Portrait, QMarginsF(5, 5, 5, 5)),
    };
    for (const PageFormat& f : formats) {
        SCOPED_TRACE(f.layout.pageSize().name().toStdString());
        const QString text = PageSetup::encode(f);
        const std::optional<PageFormat> back = PageSetup::decode(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        expectSameFormat(*back, f);
        EXPECT_EQ(PageSetup::encode(*back), text);
    }
}

TEST(SetupString, IsAVersionedTextOfNamedLines)
{
    const QString text = PageSetup::encode(
        format(QStringLiteral("Office"), QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 20, 30, 40)));
    EXPECT_EQ(text.toStdString(), std::string("Morvelin page setup 1\n"
                                   "printer=Office\n"
                                   "page=A4\n"
                                   "size=595 842\n"
                                   "orientation=landscape\n"
                                   "margins=10 20 30 40\n"));

    const QString custom = PageSetup::encode(format(
        QString(), QPageSize(QSizeF(200.5, 300), QPageSize::Point, QString(), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF()));
    EXPECT_FALSE(custom.contains(QStringLiteral("page="))) << custom.toStdString();
    EXPECT_TRUE(custom.contains(QStringLiteral("\nsize=200.5 300\n"))) << custom.toStdString();
}

TEST(SetupString, LinesItDoesNotKnowAreSkipped)
{
    const auto f = PageSetup::decode(QStringLiteral("Morvelin page setup 1\n"
                                                    "duplex=long\n"
                                                    "comment without equals sign\n"
                                                    "size=420 595\n"));
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->printerName, QString());
    EXPECT_EQ(f->layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(f->layout.paintRect(QPageLayout::Point), QRectF(0, 0, 420, 595));
}

TEST(SetupString, AnUnknownPageNameFallsBackToTheStoredSize)
{
    const auto f = PageSetup::decode(QStringLiteral("Morvelin page setup 1\npage=NoSuchPaper\nsize=300 400\n"));
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->layout.pageSize().id(), QPageSize::Custom);
    EXPECT_EQ(f->layout.fullRect(QPageLayout::Point), QRectF(0, 0, 300, 400));
}

TEST(SetupString, TextsThatAreNoPageSetupAreRefused)
{
    const char* const texts[] = {
        "",
        "size=420 595\n",                                 // no header
        "Morvelin page setup 2\nsize=420 595\n",          // a later version
        "Morvelin page setup 1\n",                        // no size
        "Morvelin page setup 1\nsize=420\n",
        "Morvelin page setup 1\nsize=420 595 1\n",
        "Morvelin page setup 1\nsize=0 595\n",
        "Morvelin page setup 1\nsize=-420 595\n",
        "Morvelin page setup 1\nsize=abc 595\n",
        "Morvelin page setup 1\nsize=1e400 595\n",
        "Morvelin page setup 1\nsize=nan 595\n",
        "Morvelin page setup 1\nsize=1000000 595\n",
        "Morvelin page setup 1\nsize=420 595\norientation=sideways\n",
        "Morvelin page setup 1\nsize=420 595\nmargins=1 2 3\n",
        "Morvelin page setup 1\nsize=420 595\nmargins=-1 0 0 0\n",
        // Margins that leave nothing to print on.
        "Morvelin page setup 1\nsize=420 595\nmargins=210 0 210 0\n",
        "Morvelin page setup 1\nsize=420 595\norientation=landscape\nmargins=0 300 0 300\n",
    };
    for (const char* text : texts)
        EXPECT_FALSE(PageSetup::decode(QString::fromUtf8(text)).has_value()) << text;
}

// ---- The PageSetupFile ----

TEST(PageSetupFileBytes, TagCountThenTheTextsUtf8Bytes)
{
    const QString text = QStringLiteral("Morvelin page setup 1\nprinter=事務所\n");
    const QByteArray utf8 = text.toUtf8();
    const QByteArray bytes = PageSetupFile::encode(text);
    ASSERT_EQ(bytes.size(), 15 + utf8.size());
    EXPECT_EQ(bytes.left(11), QByteArray("\x0aprintSetup"));
    EXPECT_EQ(bytes.mid(11, 4), QByteArray("\0\0\0", 3) + char(utf8.size()));
    EXPECT_EQ(bytes.mid(15), utf8);

    QString back;
    ASSERT_TRUE(PageSetupFile::decode(bytes, back));
    EXPECT_EQ(back, text);
}

TEST(PageSetupFileBytes, AnyTagIsReadButADamagedFileIsNot)
{
    QString text = QStringLiteral("unchanged");
    ASSERT_TRUE(PageSetupFile::decode(QByteArray("\x03old\0\0\0\x02hi", 10), text));
    EXPECT_EQ(text, QStringLiteral("hi"));

    const QByteArray damaged[] = {
        QByteArray(),
        QByteArray("\x0aprintSetup"),                       // no count
        QByteArray("\x0aprint"),                            // the tag itself cut short
        QByteArray("\x0aprintSetup\0\0\0", 14),              // the count cut short
        QByteArray("\x0aprintSetup\0\0\0\x05" "abc", 18),   // the count runs past the end
        QByteArray("\x0aprintSetup\x7f\xff\xff\xff" "abc", 18),
        QByteArray("\x0aprintSetup\xff\xff\xff\xff" "abc", 18), // a negative count
    };
    for (const QByteArray& bytes : damaged) {
        text = QStringLiteral("unchanged");
        EXPECT_FALSE(PageSetupFile::decode(bytes, text)) << bytes.toHex().toStdString();
        EXPECT_EQ(text, QStringLiteral("unchanged"));
    }
}

class PageSetupFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = TestEnv::home() + QStringLiteral("/pagesetup-files");
        QDir(root).removeRecursively();
        folder = root + QStringLiteral("/Morvelin初期設定");
    }
    void TearDown() override { QDir(root).removeRecursively(); }
    QString file() const { return ProgramPaths::pageSetupFileIn(folder); }
    void writeRaw(const QByteArray& bytes) const
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readRaw() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString root;
    QString folder;
};

TEST_F(PageSetupFileTest, TheTextSavedAtQuitReplacesTheOlderFileAndIsReadBack)
{
    ASSERT_TRUE(Folders::createFolder(folder));
    const QString older = QStringLiteral("Morvelin page setup 1\nsize=595 842\n");
    writeRaw(PageSetupFile::encode(older));
    QString loaded;
    SettingsFiles::AtStart atStart;
    ASSERT_EQ(PageSetupFile::load(folder, loaded, &atStart), PageSetupFile::LoadResult::Loaded);
    EXPECT_EQ(loaded, older);

    const QString text = QStringLiteral("Morvelin page setup 1\nsize=420 595\n");
    ASSERT_EQ(PageSetupFile::saveAtQuit(folder, /*keepPageSetup=*/true, text, atStart).kind,
              SettingsFiles::QuitOutcome::Kind::Saved);
    EXPECT_EQ(readRaw(), PageSetupFile::encode(text));
    EXPECT_EQ(QFileInfo(file()).size(), 15 + text.toUtf8().size());

    QString back;
    EXPECT_EQ(PageSetupFile::load(folder, back), PageSetupFile::LoadResult::Loaded);
    EXPECT_EQ(back, text);
}

TEST_F(PageSetupFileTest, NoFolderMeansNothingReadAndNothingMade)
{
    QString text;
    EXPECT_EQ(PageSetupFile::load(folder, text), PageSetupFile::LoadResult::NoFolder);
    EXPECT_FALSE(FileIO::somethingAt(folder));
}

TEST_F(PageSetupFileTest, AMissingFileIsToldApartFromOneThatCannotBeReadWhole)
{
    ASSERT_TRUE(Folders::createFolder(folder));
    QString text = QStringLiteral("unchanged");
    EXPECT_EQ(PageSetupFile::load(folder, text), PageSetupFile::LoadResult::NoFile);

    writeRaw(QByteArray("\x0aprintSetup\0\0\0\x30" "Morvelin", 23)); // ends before its count
    EXPECT_EQ(PageSetupFile::load(folder, text), PageSetupFile::LoadResult::Unreadable);

    writeRaw(QByteArray("\x0aprintSetup\0\x01\0\0", 15) + QByteArray(65536, 'x')); // far larger than any setup
    EXPECT_EQ(PageSetupFile::load(folder, text), PageSetupFile::LoadResult::Unreadable);

    // A FIFO in the file's place is never opened, so the start cannot hang.
    QFile::remove(file());
    ASSERT_EQ(mkfifo(QFile::encodeName(file()).constData(), 0600), 0);
    EXPECT_EQ(PageSetupFile::load(folder, text), PageSetupFile::LoadResult::Unreadable);
    EXPECT_EQ(text, QStringLiteral("unchanged"));
}

// The page setup is the one settings file a run can have nothing to store
// in: then the quit leaves the file, and a settings folder removed during the
// run, as they are.
TEST_F(PageSetupFileTest, NothingIsStoredWhileThePageSetupIsNotKeptOrThereIsNone)
{
    const QString older = QStringLiteral("Morvelin page setup 1\nsize=595 842\n");
    const QString newer = QStringLiteral("Morvelin page setup 1\nsize=420 595\n");
    const struct {
        const char* what;
        bool keep;
        QString text;
        bool folderRemoved;
        SettingsFiles::QuitOutcome::Kind result;
    } cases[] = {
        {"kept", true, newer, false, SettingsFiles::QuitOutcome::Kind::Saved},
        {"not kept", false, newer, false, SettingsFiles::QuitOutcome::Kind::NothingToSave},
        {"none held", true, QString(), false, SettingsFiles::QuitOutcome::Kind::NothingToSave},
        {"not kept, the folder removed", false, newer, true, SettingsFiles::QuitOutcome::Kind::NothingToSave},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(root).removeRecursively();
        ASSERT_TRUE(Folders::createFolder(folder));
        writeRaw(PageSetupFile::encode(older));
        QString loaded;
        SettingsFiles::AtStart atStart;
        ASSERT_EQ(PageSetupFile::load(folder, loaded, &atStart), PageSetupFile::LoadResult::Loaded);
        if (c.folderRemoved) {
            ASSERT_TRUE(QDir(folder).removeRecursively());
        }

        EXPECT_EQ(PageSetupFile::saveAtQuit(folder, c.keep, c.text, atStart).kind, c.result);
        const bool saved = c.result == SettingsFiles::QuitOutcome::Kind::Saved;
        EXPECT_EQ(Folders::isFolder(folder), !c.folderRemoved);
        if (!c.folderRemoved) {
            EXPECT_EQ(readRaw(), PageSetupFile::encode(saved ? newer : older));
        }
    }
}

} // namespace

#include "MainWindowFixture.h"

#include "sheet/PictureExport.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"
#include "ui/Canvas.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace MainWindowTesting;

namespace {

constexpr QFileDevice::Permissions kEveryone = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser
                                              | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                              | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                              | QFileDevice::WriteOther | QFileDevice::ExeOther;
constexpr QFileDevice::Permissions kUmask022 = QFileDevice::ReadUser | QFileDevice::WriteUser
                                              | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// The preview as it shows, one pixel per point as the picture has them.
QImage shown(QWidget* w) { return TestImages::rendered(w).convertToFormat(QImage::Format_RGB32); }

class ExportTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        savedUmask = ::umask(022);
        ASSERT_TRUE(out.isValid());
        data().setValue("stYY", 2014);
        data().setValue("stMM", 5);
        w->pWork.dropEdits();
    }

    void TearDown() override
    {
        ::umask(savedUmask);
        MainWindowTest::TearDown();
    }

    QString file(const QString& name) const { return QDir(out.path()).filePath(name); }

    // Runs the export command, typing `path` into its save dialog (an empty
    // path cancels it); returns how many save dialogs it showed.
    int exportTo(const QString& path)
    {
        return answerModal<QFileDialog>([this] { w->ExportCanvas1(); },
                                        [path](QFileDialog* dialog) {
                                            if (path.isEmpty()) {
                                                dialog->reject();
                                                return;
                                            }
                                            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                                            ASSERT_NE(name, nullptr);
                                            name->setText(path);
                                            static_cast<QDialog*>(dialog)->accept();
                                        });
    }

    QTemporaryDir out;
    mode_t savedUmask = 0;
};

TEST_F(ExportTest, SavesThePreviewAsAPngPictureOfTheSheetsSize)
{
    struct Case {
        int size;
        QSize picture;
    };
    for (const Case& c : {Case{0, {255, 260}}, Case{2, {337, 391}}}) {
        ctl<QComboBox>("PopupMenu4")->setCurrentIndex(c.size);
        // Whatever the print range, the picture shows the start month.
        data().setValue("prKind", 1);
        w->pWork.dropEdits();
        const QHash<QString, QString> before = [&] {
            QHash<QString, QString> values;
            for (const QString& key : data().keys())
                values.insert(key, data().text(key));
            return values;
        }();

        const QString name = file(QStringLiteral("sheet%1").arg(c.size));
        ASSERT_EQ(exportTo(name), 1);
        // A name without an extension gets ".png", and the file is a PNG.
        const QString saved = name + ".png";
        ASSERT_TRUE(QFileInfo::exists(saved));
        QImageReader reader(saved);
        EXPECT_EQ(reader.format(), QByteArray("png"));
        const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(picture.size(), c.picture);
        EXPECT_PRED_FORMAT2(TestImages::samePixels, picture, shown(w->Canvas1)) << "size " << c.size;
        // A picture to pass on, not one of the program's private files: the umask decides.
        EXPECT_EQ(QFileInfo(saved).permissions() & kEveryone, kUmask022) << "size " << c.size;

        for (const QString& key : data().keys())
            EXPECT_EQ(data().text(key), before.value(key)) << key.toStdString();
        EXPECT_FALSE(w->pWork.hasEdits());
    }
}

TEST_F(ExportTest, ANameWithAnExtensionIsKept)
{
    ASSERT_EQ(exportTo(file("month.png")), 1);
    EXPECT_TRUE(QFileInfo::exists(file("month.png")));
    EXPECT_FALSE(QFileInfo::exists(file("month.png.png")));
}

// The format a file holds, told by its bytes alone.
QByteArray formatByContent(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.format();
}

TEST_F(ExportTest, TheFileHoldsTheFormatItsNameSays)
{
    const struct {
        const char* typed;
        const char* saved;
        const char* format;
    } cases[] = {
        {"a.png", "a.png", "png"},         {"B.PNG", "B.PNG", "png"},
        {"c.jpg", "c.jpg", "jpeg"},        {"d.JPEG", "d.JPEG", "jpeg"},
        {"e.Jpg", "e.Jpg", "jpeg"},        {"f.bmp", "f.bmp", "bmp"},
        {"G.BMP", "G.BMP", "bmp"},         {"calendar.2026", "calendar.2026.png", "png"},
        {"snap.", "snap.png", "png"},      {"sheet", "sheet.png", "png"},
        {"photo.gif", "photo.gif.png", "png"},
    };
    const QImage preview = shown(w->Canvas1);
    QStringList expected;
    for (const auto& c : cases) {
        const QString saved = QString::fromUtf8(c.saved);
        expected << saved;
        ASSERT_EQ(exportTo(file(QString::fromUtf8(c.typed))), 1) << c.typed;
        EXPECT_EQ(formatByContent(file(saved)), QByteArray(c.format)) << c.typed;
        const QImage picture = QImage(file(saved)).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(picture.size(), QSize(255, 260)) << c.typed;
        if (QByteArray(c.format) != "jpeg") {
            EXPECT_PRED_FORMAT2(TestImages::samePixels, picture, preview) << c.typed; // the lossless ones to the pixel
        }
    }
    expected.sort();
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              expected);
}

TEST_F(ExportTest, TheNameTheSuffixMakesIsReplacedOnlyWhenTheUserSaysSo)
{
    for (const QString& typed : {QStringLiteral("snap."), QStringLiteral("calendar.2026")}) {
        const QString target = Sheet::pictureFileName(file(typed));
        TestFiles::plant(target, "the user's own picture");
        struct Answer {
            QString press;
            MessageBoxDriver::Action how;
            bool replaced;
        };
        for (const Answer& a : {Answer{QStringLiteral("キャンセル"), MessageBoxDriver::Action::Click, false},
                                Answer{QString(), MessageBoxDriver::Action::PressEscape, false},
                                Answer{QStringLiteral("置き換える"), MessageBoxDriver::Action::Click, true}}) {
            auto asked = MessageBoxDriver::answer(a.press, a.how);
            ASSERT_EQ(exportTo(file(typed)), 1);
            ASSERT_TRUE(asked->shown) << typed.toStdString();
            const QString name = QFileInfo(target).fileName();
            EXPECT_EQ(asked->text, QStringLiteral("「%1」は既にあります。置き換えますか？").arg(name));
            EXPECT_EQ(asked->informativeText, QStringLiteral("置き換えると、今ある「%1」の内容は失われます。").arg(name));
            EXPECT_EQ(asked->defaultButton, QStringLiteral("キャンセル"));
            if (a.replaced) {
                EXPECT_EQ(formatByContent(target), QByteArray("png")) << typed.toStdString();
            } else {
                EXPECT_EQ(TestFiles::bytesOf(target), QByteArray("the user's own picture")) << typed.toStdString();
            }
            EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      QStringList{name});
        }
        QFile::remove(target);
    }

    // A name kept as typed is not asked about again: the file dialog did.
    auto asked = MessageBoxDriver::answer(QStringLiteral("置き換える"), MessageBoxDriver::Action::Click,
                                          MessageBoxDriver::kUntilStopped);
    ASSERT_EQ(exportTo(file("fresh.bmp")), 1);
    asked->stopWaiting = true;
    EXPECT_FALSE(asked->shown);
}

TEST_F(ExportTest, CancelWritesNothing)
{
    EXPECT_EQ(exportTo(QString()), 1);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(ExportTest, AFailedWriteIsReported)
{
    // A folder the dialog can name but where no file can be made, even by root.
    const QString refused = QStringLiteral("/proc/morvelin-export.png");
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    EXPECT_EQ(exportTo(refused), 1);
    seen->stopWaiting = true;
    EXPECT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("ファイルを開けません。"));
    EXPECT_EQ(seen->informativeText, QStringLiteral("保存は行われません。"));
    EXPECT_FALSE(QFileInfo::exists(refused));
}

} // namespace

#include "MainWindowFixture.h"

#include "ui/Canvas.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace MainWindowTesting;

namespace {

QImage grabbed(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

class ExportTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(out.isValid());
        data().setValue("stYY", 2014);
        data().setValue("stMM", 5);
        w->pChanged = false;
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
        w->pChanged = false;
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
        EXPECT_EQ(picture, grabbed(w->Canvas1)) << "size " << c.size;

        for (const QString& key : data().keys())
            EXPECT_EQ(data().text(key), before.value(key)) << key.toStdString();
        EXPECT_FALSE(w->pChanged);
    }
}

TEST_F(ExportTest, ANameWithAnExtensionIsKept)
{
    ASSERT_EQ(exportTo(file("month.png")), 1);
    EXPECT_TRUE(QFileInfo::exists(file("month.png")));
    EXPECT_FALSE(QFileInfo::exists(file("month.png.png")));
}

TEST_F(ExportTest, CancelWritesNothing)
{
    EXPECT_EQ(exportTo(QString()), 1);
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_FALSE(w->pChanged);
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

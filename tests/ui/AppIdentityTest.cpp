// Qt's own dialogs speak Japanese like the rest of the program.

#include "ui/AppIdentity.h"

#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QColorDialog>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIcon>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTextStream>
#include <QThread>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

class QtInJapanese : public ::testing::Test {
protected:
    void SetUp() override { translator = AppIdentity::installQtJapanese(*qApp); }
    void TearDown() override
    {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    QTranslator* translator = nullptr;
};

TEST_F(QtInJapanese, TheColourAndFileDialogsSpeakJapanese)
{
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translations (qt6-translations-l10n) are not installed";
    QColorDialog colours;
    EXPECT_EQ(colours.windowTitle(), QStringLiteral("色を選択"));
    QStringList captions;
    for (const QPushButton* b : colours.findChildren<QPushButton*>())
        captions << b->text();
    EXPECT_TRUE(captions.contains(QStringLiteral("キャンセル"))) << captions.join(u',').toStdString();

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    QStringList fileCaptions;
    for (const QPushButton* b : files.findChildren<QPushButton*>())
        fileCaptions << b->text();
    EXPECT_TRUE(fileCaptions.contains(QStringLiteral("キャンセル"))) << fileCaptions.join(u',').toStdString();
    // Words Qt's catalogue lacks, as the file dialog's type column shows them.
    const QFileIconProvider icons;
    EXPECT_EQ(icons.type(QFileInfo(TestEnv::home())).toStdString(), "フォルダ");
    EXPECT_EQ(icons.type(QFileInfo(QStringLiteral("/"))).toStdString(), "ドライブ");
}

TEST(AppIdentity, TheProgramIsKnownByItsNameAndIcon)
{
    const QLocale before;
    QLocale::setDefault(QLocale::c()); // as under LANG=C
    AppIdentity::apply(*qApp);
    // Whatever the system's language: what Qt's dialogs format by the
    // default locale (dates, numbers) is Japanese.
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
    EXPECT_EQ(QLocale().territory(), QLocale::Japan);
    EXPECT_EQ(QWidget().locale().language(), QLocale::Japanese);
    EXPECT_EQ(QLocale().toString(QDate(2027, 3, 9), QLocale::LongFormat), QStringLiteral("2027年3月9日火曜日"));
    // Notices without a title of their own are titled with this name.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Morvelin"));
    // The desktop entry the windows belong to, for the launcher's name and icon.
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("morvelin"));
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon.pixmap(48, 48).isNull());

    // What other tests in this process expect.
    for (QTranslator* t : qApp->findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QGuiApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QString());
    QApplication::setWindowIcon(QIcon());
    QLocale::setDefault(before);
}

// The child a start-up test runs: the program's application object made as
// main makes it, then what the user sees of the locale, one "key value" a
// line: Qt's system and default locales, the size and modification date the
// file dialog shows for the file named by the first argument, and the type it
// shows for the file's folder and for the drive.
int reportStartUp(int& argc, char** argv)
{
    AppIdentity::Application app(argc, argv);
    const QString file = QCoreApplication::arguments().value(1);
    QFileDialog dialog(nullptr, QString(), QFileInfo(file).path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* model = dialog.findChild<QFileSystemModel*>();
    if (!model)
        return 2;
    // The model reads the folder in a thread of its own.
    QString size, date, folder, drive;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        const QModelIndex name = model->index(file);
        size = name.siblingAtColumn(1).data().toString();
        date = name.siblingAtColumn(3).data().toString();
        folder = model->index(QFileInfo(file).path()).siblingAtColumn(2).data().toString();
        drive = model->index(QStringLiteral("/")).siblingAtColumn(2).data().toString();
        if (!size.isEmpty() && !date.isEmpty() && !folder.isEmpty() && !drive.isEmpty())
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    QTextStream out(stdout);
    out << "system " << QLocale::system().name() << '\n'
        << "default " << QLocale().name() << '\n'
        << "size " << size << '\n'
        << "date " << date << '\n'
        << "folder " << folder << '\n'
        << "drive " << drive << '\n';
    return 0;
}
const TestEnv::ChildEntry startUpReport("start-up-report", reportStartUp);

// Started the way a user starts the program, whatever the locale variables
// say: Qt's system locale, which the file dialog formats sizes and dates by,
// and the default locale are Japanese, and the dialog names a folder and the
// drive in Japanese too.
TEST(AppIdentity, StartUpGivesTheUserJapaneseLocalesWhateverTheVariablesSay)
{
    const QString file = TestEnv::home() + QStringLiteral("/start-up/memo.txt");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    TestFiles::plant(file, "12345");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2027, 3, 9), QTime(10, 5)), QFileDevice::FileModificationTime));
    }

    const struct {
        const char* name;
        QList<std::pair<const char*, const char*>> variables;
    } cases[] = {
        {"LangC", {{"LANG", "C"}}},
        {"LcAllC", {{"LANG", "en_US.UTF-8"}, {"LC_ALL", "C"}}},
        {"English", {{"LANG", "en_US.UTF-8"}, {"LC_TIME", "en_US.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}}},
        {"JapaneseInEucJp", {{"LC_ALL", "ja_JP.eucJP"}}},
        {"Japanese", {{"LANG", "ja_JP.UTF-8"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& key : env.keys()) {
            if (key == QLatin1String("LANG") || key == QLatin1String("LANGUAGE") || key.startsWith(QLatin1String("LC_")))
                env.remove(key);
        }
        for (const auto& [key, value] : c.variables)
            env.insert(QLatin1String(key), QLatin1String(value));
        env.insert(QLatin1String(TestEnv::kChildVariable), QStringLiteral("start-up-report"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {file});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString errors = QString::fromUtf8(child.readAllStandardError());
        ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << errors.toStdString();
        ASSERT_EQ(child.exitCode(), 0) << errors.toStdString();
        QMap<QString, QString> seen;
        for (const QString& line : QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
            seen.insert(line.section(u' ', 0, 0), line.section(u' ', 1));
        EXPECT_EQ(seen.value(QStringLiteral("system")).toStdString(), "ja_JP");
        EXPECT_EQ(seen.value(QStringLiteral("default")).toStdString(), "ja_JP");
        EXPECT_EQ(seen.value(QStringLiteral("size")).toStdString(), "5 バイト");
        EXPECT_EQ(seen.value(QStringLiteral("date")).toStdString(), "2027/03/09 10:05");
        EXPECT_EQ(seen.value(QStringLiteral("folder")).toStdString(), "フォルダ");
        EXPECT_EQ(seen.value(QStringLiteral("drive")).toStdString(), "ドライブ");
    }
}

} // namespace

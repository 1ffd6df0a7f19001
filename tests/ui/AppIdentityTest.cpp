// Qt's own dialogs speak Japanese like the rest of the program.

#include "ui/AppIdentity.h"

#include <QApplication>
#include <QColorDialog>
#include <QDate>
#include <QFileDialog>
#include <QIcon>
#include <QLocale>
#include <QPushButton>
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
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QGuiApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QString());
    QApplication::setWindowIcon(QIcon());
    QLocale::setDefault(before);
}

// What Qt builds its system locale from, before the application starts:
// whatever the user's locale variables say, the file dialog's sizes and dates
// come out Japanese.
TEST(AppIdentity, TheSystemLocaleQtReadsIsJapanese)
{
    const QByteArray before = qgetenv("LC_ALL");
    const bool hadBefore = qEnvironmentVariableIsSet("LC_ALL");
    const struct {
        const char* lcAll; // null: unset
        const char* after;
    } cases[] = {
        {nullptr, "ja_JP.UTF-8"},      // LANG=C alone
        {"C", "ja_JP.UTF-8"},
        {"en_US.UTF-8", "ja_JP.UTF-8"},
        {"ja_JP.UTF-8", "ja_JP.UTF-8"},
        {"ja_JP.eucJP", "ja_JP.eucJP"}, // Japanese already: left as the user set it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lcAll ? c.lcAll : "(unset)");
        if (c.lcAll)
            qputenv("LC_ALL", c.lcAll);
        else
            qunsetenv("LC_ALL");
        AppIdentity::preferJapaneseSystemLocale();
        EXPECT_EQ(qgetenv("LC_ALL"), QByteArray(c.after));
        EXPECT_EQ(QLocale(qEnvironmentVariable("LC_ALL")).language(), QLocale::Japanese);
    }
    if (hadBefore)
        qputenv("LC_ALL", before);
    else
        qunsetenv("LC_ALL");
}

} // namespace

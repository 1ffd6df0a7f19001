// The page setup through Qt's printing service: the real QPrinter, the real
// page-setup dialog driven as a user would, and the PageSetupFile in the
// temporary home.

#include "ui/AppPrintSetup.h"
#include "ui/AppIdentity.h"

#include "MainWindowFixture.h"
#include "PrivateCups.h"
#include "core/App.h"
#include "core/Globals.h"
#include "core/PageSetup.h"
#include "core/PageSetupFile.h"
#include "core/ProgramPaths.h"
#include "core/SettingsQuit.h"
#include "platform/Folders.h"
#include "support/ModalDialogDriver.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include <memory>

namespace {

using MainWindowTesting::answerModal;

// The A5 landscape page with 10 pt margins all round, as a stored setup.
QString a5Landscape(const QString& printer = QString())
{
    return PageSetup::encode({printer, QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                                   QMarginsF(10, 10, 10, 10), QPageLayout::Point)});
}

QString customPortrait()
{
    return PageSetup::encode({QString(), QPageLayout(QPageSize(QSizeF(300, 400), QPageSize::Point, QString(),
                                                               QPageSize::ExactMatch),
                                                     QPageLayout::Portrait, QMarginsF(20, 30, 20, 30),
                                                     QPageLayout::Point)});
}

class PageSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Only a print server a test starts itself may answer; none here, so
        // there is no printer and Qt prints to PDF.
        PrivateCups::pointClientsAt(TestEnv::home() + QStringLiteral("/no-print-server.sock"));
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        savedPref = Globals::gPref;
        app.InitVal();
        app.InitColor();
        app.InitPref();
        Globals::gPref[10] = 0; // no beeps
        AppPrintSetup::install(app);
    }
    void TearDown() override
    {
        Globals::gPref = savedPref;
        Globals::gPrintSetup.clear();
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
    }

    // The page setup a confirmed dialog would leave.
    void setPageSetup(const QString& text)
    {
        std::unique_ptr<PrinterSetup> ps = app.NewPrinterSetup();
        ASSERT_TRUE(ps->SetSetupString(text));
        app.PrintSetupParam(*ps);
    }
    static QByteArray fileBytes()
    {
        QFile f(ProgramPaths::pageSetupFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeFile(const QByteArray& bytes)
    {
        QFile f(ProgramPaths::pageSetupFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QVariantMap noPageSetup() { return {{QStringLiteral("SetupString"), QString()}}; }

    App app;
    std::array<int32_t, 51> savedPref{};
};

// What the page-setup dialog showed when it opened.
struct SeenPageSetup {
    QPageSize::PageSizeId page = QPageSize::LastPageSize;
    bool landscape = false;
    double widthShown = 0, heightShown = 0; // in the dialog's own unit
    QPageLayout::Unit unit = QPageLayout::Point;
};

SeenPageSetup look(QPageSetupDialog* dlg)
{
    SeenPageSetup seen;
    auto* pages = dlg->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
    const QVariant data = pages->currentData();
    seen.page = data.canConvert<QPageSize>() ? data.value<QPageSize>().id() : QPageSize::Custom;
    seen.landscape = dlg->findChild<QRadioButton*>(QStringLiteral("landscape"))->isChecked();
    seen.widthShown = dlg->findChild<QDoubleSpinBox*>(QStringLiteral("pageWidth"))->value();
    seen.heightShown = dlg->findChild<QDoubleSpinBox*>(QStringLiteral("pageHeight"))->value();
    seen.unit = dlg->findChild<QComboBox*>(QStringLiteral("unitCombo"))->currentData().value<QPageLayout::Unit>();
    return seen;
}

void press(QPageSetupDialog* dlg, QDialogButtonBox::StandardButton which)
{
    dlg->findChild<QDialogButtonBox*>()->button(which)->click();
}

TEST_F(PageSetupTest, AConfirmedChoiceBecomesThePageSetupWithItsPrintableArea)
{
    SeenPageSetup opened;
    const int dialogs = answerModal<QPageSetupDialog>([&] { app.PrintSetup(); }, [&](QPageSetupDialog* dlg) {
        opened = look(dlg);
        auto* pages = dlg->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
        for (int i = 0; i < pages->count(); ++i) {
            const QVariant data = pages->itemData(i);
            if (data.canConvert<QPageSize>() && data.value<QPageSize>().id() == QPageSize::B5)
                pages->setCurrentIndex(i);
        }
        dlg->findChild<QRadioButton*>(QStringLiteral("landscape"))->click();
        press(dlg, QDialogButtonBox::Ok);
    });
    ASSERT_EQ(dialogs, 1);
    // With no page setup yet the dialog starts from the printer's own default.
    EXPECT_EQ(opened.page, QPrinter().pageLayout().pageSize().id());
    EXPECT_FALSE(opened.landscape);

    ASSERT_EQ(Globals::gPrintSetup.keys(),
              (QStringList{QStringLiteral("Height"), QStringLiteral("SetupString"), QStringLiteral("Width")}));
    const auto stored = PageSetup::decode(Globals::gPrintSetup.value(QStringLiteral("SetupString")).toString());
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->layout.pageSize().id(), QPageSize::B5);
    EXPECT_EQ(stored->layout.orientation(), QPageLayout::Landscape);
    // B5 (176 x 250 mm) lying down, less the margins, in whole points.
    const QRect area = stored->layout.paintRectPoints();
    EXPECT_GT(area.width(), area.height());
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Width")).toInt(), area.width());
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Height")).toInt(), area.height());
    EXPECT_NEAR(stored->layout.fullRect(QPageLayout::Millimeter).width(), 250.0, 0.5);
}

TEST_F(PageSetupTest, TheDialogOpensOnTheCurrentPageSetupAndACancelKeepsIt)
{
    setPageSetup(customPortrait());
    const QVariantMap before = Globals::gPrintSetup;
    ASSERT_EQ(before.value(QStringLiteral("Width")).toInt(), 260);
    ASSERT_EQ(before.value(QStringLiteral("Height")).toInt(), 340);

    SeenPageSetup opened;
    const int dialogs = answerModal<QPageSetupDialog>([&] { app.PrintSetup(); }, [&](QPageSetupDialog* dlg) {
        opened = look(dlg);
        dlg->findChild<QRadioButton*>(QStringLiteral("landscape"))->click();
        press(dlg, QDialogButtonBox::Cancel);
    });
    ASSERT_EQ(dialogs, 1);
    EXPECT_EQ(opened.page, QPageSize::Custom);
    // 300 x 400 pt, in the dialog's unit to its two decimals.
    const QRectF expected = PageSetup::decode(customPortrait())->layout.fullRect(opened.unit);
    EXPECT_NEAR(opened.widthShown, expected.width(), 0.006);
    EXPECT_NEAR(opened.heightShown, expected.height(), 0.006);
    EXPECT_EQ(Globals::gPrintSetup, before);

    // Confirmed as it opened, the custom size stays (to the dialog's precision).
    answerModal<QPageSetupDialog>([&] { app.PrintSetup(); },
                                  [](QPageSetupDialog* dlg) { press(dlg, QDialogButtonBox::Ok); });
    const auto kept = PageSetup::decode(Globals::gPrintSetup.value(QStringLiteral("SetupString")).toString());
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->layout.pageSize().id(), QPageSize::Custom);
    EXPECT_NEAR(kept->layout.fullRect(QPageLayout::Point).width(), 300, 0.05);
    EXPECT_NEAR(kept->layout.fullRect(QPageLayout::Point).height(), 400, 0.05);
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Width")).toInt(), 260);
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Height")).toInt(), 340);
}

TEST_F(PageSetupTest, TheDialogSpeaksJapanese)
{
    std::unique_ptr<QTranslator> japanese(AppIdentity::installQtJapanese(*qApp));
    ASSERT_TRUE(japanese) << "Qt's Japanese translations are not installed";
    QString cancel, title;
    QStringList orientations;
    answerModal<QPageSetupDialog>([&] { app.PrintSetup(); }, [&](QPageSetupDialog* dlg) {
        title = dlg->windowTitle();
        cancel = dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
        orientations << dlg->findChild<QRadioButton*>(QStringLiteral("portrait"))->text()
                     << dlg->findChild<QRadioButton*>(QStringLiteral("landscape"))->text();
        const QString dir = qEnvironmentVariable("MORVELIN_LOOK_DIR");
        if (!dir.isEmpty())
            dlg->grab().save(dir + QStringLiteral("/pagesetup-dialog.png"), "PNG");
        press(dlg, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(title, QStringLiteral("ページ設定"));
    ASSERT_EQ(orientations.size(), 2);
    EXPECT_TRUE(orientations[0].startsWith(QStringLiteral("縦"))) << orientations[0].toStdString();
    EXPECT_TRUE(orientations[1].startsWith(QStringLiteral("横"))) << orientations[1].toStdString();
    EXPECT_EQ(cancel, QStringLiteral("キャンセル"));
    QCoreApplication::removeTranslator(japanese.get());
}

TEST_F(PageSetupTest, EscapeIsACancelToo)
{
    const int dialogs = answerModal<QPageSetupDialog>([&] { app.PrintSetup(); }, [](QPageSetupDialog* dlg) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dlg, &esc);
    });
    ASSERT_EQ(dialogs, 1);
    EXPECT_EQ(Globals::gPrintSetup, noPageSetup());
}

TEST_F(PageSetupTest, AVanishedPrinterGivesTheDefaultPrinterWithTheStoredLayout)
{
    QPrinter printer;
    ASSERT_TRUE(AppPrintSetup::apply(printer, a5Landscape(QStringLiteral("GonePrinter"))));
    // No printer is installed here, so the default is PDF output.
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(AppPrintSetup::printableSize(printer), QSize(575, 400));

    // Set up again, the page names the printer it is really on.
    const auto again = PageSetup::decode(AppPrintSetup::setupString(printer));
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->printerName, QString());
    EXPECT_EQ(AppPrintSetup::setupString(printer), a5Landscape());
}

TEST_F(PageSetupTest, ATextThatIsNoPageSetupLeavesThePrinterAsItWas)
{
    QPrinter printer;
    const QPageLayout before = printer.pageLayout();
    EXPECT_FALSE(AppPrintSetup::apply(printer, QStringLiteral("garbage")));
    EXPECT_TRUE(printer.pageLayout().isEquivalentTo(before));
}

TEST_F(PageSetupTest, KeptPageSetupComesBackAtTheNextStartWithoutADialog)
{
    Globals::gPref[3] = 1;
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    setPageSetup(a5Landscape());
    const QVariantMap made = Globals::gPrintSetup;
    app.SavePrintSetup();

    const QByteArray text = a5Landscape().toUtf8();
    EXPECT_EQ(fileBytes(), PageSetupFile::encode(a5Landscape()));
    EXPECT_EQ(fileBytes().size(), 15 + text.size());

    // The next run.
    app.InitVal();
    ASSERT_EQ(Globals::gPrintSetup, noPageSetup());
    const int dialogs = answerModal<QDialog>([&] { app.LoadPrintSetup(); }, [](QDialog* dlg) { dlg->reject(); });
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(Globals::gPrintSetup, made);
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Width")).toInt(), 575);
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("Height")).toInt(), 400);
}

TEST_F(PageSetupTest, KeepPageSetupCountsAsOnFromOne)
{
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const QByteArray old = PageSetupFile::encode(customPortrait());
    const struct {
        int32_t pref3;
        bool kept;
    } cases[] = {{0, false}, {-1, false}, {1, true}, {2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pref3);
        writeFile(old);
        Globals::gPref[3] = c.pref3;
        app.InitVal();
        app.LoadPrintSetup();
        setPageSetup(a5Landscape());
        app.SavePrintSetup();
        EXPECT_EQ(fileBytes(), c.kept ? PageSetupFile::encode(a5Landscape()) : old);

        // With the preference off the file on disk is not taken.
        writeFile(PageSetupFile::encode(customPortrait()));
        app.InitVal();
        app.LoadPrintSetup();
        EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("SetupString")).toString(),
                  c.kept ? customPortrait() : QString());
    }
}

TEST_F(PageSetupTest, AMissingOrDamagedFileIsAnnouncedAndLeavesNoPageSetup)
{
    Globals::gPref[3] = 1;
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const struct {
        const char* what;
        std::function<void()> make;
        bool missing = false;
    } cases[] = {
        {"no file", [] {}, true},
        {"cut short", [] { writeFile(PageSetupFile::encode(a5Landscape()).left(40)); }},
        {"count past the end", [] { writeFile(QByteArray("\x0aprintSetup\x10\0\0\0xyz", 18)); }},
        {"only a tag", [] { writeFile(QByteArray("\x0aprintSetup")); }},
        {"no page setup inside", [] { writeFile(PageSetupFile::encode(QStringLiteral("{GX-PrintSettings}"))); }},
        {"empty text", [] { writeFile(PageSetupFile::encode(QString())); }},
        {"a folder in its place", [] { ASSERT_TRUE(QDir().mkpath(ProgramPaths::pageSetupFile())); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(ProgramPaths::pageSetupFile()).removeRecursively();
        QFile::remove(ProgramPaths::pageSetupFile());
        c.make();
        app.InitVal();
        auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
        app.LoadPrintSetup();
        ASSERT_TRUE(seen->shown);
        EXPECT_EQ(seen->text, c.missing ? QStringLiteral("用紙設定ファイルがみつかりません。")
                                        : QStringLiteral("用紙設定ファイルを読み込めません。"));
        EXPECT_EQ(seen->informativeText, QStringLiteral("再度、用紙設定を行って下さい。"));
        EXPECT_EQ(Globals::gPrintSetup, noPageSetup());
    }
}

TEST_F(PageSetupTest, ADamagedFileIsKeptBeforeANewPageSetupReplacesIt)
{
    Globals::gPref[3] = 1;
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    const QByteArray damaged[] = {PageSetupFile::encode(a5Landscape()).left(40),
                                  PageSetupFile::encode(QStringLiteral("{GX-PrintSettings}"))};
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        QDir(ProgramPaths::settingsFolder()).removeRecursively();
        ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
        writeFile(bytes);
        app.InitVal();
        auto opening = MessageBoxDriver::answer(QStringLiteral("OK"));
        app.LoadPrintSetup();
        ASSERT_TRUE(opening->shown);

        // No page setup made: the file stays as it is.
        app.SavePrintSetup();
        EXPECT_EQ(fileBytes(), bytes);
        EXPECT_FALSE(QFileInfo::exists(ProgramPaths::pageSetupFile() + QStringLiteral(".damaged")));

        setPageSetup(customPortrait());
        app.SavePrintSetup();
        EXPECT_EQ(fileBytes(), PageSetupFile::encode(customPortrait()));
        QFile kept(ProgramPaths::pageSetupFile() + QStringLiteral(".damaged"));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), bytes);
    }
}

TEST_F(PageSetupTest, NoSettingsFolderIsSilentAtStartAndMadeAgainAtQuit)
{
    Globals::gPref[3] = 1;
    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                         MessageBoxDriver::kUntilStopped);
    app.LoadPrintSetup();
    setPageSetup(a5Landscape());
    EXPECT_EQ(app.SavePrintSetup().outcome.kind, SettingsFiles::QuitOutcome::Kind::Saved);
    EXPECT_FALSE(seen->shown);
    seen->stopWaiting = true;
    EXPECT_EQ(fileBytes(), PageSetupFile::encode(a5Landscape()));
}

TEST_F(PageSetupTest, QuitWithoutAPageSetupLeavesTheOlderFile)
{
    Globals::gPref[3] = 1;
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    writeFile(PageSetupFile::encode(customPortrait()));
    app.SavePrintSetup();
    EXPECT_EQ(fileBytes(), PageSetupFile::encode(customPortrait()));
}

TEST_F(PageSetupTest, AFileThatCannotBeWrittenAtQuitIsReported)
{
    Globals::gPref[3] = 1;
    ASSERT_TRUE(QDir().mkpath(ProgramPaths::pageSetupFile()));
    setPageSetup(a5Landscape());
    const SettingsFiles::QuitReport report = app.SavePrintSetup();
    EXPECT_EQ(report.what, QStringLiteral("用紙設定"));
    EXPECT_EQ(report.path, ProgramPaths::pageSetupFile());
    EXPECT_EQ(report.outcome.kind, SettingsFiles::QuitOutcome::Kind::NotAFile);
}

TEST_F(PageSetupTest, TheClosingSequenceSavesThePageSetupLast)
{
    Globals::gPref[3] = 1;
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    setPageSetup(a5Landscape());
    bool prefWrittenBefore = false;
    bool pageSetupWrittenBefore = true;
    app.CloseApp([&] {
        prefWrittenBefore = QFile::exists(ProgramPaths::preferenceFile());
        pageSetupWrittenBefore = QFile::exists(ProgramPaths::pageSetupFile());
        return SettingsFiles::QuitReport{};
    });
    EXPECT_TRUE(prefWrittenBefore);
    EXPECT_FALSE(pageSetupWrittenBefore);
    EXPECT_EQ(fileBytes(), PageSetupFile::encode(a5Landscape()));
}

TEST_F(PageSetupTest, TheOpeningSequenceLoadsThePageSetupAfterThePreferences)
{
    // Keep-page-setup is on only in the stored preferences: the page setup is
    // read because the preferences are read first.
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    Globals::gPref[3] = 1;
    app.SavePref();
    writeFile(PageSetupFile::encode(a5Landscape()));
    Globals::gPref[3] = 0;

    app.InitApp();
    EXPECT_EQ(Globals::gPref[3], 1);
    EXPECT_EQ(Globals::gPrintSetup.value(QStringLiteral("SetupString")).toString(), a5Landscape());
}

// A printing service whose page has nothing to print on: none such exists on
// Linux, where Qt falls back to PDF output, so the test brings its own.
class NoAreaSetup final : public PrinterSetup {
public:
    explicit NoAreaSetup(int* dialogs)
        : m_dialogs(dialogs)
    {
    }
    QString SetupString() const override { return QStringLiteral("Morvelin page setup 1\nsize=10 10\n"); }
    bool SetSetupString(const QString&) override { return true; }
    int32_t Width() const override { return 0; }
    int32_t Height() const override { return 100; }
    bool PageSetupDialog() override
    {
        ++*m_dialogs;
        return true;
    }

private:
    int* m_dialogs;
};

TEST_F(PageSetupTest, APageWithNothingToPrintOnIsAnnouncedAndChangesNothing)
{
    setPageSetup(a5Landscape());
    int dialogs = 0;
    app.setPrinterSetupFactory([&] { return std::make_unique<NoAreaSetup>(&dialogs); });
    const QVariantMap before = Globals::gPrintSetup;

    auto seen = MessageBoxDriver::answer(QStringLiteral("OK"));
    app.PrintSetup();
    ASSERT_TRUE(seen->shown);
    EXPECT_EQ(seen->text, QStringLiteral("プリンタドライバが見つかりません。"));
    EXPECT_EQ(seen->informativeText, QStringLiteral("用紙設定は行われません。"));
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(Globals::gPrintSetup, before);

    // At start-up the stored setup is then silently not applied.
    Globals::gPref[3] = 1;
    ASSERT_TRUE(Folders::createFolder(ProgramPaths::settingsFolder()));
    writeFile(PageSetupFile::encode(a5Landscape()));
    app.InitVal();
    auto quiet = MessageBoxDriver::answer(QStringLiteral("OK"), MessageBoxDriver::Action::Click,
                                          MessageBoxDriver::kUntilStopped);
    app.LoadPrintSetup();
    EXPECT_FALSE(quiet->shown);
    quiet->stopWaiting = true;
    EXPECT_EQ(Globals::gPrintSetup, noPageSetup());
}

} // namespace

#include "MainWindowFixture.h"

#include "ui/ClrCanvas.h"
#include "ui/LittleArrows.h"
#include "support/TestMain.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

using namespace MainWindowTesting;

namespace {

const char* const kColourKeys[] = {"dayColorN", "dayColorS", "dayColorT", "dayColorH", "dayColorA", "dowColor",
                                   "ymColor",   "holColor",  "annColor",  "annBkClr",  "lineColor"};

// A dataset as a dataset file leaves it: every value a text.
void makeAllText(Dataset& d)
{
    for (const QString& k : d.keys()) {
        if (k != QLatin1String("pict"))
            d.setValue(k, d.text(k));
    }
}

bool heldAs(const QVariant& v, QMetaType::Type type) { return v.metaType().id() == int(type); }

QString writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(TestEnv::home()).filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QString writePicture(const QString& name)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    const QString path = QDir(TestEnv::home()).filePath(name);
    EXPECT_TRUE(image.save(path, "PNG"));
    return path;
}

// Types the file's whole path into the open dialog, as a user may, and opens it.
void chooseFile(QFileDialog* dlg, const QString& path)
{
    auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    static_cast<QDialog*>(dlg)->accept();
}

} // namespace

// ---- Setting the controls from a dataset ----

TEST_F(MainWindowTest, StartUpShowsTheDefaultDataset)
{
    const QDate today = QDate::currentDate();
    EXPECT_EQ(ctl<QLineEdit>("EditField1")->text(), QString::number(today.year()));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu1")->currentText(), QString::number(today.month()));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu3")->currentText(), QStringLiteral("9"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu14")->currentText(), QStringLiteral("10"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu16")->currentText(), QStringLiteral("12"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu18")->currentText(), QStringLiteral("7"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu20")->currentText(), QStringLiteral("7"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu8")->currentIndex(), 2);
    EXPECT_EQ(ctl<QComboBox>("PopupMenu11")->currentIndex(), 1);
    // "osaka" is no installed family here: the font pop-ups show none.
    if (!QFontDatabase::families().contains(QStringLiteral("osaka"), Qt::CaseInsensitive)) {
        for (const char* popup : {"PopupMenu2", "PopupMenu13", "PopupMenu15", "PopupMenu17", "PopupMenu19"})
            EXPECT_EQ(ctl<QComboBox>(popup)->currentIndex(), -1) << popup;
    }
    EXPECT_EQ(ctl<ClrCanvas>("Canvas5")->Clr(), Globals::gPref[23]);
    EXPECT_EQ(ctl<ClrCanvas>("Canvas2")->Clr(), Globals::gPref[20]);
    EXPECT_EQ(ctl<QWidget>("Canvas1")->size(), QSize(255, 260));
    EXPECT_EQ(w->pWEEKline.size(), 6);
    EXPECT_FALSE(w->pWork.hasEdits());
    EXPECT_TRUE(w->pWork.path().isEmpty());
    // Background row, button and label agree.
    EXPECT_EQ(ctl<QComboBox>("PopupMenu10")->currentIndex(), 0);
    EXPECT_FALSE(ctl<QPushButton>("PushButton1")->isEnabled());
    EXPECT_EQ(ctl<QLabel>("StaticText30")->text(), QStringLiteral("ファイルなし"));
}

TEST_F(MainWindowTest, InitControlSetsEveryControlAndNothingFiresBack)
{
    Dataset& d = data();
    d.setValue("stYY", 2015);
    d.setValue("stMM", 12);
    d.setValue("prKind", 1);
    d.setValue("size", 2);
    d.setValue("cutline", 2);
    d.setValue("pictPath", QStringLiteral("/gone/picture.png"));
    d.setValue("extra", 1);
    d.setValue("dayFsize", 14);
    d.setValue("dowFsize", 13);
    d.setValue("ymFsize", 24);
    d.setValue("holFsize", 5);
    d.setValue("annFsize", 9);
    d.setValue("dow1st", 1);
    d.setValue("dowLange", 3);
    d.setValue("ymPos", 2);
    d.setValue("holName", 0);
    d.setValue("annName", 3);
    d.setValue("line", 0);
    d.setValue("frame", 2);
    const QString someFont = ctl<QComboBox>("PopupMenu2")->itemText(ctl<QComboBox>("PopupMenu2")->count() - 1);
    for (const char* k : {"dayFont", "dowFont", "ymFont", "holFont", "annFont"})
        d.setValue(QString::fromLatin1(k), someFont);
    int32_t clr = 0x102030;
    for (const char* k : kColourKeys)
        d.setValue(QString::fromLatin1(k), clr += 0x010101);
    makeAllText(d);
    // A hairline at 72 dpi would warn if a handler ran: it must not.
    Globals::gPref[5] = 1;

    const int notices = answerModal<QMessageBox>([&] { w->InitControl(); }, [](QMessageBox* box) { box->accept(); });

    EXPECT_EQ(notices, 0);
    EXPECT_FALSE(w->pWork.hasEdits());
    for (const QString& k : d.keys()) {
        if (k != QLatin1String("pict")) {
            EXPECT_TRUE(heldAs(d.value(k), QMetaType::QString)) << qPrintable(k) << " was written back";
        }
    }

    EXPECT_EQ(ctl<QLineEdit>("EditField1")->text(), QStringLiteral("2015"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu1")->currentText(), QStringLiteral("12"));
    EXPECT_TRUE(ctl<QRadioButton>("RadioButton2")->isChecked());
    EXPECT_FALSE(ctl<QRadioButton>("RadioButton1")->isChecked());
    const QList<std::pair<const char*, int>> rows = {
        {"PopupMenu4", 2}, {"PopupMenu5", 2}, {"PopupMenu10", 1}, {"PopupMenu12", 1}, {"PopupMenu6", 1},
        {"PopupMenu7", 3}, {"PopupMenu9", 2}, {"PopupMenu8", 0},  {"PopupMenu21", 3}, {"PopupMenu11", 0},
        {"PopupMenu22", 2},
    };
    for (const auto& [popup, row] : rows)
        EXPECT_EQ(ctl<QComboBox>(popup)->currentIndex(), row) << popup;
    const QList<std::pair<const char*, const char*>> texts = {
        {"PopupMenu3", "14"}, {"PopupMenu14", "13"}, {"PopupMenu16", "24"}, {"PopupMenu18", "5"}, {"PopupMenu20", "9"},
    };
    for (const auto& [popup, text] : texts)
        EXPECT_EQ(ctl<QComboBox>(popup)->currentText(), QLatin1String(text)) << popup;
    for (const char* popup : {"PopupMenu2", "PopupMenu13", "PopupMenu15", "PopupMenu17", "PopupMenu19"})
        EXPECT_EQ(ctl<QComboBox>(popup)->currentText(), someFont) << popup;
    const char* const swatches[] = {"Canvas5", "Canvas6", "Canvas7",  "Canvas8",  "Canvas14", "Canvas3",
                                    "Canvas2", "Canvas11", "Canvas12", "Canvas13", "Canvas4"};
    clr = 0x102030;
    for (const char* swatch : swatches)
        EXPECT_EQ(ctl<ClrCanvas>(swatch)->Clr(), clr += 0x010101) << swatch;

    // The sheet size reaches the preview and the grid tables.
    EXPECT_EQ(ctl<QWidget>("Canvas1")->geometry(), QRect(30, 220, 337, 391));
    EXPECT_EQ(w->pDOWline[1] - w->pDOWline[0], 46);
    EXPECT_EQ(w->pWEEKline.value(1) - w->pWEEKline.value(0), 66);
}

TEST_F(MainWindowTest, TextAndNumberValuesSelectTheSameRows)
{
    struct Held {
        const char* kind;
        QVariant size, dayFsize, month;
    };
    // As a new dataset holds them, as a dataset file leaves them, as the handlers store them.
    const Held helds[] = {
        {"Int32", 2, 9, 4},
        {"text", QStringLiteral("2"), QStringLiteral("9"), QStringLiteral("4")},
        {"Double", 2.0, 9.0, 4.0},
    };
    for (const Held& h : helds) {
        for (const char* popup : {"PopupMenu4", "PopupMenu3", "PopupMenu1"})
            ctl<QComboBox>(popup)->setCurrentIndex(0);
        w->pWork.dropEdits();
        data().setValue("size", h.size);
        data().setValue("dayFsize", h.dayFsize);
        data().setValue("stMM", h.month);
        w->InitControl();
        EXPECT_EQ(ctl<QComboBox>("PopupMenu4")->currentText(), QStringLiteral("CD 12x14cm")) << h.kind;
        EXPECT_EQ(ctl<QComboBox>("PopupMenu3")->currentText(), QStringLiteral("9")) << h.kind;
        EXPECT_EQ(ctl<QComboBox>("PopupMenu1")->currentText(), QStringLiteral("4")) << h.kind;
        EXPECT_EQ(data().value("size"), h.size) << h.kind << ": kept as held";
        EXPECT_FALSE(w->pWork.hasEdits()) << h.kind;
    }
}

TEST_F(MainWindowTest, ValuesWithoutARowLeaveThePopupWhereItWas)
{
    auto* dayFont = ctl<QComboBox>("PopupMenu2");
    dayFont->setCurrentIndex(dayFont->count() > 1 ? 1 : 0);
    const int fontRow = dayFont->currentIndex();
    ctl<QComboBox>("PopupMenu3")->setCurrentIndex(3); // "9"
    ctl<QComboBox>("PopupMenu6")->setCurrentIndex(1);
    ctl<QComboBox>("PopupMenu1")->setCurrentIndex(5);

    Dataset& d = data();
    d.setValue("stMM", QStringLiteral("-3000000000")); // below the smallest Int32
    d.setValue("dayFont", QStringLiteral("No Such Font Anywhere"));
    d.setValue("dayFsize", QStringLiteral("24")); // a row of the title sizes only
    d.setValue("dow1st", 7);                       // a damaged file
    d.setValue("size", 9);
    const QSize before = ctl<QWidget>("Canvas1")->size();
    w->InitControl();

    // A font that is not installed is no exception to keep a row for: the
    // pop-up shows the dataset's name for it, with no row selected.
    EXPECT_NE(fontRow, -1);
    EXPECT_EQ(dayFont->currentIndex(), -1);
    EXPECT_EQ(dayFont->placeholderText(), QStringLiteral("No Such Font Anywhere"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu3")->currentText(), QStringLiteral("9"));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu6")->currentIndex(), 1);
    EXPECT_EQ(ctl<QComboBox>("PopupMenu1")->currentIndex(), 5);
    EXPECT_EQ(ctl<QWidget>("Canvas1")->size(), before);
    EXPECT_EQ(d.text("dayFont"), QStringLiteral("No Such Font Anywhere"));
}

TEST_F(MainWindowTest, FillingTheFontPopupsRaisesNoHandler)
{
    Window1 fresh;
    fresh.InitDataset();
    fresh.InitVal();
    EXPECT_FALSE(fresh.pWork.hasEdits());
    EXPECT_EQ(fresh.pDataset->text("dayFont"), QStringLiteral("osaka"));
    EXPECT_GT(fresh.findChild<QComboBox*>("PopupMenu2")->count(), 0);
}

// ---- The guarded edits ----

struct EditCase {
    const char* popup;
    int row;
    const char* key;
    QMetaType::Type kind;
    QVariant value; // compared as text
    bool repaints;
};

TEST_F(MainWindowTest, EachPopupStoresItsKeyWithItsKindAndMarksTheEdit)
{
    const QList<EditCase> cases = {
        {"PopupMenu2", 1, "dayFont", QMetaType::QString, QVariant(), true},
        {"PopupMenu3", 5, "dayFsize", QMetaType::QString, "11", true},
        {"PopupMenu13", 1, "dowFont", QMetaType::QString, QVariant(), true},
        {"PopupMenu14", 0, "dowFsize", QMetaType::QString, "8", true},
        {"PopupMenu15", 1, "ymFont", QMetaType::QString, QVariant(), true},
        {"PopupMenu16", 10, "ymFsize", QMetaType::QString, "24", true},
        {"PopupMenu17", 1, "holFont", QMetaType::QString, QVariant(), true},
        {"PopupMenu18", 4, "holFsize", QMetaType::QString, "9", true},
        {"PopupMenu19", 1, "annFont", QMetaType::QString, QVariant(), true},
        {"PopupMenu20", 0, "annFsize", QMetaType::QString, "5", true},
        {"PopupMenu5", 1, "cutline", QMetaType::Int, 1, false},
        {"PopupMenu6", 1, "dow1st", QMetaType::Int, 1, true},
        {"PopupMenu7", 2, "dowLange", QMetaType::Int, 2, true},
        {"PopupMenu8", 1, "holName", QMetaType::Int, 1, true},
        {"PopupMenu9", 1, "ymPos", QMetaType::Int, 1, true},
        {"PopupMenu12", 1, "extra", QMetaType::Int, 1, true},
        {"PopupMenu21", 3, "annName", QMetaType::Int, 3, true},
        {"PopupMenu22", 1, "frame", QMetaType::Int, 1, true},
        {"PopupMenu11", 3, "line", QMetaType::Int, 3, true},
        {"PopupMenu4", 3, "size", QMetaType::Int, 3, true},
        {"PopupMenu1", 9, "stMM", QMetaType::Double, 10, true},
    };
    PaintCounter preview(ctl<QWidget>("Canvas1"));
    for (const EditCase& c : cases) {
        auto* popup = ctl<QComboBox>(c.popup);
        ASSERT_GT(popup->count(), c.row) << c.popup;
        if (popup->currentIndex() == c.row)
            popup->setCurrentIndex(c.row == 0 ? 1 : 0);
        w->pWork.dropEdits();
        settle();
        preview.paints = 0;

        popup->setCurrentIndex(c.row);
        settle();

        EXPECT_TRUE(w->pWork.hasEdits()) << c.popup;
        const QVariant stored = data().value(QLatin1String(c.key));
        EXPECT_TRUE(heldAs(stored, c.kind)) << c.popup << " stored " << stored.typeName();
        const QString expected = c.value.isValid() ? c.value.toString() : popup->itemText(c.row);
        EXPECT_EQ(Conv::asText(stored), expected) << c.popup;
        EXPECT_EQ(preview.paints > 0, c.repaints) << c.popup;
    }
}

TEST_F(MainWindowTest, PrintRangeButtonsStoreTheirConstantWithoutRepaint)
{
    PaintCounter preview(ctl<QWidget>("Canvas1"));
    settle();
    preview.paints = 0;
    ctl<QRadioButton>("RadioButton2")->click();
    settle();
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_TRUE(heldAs(data().value("prKind"), QMetaType::Int));
    EXPECT_EQ(data().i32("prKind"), 1);

    w->pWork.dropEdits();
    ctl<QRadioButton>("RadioButton1")->click();
    settle();
    EXPECT_TRUE(w->pWork.hasEdits());
    EXPECT_EQ(data().i32("prKind"), 0);
    EXPECT_EQ(preview.paints, 0);
}

TEST_F(MainWindowTest, ReChoosingTheRowShownChangesNothing)
{
    auto* popup = ctl<QComboBox>("PopupMenu7");
    const QVariant before = data().value("dowLange");
    int chosen = 0;
    QObject::connect(popup, &QComboBox::activated, [&](int row) {
        EXPECT_EQ(row, popup->currentIndex());
        ++chosen;
    });
    popup->showPopup();
    settle();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(popup->view(), &enter);
    settle();
    EXPECT_EQ(chosen, 1) << "the user chose the row shown";
    EXPECT_FALSE(w->pWork.hasEdits());
    EXPECT_EQ(data().value("dowLange"), before);
}

TEST_F(MainWindowTest, YearArrowsStepTheYearAndStopAtTheCalendarsRange)
{
    auto* arrows = ctl<LittleArrows>("LittleArrows1");
    auto* field = ctl<QLineEdit>("EditField1");
    data().setValue("stYY", QStringLiteral("2015"));
    w->InitControl();

    arrows->upButton()->click();
    EXPECT_TRUE(heldAs(data().value("stYY"), QMetaType::Double));
    EXPECT_EQ(data().dbl("stYY"), 2016.0);
    EXPECT_EQ(field->text(), QStringLiteral("2016"));
    EXPECT_TRUE(w->pWork.hasEdits());
    arrows->downButton()->click();
    arrows->downButton()->click();
    EXPECT_EQ(field->text(), QStringLiteral("2014"));

    struct Bound {
        const char* shown;
        bool up;
        const char* after;
        bool edits;
    };
    const Bound bounds[] = {
        {"1", false, "1", false},       {"2", false, "1", true},       {"9999", true, "9999", false},
        {"9998", true, "9999", true},   {"20000", false, "9999", true}, {"-4", true, "1", true},
    };
    for (const Bound& b : bounds) {
        data().setValue("stYY", QLatin1String(b.shown));
        w->InitControl();
        w->pWork.dropEdits();
        (b.up ? arrows->upButton() : arrows->downButton())->click();
        EXPECT_EQ(field->text(), QLatin1String(b.after)) << b.shown;
        EXPECT_EQ(data().text("stYY"), QLatin1String(b.after)) << b.shown;
        EXPECT_EQ(w->pWork.hasEdits(), b.edits) << b.shown;
    }
}

// ---- Sheet size ----

TEST_F(MainWindowTest, SizePopupResizesThePreviewAndRebuildsTheGrid)
{
    struct SizeCase {
        int row;
        QSize preview;
        int columnStep;
        int firstRow;
        int rowStep;
    };
    const SizeCase cases[] = {
        {1, {368, 365}, 50, 52, 60},
        {2, {337, 391}, 46, 52, 66},
        {3, {340, 340}, 46, 52, 56},
        {0, {255, 260}, 35, 39, 43},
    };
    auto* canvas = ctl<QWidget>("Canvas1");
    for (const SizeCase& c : cases) {
        w->pWork.dropEdits();
        ctl<QComboBox>("PopupMenu4")->setCurrentIndex(c.row);
        EXPECT_EQ(canvas->geometry(), QRect(QPoint(30, 220), c.preview)) << c.row;
        EXPECT_EQ(data().i32("size"), c.row);
        EXPECT_EQ(w->pDOWline[1] - w->pDOWline[0], c.columnStep) << c.row;
        ASSERT_EQ(w->pWEEKline.size(), 6);
        EXPECT_EQ(w->pWEEKline[0], c.firstRow) << c.row;
        EXPECT_EQ(w->pWEEKline[1] - w->pWEEKline[0], c.rowStep) << c.row;
        EXPECT_TRUE(w->pWork.hasEdits());
        // The widest and the tallest preview stay clear of the settings box and the window's edge.
        EXPECT_LT(placeOf(canvas).right(), 420);
        EXPECT_LT(placeOf(canvas).bottom(), 625);
    }
}

TEST_F(MainWindowTest, ResetAfterACdSizedDatasetBringsTheFloppyPreviewBack)
{
    data().setValue("size", QStringLiteral("1"));
    w->InitControl();
    EXPECT_EQ(ctl<QWidget>("Canvas1")->size(), QSize(368, 365));
    w->InitDefault();
    EXPECT_EQ(ctl<QWidget>("Canvas1")->size(), QSize(255, 260));
    EXPECT_EQ(ctl<QComboBox>("PopupMenu4")->currentIndex(), 0);
    EXPECT_EQ(w->pDOWline[0], 5);
}

// ---- Line weight ----

TEST_F(MainWindowTest, HairlineNoticeOnlyAt72Dpi)
{
    struct HairlineCase {
        int resolution;
        int row;
        int notices;
    };
    const HairlineCase cases[] = {{1, 0, 1}, {0, 0, 0}, {1, 1, 0}, {1, 2, 0}, {1, 3, 0}};
    for (const HairlineCase& c : cases) {
        auto* popup = ctl<QComboBox>("PopupMenu11");
        popup->setCurrentIndex(c.row == 1 ? 2 : 1);
        Globals::gPref[5] = c.resolution;
        w->pWork.dropEdits();
        QString message, explanation;
        const int seen = answerModal<QMessageBox>([&] { popup->setCurrentIndex(c.row); },
                                                  [&](QMessageBox* box) {
                                                      message = box->text();
                                                      explanation = box->informativeText();
                                                      // Nothing is stored while the notice is up.
                                                      EXPECT_NE(data().i32("line"), 0);
                                                      box->buttons().first()->click();
                                                  });
        EXPECT_EQ(seen, c.notices) << c.resolution << "/" << c.row;
        EXPECT_EQ(data().i32("line"), c.row);
        EXPECT_TRUE(w->pWork.hasEdits());
        if (c.notices) {
            EXPECT_EQ(message, QStringLiteral("印刷解像度が72DPIの場合は、極細線は1ポイントと同じ太さになります。"));
            EXPECT_EQ(explanation, QStringLiteral("極細線で印刷したい場合は、環境設定で印刷解像度を360DPIに変更して下さい。"));
        }
    }
}

// ---- Background picture ----

TEST_F(MainWindowTest, BackgroundRowDrivesButtonLabelAndPicture)
{
    auto* popup = ctl<QComboBox>("PopupMenu10");
    auto* button = ctl<QPushButton>("PushButton1");
    auto* label = ctl<QLabel>("StaticText30");

    popup->setCurrentIndex(1);
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(label->text(), QStringLiteral("ファイルなし"));
    EXPECT_TRUE(w->pWork.hasEdits());

    const QString path = writePicture("back.png");
    const int dialogs = answerModal<QFileDialog>([&] { button->click(); },
                                                 [&](QFileDialog* dlg) {
                                                     chooseFile(dlg, path);
                                                 });
    ASSERT_EQ(dialogs, 1);
    EXPECT_EQ(data().text("pictPath"), QFileInfo(path).absoluteFilePath());
    EXPECT_FALSE(data().pict().isNull());
    EXPECT_EQ(label->text(), QFileInfo(path).absoluteFilePath());

    w->pWork.dropEdits();
    popup->setCurrentIndex(0);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(data().text("pictPath").isEmpty());
    EXPECT_TRUE(data().pict().isNull());
    EXPECT_EQ(label->text(), QStringLiteral("ファイルなし"));
    EXPECT_TRUE(w->pWork.hasEdits());

    // Switching back on does not bring the dropped picture back.
    popup->setCurrentIndex(1);
    EXPECT_TRUE(data().pict().isNull());
    EXPECT_EQ(label->text(), QStringLiteral("ファイルなし"));
}

TEST_F(MainWindowTest, AFileThatIsNoPictureIsRefused)
{
    auto* button = ctl<QPushButton>("PushButton1");
    auto* label = ctl<QLabel>("StaticText30");
    ctl<QComboBox>("PopupMenu10")->setCurrentIndex(1);
    const QString good = writePicture("good.png");
    answerModal<QFileDialog>([&] { button->click(); },
                             [&](QFileDialog* dlg) {
                                 chooseFile(dlg, good);
                             });
    ASSERT_FALSE(data().pict().isNull());
    const QString goodPath = data().text("pictPath");
    w->pWork.dropEdits();

    // The file dialog first, then the notice once it has closed.
    const QString bad = writeFile("notes.png", "this is no picture");
    QString notice;
    const int dialogs = answerModal<QDialog>([&] { button->click(); },
                                             [&](QDialog* dlg) {
                                                 if (auto* files = qobject_cast<QFileDialog*>(dlg)) {
                                                     chooseFile(files, bad);
                                                 } else if (auto* box = qobject_cast<QMessageBox*>(dlg)) {
                                                     notice = box->text();
                                                     box->buttons().first()->click();
                                                 }
                                             });
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(notice, QStringLiteral("ファイルを開けません。"));
    EXPECT_EQ(data().text("pictPath"), goodPath);
    EXPECT_FALSE(data().pict().isNull());
    EXPECT_EQ(label->text(), goodPath);
    EXPECT_FALSE(w->pWork.hasEdits());

    // A cancelled dialog changes nothing either.
    answerModal<QFileDialog>([&] { button->click(); }, [](QFileDialog* dlg) { dlg->reject(); });
    EXPECT_EQ(data().text("pictPath"), goodPath);
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(MainWindowTest, ButtonLabelAndRowAgreeAfterLoadAndReset)
{
    const QString path = writePicture("agree.png");
    data().setValue("pictPath", path);
    w->InitControl();
    // InitControl itself leaves button and label; its callers set them.
    EXPECT_EQ(ctl<QComboBox>("PopupMenu10")->currentIndex(), 1);
    EXPECT_FALSE(ctl<QPushButton>("PushButton1")->isEnabled());
    EXPECT_EQ(ctl<QLabel>("StaticText30")->text(), QStringLiteral("ファイルなし"));

    w->InitDefault();
    EXPECT_EQ(ctl<QComboBox>("PopupMenu10")->currentIndex(), 0);
    EXPECT_FALSE(ctl<QPushButton>("PushButton1")->isEnabled());
    EXPECT_EQ(ctl<QLabel>("StaticText30")->text(), QStringLiteral("ファイルなし"));
    EXPECT_FALSE(w->pWork.hasEdits());
}

TEST_F(MainWindowTest, StoredPicturePathsLoadOnlyPictures)
{
    EXPECT_TRUE(w->LoadDatasetPict(QString()).isNull());
    EXPECT_TRUE(w->LoadDatasetPict(QDir(TestEnv::home()).filePath("missing.png")).isNull());
    EXPECT_TRUE(w->LoadDatasetPict(writeFile("text.png", "no picture")).isNull());
    EXPECT_EQ(w->LoadDatasetPict(writePicture("stored.png")).size(), QSize(40, 30));
}

// ---- Colour swatches ----

TEST_F(MainWindowTest, ASwatchPickStoresTheColourAndRepaintsThePreview)
{
    struct SwatchCase {
        const char* swatch;
        const char* key;
        int page;
    };
    const SwatchCase cases[] = {
        {"Canvas5", "dayColorN", 0}, {"Canvas6", "dayColorS", 0},  {"Canvas7", "dayColorT", 0},
        {"Canvas8", "dayColorH", 0}, {"Canvas14", "dayColorA", 0}, {"Canvas3", "dowColor", 1},
        {"Canvas2", "ymColor", 2},   {"Canvas11", "holColor", 3},  {"Canvas12", "annColor", 4},
        {"Canvas13", "annBkClr", 4}, {"Canvas4", "lineColor", 5},
    };
    auto* tabs = ctl<QTabWidget>("TabPanel1");
    PaintCounter preview(ctl<QWidget>("Canvas1"));
    int green = 100;
    for (const SwatchCase& c : cases) {
        tabs->setCurrentIndex(c.page);
        settle();
        auto* swatch = ctl<ClrCanvas>(c.swatch);
        w->pWork.dropEdits();
        preview.paints = 0;
        const QColor pick(63, ++green, 63, 128); // the alpha never reaches the dataset
        const int32_t shown = swatch->Clr();
        QColor offered;
        const int seen = answerModal<QColorDialog>([&] { clickOn(swatch, {5, 5}); },
                                                   [&](QColorDialog* dlg) {
                                                       offered = dlg->currentColor();
                                                       dlg->setCurrentColor(pick);
                                                       dlg->accept();
                                                   });
        settle();
        ASSERT_EQ(seen, 1) << c.swatch;
        EXPECT_EQ(int32_t(offered.rgb() & 0xFFFFFF), shown) << c.swatch << ": the picker opens on the swatch's colour";
        const QVariant stored = data().value(QLatin1String(c.key));
        EXPECT_TRUE(heldAs(stored, QMetaType::Int)) << c.swatch;
        EXPECT_EQ(Conv::asInt32(stored), (63 << 16) | (green << 8) | 63) << c.swatch;
        EXPECT_TRUE(w->pWork.hasEdits()) << c.swatch;
        EXPECT_GT(preview.paints, 0) << c.swatch;
    }

    // A cancelled pick changes nothing.
    tabs->setCurrentIndex(4);
    settle();
    w->pWork.dropEdits();
    const QVariant before = data().value("annBkClr");
    answerModal<QColorDialog>([&] { clickOn(ctl<ClrCanvas>("Canvas13"), {5, 5}); },
                              [](QColorDialog* dlg) { dlg->reject(); });
    EXPECT_EQ(data().value("annBkClr"), before);
    EXPECT_FALSE(w->pWork.hasEdits());
}

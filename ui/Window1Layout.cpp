// The main window's controls: their places (in the window's content
// coordinates, whatever box or tab page holds them), texts and rows, and the
// binding of their events to the window's handlers.

#include "ui/Window1.h"

#include "ui/ClrCanvas.h"
#include "ui/LittleArrows.h"
#include "ui/PathLabel.h"
#include "ui/TabPagePlacement.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

QStringList numberRows(int from, int to)
{
    QStringList rows;
    for (int n = from; n <= to; ++n)
        rows << QString::number(n);
    return rows;
}

// Builds controls on one parent whose place in the window is fixed (the window
// itself or a group box), taking window coordinates.
class Placer {
public:
    Placer(QWidget* parent, QWidget* root)
        : m_parent(parent)
        , m_origin(parent == root ? QPoint(0, 0) : parent->mapTo(root, QPoint(0, 0)))
    {
    }
    // A tab page: its place is known only once the tab widget is laid out.
    Placer(QWidget* page, TabPagePlacement* placement)
        : m_parent(page)
        , m_placement(placement)
    {
    }

    template <class W> W* put(W* w, const char* name, int left, int top, int width, int height) const
    {
        w->setObjectName(QLatin1String(name));
        const QRect r(left, top, width, height);
        if (m_placement)
            m_placement->place(w, r);
        else
            w->setGeometry(r.translated(-m_origin));
        return w;
    }

    QComboBox* popup(const char* name, int left, int top, int width, const QStringList& rows) const
    {
        auto* c = new QComboBox(m_parent);
        c->addItems(rows);
        c->setCurrentIndex(rows.isEmpty() ? -1 : 0);
        return put(c, name, left, top, width, 20);
    }

    QLabel* label(const char* name, int left, int top, int width, const QString& text,
                  Qt::Alignment align = Qt::AlignRight) const
    {
        auto* l = new QLabel(text, m_parent);
        // Text sits at the top of its box, level with the pop-up beside it.
        l->setAlignment(align | Qt::AlignTop);
        return put(l, name, left, top, width, 20);
    }

    ClrCanvas* swatch(const char* name, int left, int top) const
    {
        return put(new ClrCanvas(m_parent), name, left, top, 35, 24);
    }

    QWidget* parent() const { return m_parent; }

private:
    QWidget* m_parent;
    QPoint m_origin;
    TabPagePlacement* m_placement = nullptr;
};

// Page "日にち": the day numbers.
void fillDayPage(const Placer& day, const QString& fontName, const QString& fontSize)
{
    day.popup("PopupMenu2", 545, 460, 200, {});
    day.popup("PopupMenu3", 545, 495, 100, numberRows(6, 18));
    day.swatch("Canvas5", 505, 530);
    day.label("StaticText5", 440, 535, 60, QStringLiteral("平日："));
    day.swatch("Canvas6", 505, 565);
    day.label("StaticText6", 440, 570, 60, QStringLiteral("日曜："));
    day.swatch("Canvas7", 600, 530);
    day.label("StaticText7", 545, 535, 50, QStringLiteral("土曜："));
    day.swatch("Canvas8", 600, 565);
    day.label("StaticText8", 545, 570, 50, QStringLiteral("祝日："));
    day.label("StaticText10", 440, 462, 100, fontName);
    day.label("StaticText11", 440, 497, 100, fontSize);
    day.label("StaticText36", 645, 535, 50, QStringLiteral("記念日："));
    day.swatch("Canvas14", 700, 530);
}

// Page "曜日": the weekday header.
void fillDowPage(const Placer& dow, const QString& fontName, const QString& fontSize, const QString& colour)
{
    dow.swatch("Canvas3", 545, 530);
    dow.label("StaticText3", 440, 535, 100, colour);
    dow.popup("PopupMenu13", 545, 460, 200, {});
    dow.popup("PopupMenu14", 545, 495, 100, numberRows(8, 14));
    dow.label("StaticText23", 440, 462, 100, fontName);
    dow.label("StaticText24", 440, 497, 100, fontSize);
}

// Page "年月": the title.
void fillTitlePage(const Placer& ym, const QString& fontName, const QString& fontSize, const QString& colour)
{
    ym.swatch("Canvas2", 545, 530);
    ym.label("StaticText2", 440, 535, 100, colour);
    ym.popup("PopupMenu15", 545, 460, 200, {});
    ym.popup("PopupMenu16", 545, 495, 100, numberRows(9, 18) << QStringLiteral("24"));
    ym.label("StaticText25", 440, 462, 100, fontName);
    ym.label("StaticText26", 440, 497, 100, fontSize);
}

// Page "祝日名": holiday names.
void fillHolidayPage(const Placer& hol, const QString& fontName, const QString& fontSize, const QString& colour)
{
    hol.popup("PopupMenu17", 545, 460, 200, {});
    hol.popup("PopupMenu18", 545, 495, 100, numberRows(5, 9));
    hol.label("StaticText22", 440, 535, 100, colour);
    hol.swatch("Canvas11", 545, 530);
    hol.label("StaticText27", 440, 462, 100, fontName);
    hol.label("StaticText28", 440, 497, 100, fontSize);
}

// Page "記念日": anniversary texts.
void fillAnniversaryPage(const Placer& ann, const QString& fontName, const QString& fontSize)
{
    ann.label("StaticText31", 440, 462, 100, fontName);
    ann.label("StaticText32", 440, 497, 100, fontSize);
    ann.label("StaticText33", 440, 535, 100, QStringLiteral("文字："));
    ann.label("StaticText34", 440, 570, 100, QStringLiteral("背景："));
    ann.popup("PopupMenu19", 545, 460, 200, {});
    ann.popup("PopupMenu20", 545, 495, 100, numberRows(5, 9));
    ann.swatch("Canvas12", 545, 530);
    ann.swatch("Canvas13", 545, 565);
}

// Page "枠線": the grid lines.
void fillGridPage(const Placer& grid, const QString& colour)
{
    grid.swatch("Canvas4", 545, 457);
    grid.label("StaticText4", 440, 462, 100, colour);
}

} // namespace

void Window1::CreateControls(QWidget* central)
{
    // Control texts are given in points of the layout; as pixel sizes they keep
    // the Japanese labels inside their boxes at any screen resolution.
    QFont base = central->font();
    base.setPixelSize(12);
    central->setFont(base);

    CreateSettingsBox(central);
    CreatePrintRangeBox(central);
    CreateDatasetList(central);
    // Bound only now: the selections made while the controls were built reach no handler.
    ConnectControls();
}

void Window1::CreateSettingsBox(QWidget* central)
{
    const Placer window(central, central);
    auto* box1 = window.put(new QGroupBox(QStringLiteral("設定"), central), "GroupBox1", 420, 10, 350, 605);
    CreateTabPages(box1, central);

    // The style rows of the settings box, one every 32 points.
    const Placer settings(box1, central);
    settings.popup("PopupMenu4", 545, 40, 120,
                   {QStringLiteral("フロッピー"), QStringLiteral("CD 13x13cm"), QStringLiteral("CD 12x14cm"),
                    QStringLiteral("CD 12x12cm")});
    settings.label("StaticText12", 440, 330, 100, QStringLiteral("枠線の太さ："));
    auto* pictButton = settings.put(new QPushButton(QStringLiteral("読込..."), box1), "PushButton1", 680, 360, 60, 20);
    pictButton->setAutoDefault(false);
    settings.popup("PopupMenu5", 545, 72, 120,
                   {QStringLiteral("トンボ"), QStringLiteral("破線"), QStringLiteral("実線")});
    settings.label("StaticText1", 440, 42, 100, QStringLiteral("サイズ："));
    settings.label("StaticText14", 440, 74, 100, QStringLiteral("切断線："));
    settings.popup("PopupMenu6", 545, 136, 120, {QStringLiteral("日曜日"), QStringLiteral("月曜日")});
    settings.label("StaticText15", 440, 138, 100, QStringLiteral("週の先頭："));
    settings.popup("PopupMenu7", 545, 168, 120,
                   {QStringLiteral("日本語"), QStringLiteral("英語 - 小文字"), QStringLiteral("英語 - 大文字"),
                    QStringLiteral("なし")});
    settings.label("StaticText16", 440, 170, 100, QStringLiteral("曜日の表記："));
    settings.popup("PopupMenu8", 545, 232, 120,
                   {QStringLiteral("なし"), QStringLiteral("あり - 名なし"), QStringLiteral("あり - 名あり")});
    settings.label("StaticText17", 440, 234, 100, QStringLiteral("祝日："));
    settings.popup("PopupMenu9", 545, 200, 120,
                   {QStringLiteral("左"), QStringLiteral("中央"), QStringLiteral("右")});
    settings.label("StaticText18", 440, 202, 100, QStringLiteral("年月の位置："));
    settings.popup("PopupMenu10", 545, 360, 120, {QStringLiteral("なし"), QStringLiteral("あり")});
    settings.label("StaticText19", 440, 362, 100, QStringLiteral("背景："));
    settings.popup("PopupMenu11", 545, 328, 120,
                   {QStringLiteral("極細線"), QStringLiteral("1ポイント"), QStringLiteral("2ポイント"),
                    QStringLiteral("3ポイント")});
    settings.label("StaticText20", 440, 106, 100, QStringLiteral("収まらない日："));
    settings.popup("PopupMenu12", 545, 104, 120,
                   {QStringLiteral("最終週に併記"), QStringLiteral("第一週に記載")});
    settings.label("StaticText29", 430, 410, 110, QStringLiteral("フォントと色："));
    auto* pathLabel = settings.put(new PathLabel(QStringLiteral("ファイルなし"), box1), "StaticText30", 440, 385, 310, 40);
    {
        QFont small = pathLabel->font();
        small.setPixelSize(10);
        pathLabel->setFont(small);
        QPalette pal = pathLabel->palette();
        pal.setColor(QPalette::WindowText, QColor(0x4D, 0x4D, 0x4D));
        pathLabel->setPalette(pal);
    }
    settings.popup("PopupMenu21", 545, 264, 120,
                   {QStringLiteral("なし"), QStringLiteral("あり - 名なし"), QStringLiteral("あり - 名あり"),
                    QStringLiteral("あり - 名＋色")});
    settings.label("StaticText35", 440, 266, 100, QStringLiteral("記念日："));
    settings.popup("PopupMenu22", 545, 296, 120,
                   {QStringLiteral("縦＋横"), QStringLiteral("縦のみ"), QStringLiteral("横のみ")});
    settings.label("StaticText37", 440, 298, 100, QStringLiteral("枠線："));
}

void Window1::CreateTabPages(QWidget* box, QWidget* central)
{
    const Placer settings(box, central);
    // The tab panel starts a few points below its layout place (420) and keeps its
    // bottom edge: Qt draws the tabs at the very top of the panel, where they would
    // run into the caption "フォントと色：" above them. Its controls keep their places.
    auto* tabs = settings.put(new QTabWidget(box), "TabPanel1", 430, 428, 330, 177);
    auto* placement = new TabPagePlacement(tabs, central);
    const QStringList pageNames = {QStringLiteral("日にち"), QStringLiteral("曜日"), QStringLiteral("年月"),
                                   QStringLiteral("祝日名"), QStringLiteral("記念日"), QStringLiteral("枠線")};
    QList<Placer> pages;
    for (const QString& pageName : pageNames) {
        auto* page = new QWidget;
        tabs->addTab(page, pageName);
        pages.append(Placer(page, placement));
    }
    tabs->setCurrentIndex(0);

    const QString fontName = QStringLiteral("フォント名：");
    const QString fontSize = QStringLiteral("フォントサイズ：");
    const QString colour = QStringLiteral("色：");
    fillDayPage(pages[0], fontName, fontSize);
    fillDowPage(pages[1], fontName, fontSize, colour);
    fillTitlePage(pages[2], fontName, fontSize, colour);
    fillHolidayPage(pages[3], fontName, fontSize, colour);
    fillAnniversaryPage(pages[4], fontName, fontSize);
    fillGridPage(pages[5], colour);
}

void Window1::CreatePrintRangeBox(QWidget* central)
{
    const Placer window(central, central);
    // The start-month pop-up belongs to the window, not to the box it lies in;
    // it is raised above the box so that it shows and takes clicks.
    auto* month = window.popup("PopupMenu1", 280, 75, 80, numberRows(1, 12));
    auto* box6 = window.put(new QGroupBox(QStringLiteral("印刷範囲"), central), "GroupBox6", 210, 10, 200, 177);
    month->raise();
    const Placer range(box6, central);
    auto* wholeYear = range.put(new QRadioButton(QStringLiteral("一年"), box6), "RadioButton1", 230, 120, 80, 20);
    wholeYear->setChecked(true);
    range.put(new QRadioButton(QStringLiteral("A4 一枚"), box6), "RadioButton2", 230, 150, 100, 20);
    range.label("StaticText9", 220, 42, 55, QStringLiteral("開始年："));
    range.label("StaticText13", 220, 77, 55, QStringLiteral("開始月："));
    auto* year = range.put(new QLineEdit(box6), "EditField1", 280, 40, 60, 22);
    year->setReadOnly(true);
    // A focused line edit takes Ctrl+E (end of line, under X11) before the
    // menu's shortcut; the year is only ever changed by the arrows anyway.
    year->setFocusPolicy(Qt::NoFocus);
    range.put(new LittleArrows(box6), "LittleArrows1", 345, 40, 13, 23);
}

void Window1::CreateDatasetList(QWidget* central)
{
    const Placer window(central, central);
    auto* list = window.put(new QListWidget(central), "ListBox1", 10, 25, 190, 162);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every second row (rows 1, 3, 5) on a light blue stripe.
    list->setAlternatingRowColors(true);
    {
        QPalette pal = list->palette();
        pal.setColor(QPalette::AlternateBase, QColor(237, 243, 254));
        list->setPalette(pal);
    }
    window.label("StaticText21", 20, 10, 100, QStringLiteral("データセット"), Qt::AlignLeft);
}

void Window1::ConnectControls()
{
    const auto onChange = [this](const char* name, void (Window1::*handler)()) {
        connect(control<QComboBox>(name), &QComboBox::currentIndexChanged, this, handler);
    };
    onChange("PopupMenu1", &Window1::PopupMenu1_Change);
    onChange("PopupMenu2", &Window1::PopupMenu2_Change);
    onChange("PopupMenu3", &Window1::PopupMenu3_Change);
    onChange("PopupMenu4", &Window1::PopupMenu4_Change);
    onChange("PopupMenu5", &Window1::PopupMenu5_Change);
    onChange("PopupMenu6", &Window1::PopupMenu6_Change);
    onChange("PopupMenu7", &Window1::PopupMenu7_Change);
    onChange("PopupMenu8", &Window1::PopupMenu8_Change);
    onChange("PopupMenu9", &Window1::PopupMenu9_Change);
    onChange("PopupMenu10", &Window1::PopupMenu10_Change);
    onChange("PopupMenu11", &Window1::PopupMenu11_Change);
    onChange("PopupMenu12", &Window1::PopupMenu12_Change);
    onChange("PopupMenu13", &Window1::PopupMenu13_Change);
    onChange("PopupMenu14", &Window1::PopupMenu14_Change);
    onChange("PopupMenu15", &Window1::PopupMenu15_Change);
    onChange("PopupMenu16", &Window1::PopupMenu16_Change);
    onChange("PopupMenu17", &Window1::PopupMenu17_Change);
    onChange("PopupMenu18", &Window1::PopupMenu18_Change);
    onChange("PopupMenu19", &Window1::PopupMenu19_Change);
    onChange("PopupMenu20", &Window1::PopupMenu20_Change);
    onChange("PopupMenu21", &Window1::PopupMenu21_Change);
    onChange("PopupMenu22", &Window1::PopupMenu22_Change);

    // A radio button acts when it is switched on, by the user or by code.
    connect(control<QRadioButton>("RadioButton1"), &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton1_Action();
    });
    connect(control<QRadioButton>("RadioButton2"), &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton2_Action();
    });
    auto* arrows = control<LittleArrows>("LittleArrows1");
    connect(arrows, &LittleArrows::down, this, &Window1::LittleArrows1_Down);
    connect(arrows, &LittleArrows::up, this, &Window1::LittleArrows1_Up);
    connect(control<QPushButton>("PushButton1"), &QPushButton::clicked, this, &Window1::PushButton1_Action);
    // One signal for every change of the selection, by the user or by code.
    connect(control<QListWidget>("ListBox1"), &QListWidget::itemSelectionChanged, this, &Window1::ListBox1_Change);

    const auto onColour = [this](const char* name, void (Window1::*handler)()) {
        connect(control<ClrCanvas>(name), &ClrCanvas::ClrChanged, this, handler);
    };
    onColour("Canvas2", &Window1::Canvas2_ClrChanged);
    onColour("Canvas3", &Window1::Canvas3_ClrChanged);
    onColour("Canvas4", &Window1::Canvas4_ClrChanged);
    onColour("Canvas5", &Window1::Canvas5_ClrChanged);
    onColour("Canvas6", &Window1::Canvas6_ClrChanged);
    onColour("Canvas7", &Window1::Canvas7_ClrChanged);
    onColour("Canvas8", &Window1::Canvas8_ClrChanged);
    onColour("Canvas11", &Window1::Canvas11_ClrChanged);
    onColour("Canvas12", &Window1::Canvas12_ClrChanged);
    onColour("Canvas13", &Window1::Canvas13_ClrChanged);
    onColour("Canvas14", &Window1::Canvas14_ClrChanged);
}

#include "ui/PrefDlg.h"

#include "core/App.h"
#include "core/Globals.h"
#include "ui/TabPagePlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const char* const kWidthFields[4] = {"EditField1", "EditField2", "EditField3", "EditField4"};
const char* const kSizeLabels[4] = {"FD", "CD 13x13", "CD 12x14", "CD 12x12"};

template <class W> W* named(W* w, const char* name, const QRect& rect)
{
    w->setObjectName(QLatin1String(name));
    w->setGeometry(rect);
    return w;
}

} // namespace

PrefDlg::PrefDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("環境設定"));
    setModal(true);
    // Every control sits at a fixed place, so a larger window would only
    // show more empty space.
    setFixedSize(410, 300);
    QFont base = font();
    base.setPixelSize(12);
    setFont(base);

    // The buttons come first in the keyboard order, as in the layout.
    auto* cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "PushButton1", QRect(222, 260, 82, 20));
    auto* save = named(new QPushButton(QStringLiteral("保存"), this), "PushButton2", QRect(316, 260, 70, 20));
    // Return means "保存" wherever the focus is; Escape and the close box cancel.
    cancel->setAutoDefault(false);
    save->setAutoDefault(false);
    save->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &PrefDlg::PushButton1_Action);
    connect(save, &QPushButton::clicked, this, &PrefDlg::PushButton2_Action);

    auto* tabs = named(new QTabWidget(this), "TabPanel1", QRect(10, 5, 390, 245));
    auto* placement = new TabPagePlacement(tabs, this);
    QWidget* pages[3];
    const QString pageNames[3] = {QStringLiteral("プリンタ"), QStringLiteral("印刷補正"), QStringLiteral("その他")};
    for (int i = 0; i < 3; ++i) {
        pages[i] = new QWidget;
        tabs->addTab(pages[i], pageNames[i]);
    }
    auto put = [placement](QWidget* w, const char* name, int left, int top, int width, int height) {
        w->setObjectName(QLatin1String(name));
        placement->place(w, QRect(left, top, width, height));
    };

    // Page "その他".
    put(new QCheckBox(QStringLiteral("用紙設定を保持する"), pages[2]), "CheckBox1", 30, 70, 240, 20);
    put(new QCheckBox(QStringLiteral("２枚目以降は印刷ダイアログを表示しない"), pages[2]), "CheckBox2", 30, 105, 300, 20);
    put(new QCheckBox(QStringLiteral("ダイアログ表示時、ビープ音を鳴らす"), pages[2]), "CheckBox3", 30, 140, 240, 20);

    // Page "印刷補正": a row of label, field and unit per sheet size.
    auto* note = new QLabel(QStringLiteral("実際に印刷されたサイズが想定値と異なる場合に調整します。\n"
                                           "印刷時の１月分の横幅（実測値）を指定して下さい。\n"
                                           "小数点以下１位まで指定できます。"),
                            pages[1]);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    put(note, "StaticText1", 30, 50, 346, 62);
    const char* const sizeLabelNames[4] = {"StaticText2", "StaticText3", "StaticText4", "StaticText5"};
    const char* const unitLabelNames[4] = {"StaticText6", "StaticText7", "StaticText8", "StaticText9"};
    const QString units[4] = {QStringLiteral("mm（想定値：90mm）"), QStringLiteral("mm（想定値：130mm）"),
                              QStringLiteral("mm（想定値：119mm）"), QStringLiteral("mm（想定値：120mm）")};
    for (int i = 0; i < 4; ++i) {
        const int top = 110 + 30 * i;
        put(new QLineEdit(pages[1]), kWidthFields[i], 115, top, 80, 22);
        put(new QLabel(QString::fromLatin1(kSizeLabels[i]), pages[1]), sizeLabelNames[i], 35, top + 2, 70, 20);
        put(new QLabel(units[i], pages[1]), unitLabelNames[i], 200, top + 2, 150, 20);
    }

    // Page "プリンタ": the print resolution.
    auto* group = new QGroupBox(QStringLiteral("印刷解像度"), pages[0]);
    put(group, "GroupBox1", 30, 50, 200, 100);
    // Inside the box, whose place in the window is (30, 50).
    auto* high = named(new QRadioButton(QStringLiteral("高（360 DPI）"), group), "RadioButton1", QRect(20, 30, 150, 20));
    named(new QRadioButton(QStringLiteral("低（72 DPI）"), group), "RadioButton2", QRect(20, 60, 150, 20));
    high->setChecked(true);

    tabs->setCurrentIndex(0);
}

QLineEdit* PrefDlg::widthField(int sizeIndex) const { return control<QLineEdit>(kWidthFields[sizeIndex]); }

void PrefDlg::PushButton1_Action()
{
    pReturn = false;
    reject();
}

void PrefDlg::PushButton2_Action()
{
    for (int i = 0; i < 4; ++i) {
        QLineEdit* field = widthField(i);
        if (PrefWidth::atSave(field->text(), m_shownWidths[i], Globals::gSheetW[i]).passes)
            continue;
        const PrefWidth::Range range = PrefWidth::plausible(Globals::gSheetW[i]);
        control<QTabWidget>("TabPanel1")->setCurrentIndex(1);
        field->setFocus();
        field->selectAll();
        Globals::gCautionDlg1(QStringLiteral("「%1」の横幅が正しくありません。").arg(QString::fromLatin1(kSizeLabels[i])),
                              QStringLiteral("%1〜%2 mm の範囲で入力して下さい。")
                                  .arg(PrefWidth::text(range.lowest), PrefWidth::text(range.highest)));
        field->setFocus();
        return;
    }
    pReturn = true;
    accept();
}

void PrefDlg::setValues(const PrefDlgValues& v)
{
    control<QRadioButton>(v.lowResolution ? "RadioButton2" : "RadioButton1")->setChecked(true);
    m_shownWidths = v.widths;
    for (int i = 0; i < 4; ++i)
        widthField(i)->setText(v.widths[i]);
    control<QCheckBox>("CheckBox1")->setChecked(v.keepPageSetup);
    control<QCheckBox>("CheckBox2")->setChecked(v.noDialogAfterFirst);
    control<QCheckBox>("CheckBox3")->setChecked(v.beep);
}

PrefDlgValues PrefDlg::values() const
{
    PrefDlgValues v;
    v.lowResolution = control<QRadioButton>("RadioButton2")->isChecked();
    for (int i = 0; i < 4; ++i)
        v.widths[i] = widthField(i)->text();
    v.keepPageSetup = control<QCheckBox>("CheckBox1")->isChecked();
    v.noDialogAfterFirst = control<QCheckBox>("CheckBox2")->isChecked();
    v.beep = control<QCheckBox>("CheckBox3")->isChecked();
    return v;
}

bool PrefDlg::run(PrefDlgValues& values)
{
    // Over the window the command came from, when there is one.
    PrefDlg dialog(QApplication::activeWindow());
    dialog.setValues(values);
    dialog.exec();
    if (dialog.pReturn)
        values = dialog.values();
    return dialog.pReturn;
}

void PrefDlg::install(App& app) { app.setPrefDlgRunner(&PrefDlg::run); }

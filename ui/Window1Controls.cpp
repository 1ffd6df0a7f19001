// The main window's opening, the setting of its controls from the current
// dataset and the handlers by which those controls edit it.

#include "ui/Window1.h"

#include "core/Anniversary.h"
#include "core/DatasetPicture.h"
#include "core/Globals.h"
#include "platform/Conv.h"
#include "platform/Folders.h"
#include "sheet/SheetSizes.h"
#include "ui/Canvas.h"
#include "ui/ClrCanvas.h"
#include "ui/FontFamilies.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {

const char* const kFontPopups[] = {"PopupMenu2", "PopupMenu13", "PopupMenu15", "PopupMenu17", "PopupMenu19"};

const char* const kSwatches[] = {"Canvas2", "Canvas3", "Canvas4", "Canvas5", "Canvas6", "Canvas7",
                                 "Canvas8", "Canvas11", "Canvas12", "Canvas13", "Canvas14"};

namespace K = DatasetKey;

// The background pop-up's rows: "なし", "あり".
constexpr int kBackgroundOn = 1;

} // namespace

// ---- Opening ----

void Window1::InitApp()
{
    InitVal();
    InitIcon();
    InitDefault();
    MakeDatasetList();
    TellDatasetsFolder();
    LoadAnvsy();
}

void Window1::InitVal()
{
    pFroot = Folders::datasetsFolder();
    for (int32_t size = 0; size < kSheetSizeCount; ++size) {
        pCanvas1W[size] = Sheet::kSheetSizes[size].width();
        pCanvas1H[size] = Sheet::kSheetSizes[size].height();
    }

    // Qt selects the first row of an empty pop-up that gets rows; adding rows
    // selects nothing here, so a font pop-up shows no font until a dataset
    // names an installed one. Neither reaches a change handler.
    const QStringList families = FontFamilies::distinct(QFontDatabase::families());
    for (const char* name : kFontPopups) {
        auto* popup = control<QComboBox>(name);
        const QSignalBlocker quiet(popup);
        const int shown = popup->currentIndex();
        popup->addItems(families);
        popup->setCurrentIndex(shown);
    }
}

void Window1::InitDefault()
{
    InitDataset();
    InitControl();
    ApplySheetSize();
    SyncPictControls();
    WorkOn(QString(), QByteArray());
}

// ---- Setting the controls from the dataset ----

void Window1::selectRow(const char* popup, int64_t row)
{
    // A row the pop-up does not have (only a damaged file gives one) leaves it
    // on the row it showed.
    auto* c = control<QComboBox>(popup);
    if (row >= 0 && row < c->count())
        c->setCurrentIndex(row);
}

void Window1::selectText(const char* popup, const QString& text)
{
    // The first row that carries the text; none keeps the row shown. Text
    // equality ignores letter case, as it does everywhere else in the program.
    auto* c = control<QComboBox>(popup);
    for (int i = 0; i < c->count(); ++i) {
        if (QString::compare(c->itemText(i), text, Qt::CaseInsensitive) == 0) {
            c->setCurrentIndex(i);
            return;
        }
    }
}

void Window1::selectFont(const char* popup, const QString& font)
{
    // A font that is not installed selects no row: the pop-up shows the name
    // the dataset holds while the sheet draws in the fallback, never the name
    // of a font that is not used.
    auto* c = control<QComboBox>(popup);
    c->setPlaceholderText(font);
    for (int i = 0; i < c->count(); ++i) {
        if (QString::compare(c->itemText(i), font, Qt::CaseInsensitive) == 0) {
            c->setCurrentIndex(i);
            return;
        }
    }
    c->setCurrentIndex(-1);
}

void Window1::InitControl()
{
    if (!pDataset)
        return;
    const Dataset& d = *pDataset;
    const auto swatch = [this](const char* name, int32_t clr) { control<ClrCanvas>(name)->setClr(clr); };

    pEnbl = true;
    control<QLineEdit>("EditField1")->setText(d.text(K::stYY));
    // Widened first: a damaged file may hold the smallest Int32 as its month.
    selectRow("PopupMenu1", int64_t(d.i32(K::stMM)) - 1);
    if (d.coded<PrintRange>(K::prKind) == PrintRange::WholeYear)
        control<QRadioButton>("RadioButton1")->setChecked(true);
    else
        control<QRadioButton>("RadioButton2")->setChecked(true);
    selectRow("PopupMenu4", d.i32(K::size));
    ApplySheetSize();
    selectRow("PopupMenu5", d.i32(K::cutline));
    selectRow("PopupMenu10", d.text(K::pictPath).isEmpty() ? 0 : kBackgroundOn);
    selectRow("PopupMenu12", d.i32(K::extra));
    selectFont("PopupMenu2", d.text(K::dayFont));
    selectText("PopupMenu3", d.text(K::dayFsize));
    swatch("Canvas5", d.i32(K::dayColorN));
    swatch("Canvas6", d.i32(K::dayColorS));
    swatch("Canvas7", d.i32(K::dayColorT));
    swatch("Canvas8", d.i32(K::dayColorH));
    swatch("Canvas14", d.i32(K::dayColorA));
    selectFont("PopupMenu13", d.text(K::dowFont));
    selectText("PopupMenu14", d.text(K::dowFsize));
    selectRow("PopupMenu6", d.i32(K::dow1st));
    selectRow("PopupMenu7", d.i32(K::dowLange));
    swatch("Canvas3", d.i32(K::dowColor));
    selectFont("PopupMenu15", d.text(K::ymFont));
    selectText("PopupMenu16", d.text(K::ymFsize));
    selectRow("PopupMenu9", d.i32(K::ymPos));
    swatch("Canvas2", d.i32(K::ymColor));
    selectFont("PopupMenu17", d.text(K::holFont));
    selectText("PopupMenu18", d.text(K::holFsize));
    selectRow("PopupMenu8", d.i32(K::holName));
    swatch("Canvas11", d.i32(K::holColor));
    selectFont("PopupMenu19", d.text(K::annFont));
    selectText("PopupMenu20", d.text(K::annFsize));
    selectRow("PopupMenu21", d.i32(K::annName));
    swatch("Canvas12", d.i32(K::annColor));
    swatch("Canvas13", d.i32(K::annBkClr));
    selectRow("PopupMenu11", d.i32(K::line));
    swatch("Canvas4", d.i32(K::lineColor));
    selectRow("PopupMenu22", d.i32(K::frame));
    pEnbl = false;

    for (const char* name : kSwatches)
        control<ClrCanvas>(name)->update();
}

void Window1::ApplySheetSize()
{
    // Only the four sheet sizes have a preview size; another value (a damaged
    // file) keeps the preview as it is.
    const int32_t size = pDataset->i32(K::size);
    if (Sheet::isSheetSize(size)) {
        if (Canvas1)
            Canvas1->resize(pCanvas1W[size], pCanvas1H[size]);
    }
    InitDOWLine();
    InitWeekLine();
}

void Window1::SyncPictControls()
{
    control<QPushButton>("PushButton1")->setEnabled(!pDataset->text(K::pictPath).isEmpty());
    control<QLabel>("StaticText30")->setText(DatasetPicture::label(*pDataset));
}

void Window1::RefreshPreview()
{
    if (Canvas1)
        Canvas1->update();
}

// ---- The guarded edits ----

void Window1::editText(const char* popup, const QString& k)
{
    if (editBlocked())
        return;
    pDataset->setValue(k, control<QComboBox>(popup)->currentText());
    MarkChanged();
    RefreshPreview();
}

void Window1::editIndex(const char* popup, const QString& k, bool repaint)
{
    if (editBlocked())
        return;
    pDataset->setValue(k, int32_t(control<QComboBox>(popup)->currentIndex()));
    MarkChanged();
    if (repaint)
        RefreshPreview();
}

void Window1::editColour(const char* swatch, const QString& k)
{
    if (!pDataset)
        return;
    pDataset->setValue(k, int32_t(control<ClrCanvas>(swatch)->Clr() & 0xFFFFFF));
    MarkChanged();
    RefreshPreview();
}

void Window1::PopupMenu2_Change() { editText("PopupMenu2", K::dayFont); }
void Window1::PopupMenu3_Change() { editText("PopupMenu3", K::dayFsize); }
void Window1::PopupMenu13_Change() { editText("PopupMenu13", K::dowFont); }
void Window1::PopupMenu14_Change() { editText("PopupMenu14", K::dowFsize); }
void Window1::PopupMenu15_Change() { editText("PopupMenu15", K::ymFont); }
void Window1::PopupMenu16_Change() { editText("PopupMenu16", K::ymFsize); }
void Window1::PopupMenu17_Change() { editText("PopupMenu17", K::holFont); }
void Window1::PopupMenu18_Change() { editText("PopupMenu18", K::holFsize); }
void Window1::PopupMenu19_Change() { editText("PopupMenu19", K::annFont); }
void Window1::PopupMenu20_Change() { editText("PopupMenu20", K::annFsize); }

// Cutting guides and the print range show only on paper: no repaint.
void Window1::PopupMenu5_Change() { editIndex("PopupMenu5", K::cutline, false); }
void Window1::PopupMenu6_Change() { editIndex("PopupMenu6", K::dow1st, true); }
void Window1::PopupMenu7_Change() { editIndex("PopupMenu7", K::dowLange, true); }
void Window1::PopupMenu8_Change() { editIndex("PopupMenu8", K::holName, true); }
void Window1::PopupMenu9_Change() { editIndex("PopupMenu9", K::ymPos, true); }
void Window1::PopupMenu12_Change() { editIndex("PopupMenu12", K::extra, true); }
void Window1::PopupMenu21_Change() { editIndex("PopupMenu21", K::annName, true); }
void Window1::PopupMenu22_Change() { editIndex("PopupMenu22", K::frame, true); }

void Window1::PopupMenu1_Change()
{
    if (editBlocked())
        return;
    // The month is the number the row spells, not the row's index.
    pDataset->setValue(K::stMM, Conv::val(control<QComboBox>("PopupMenu1")->currentText()));
    MarkChanged();
    RefreshPreview();
}

void Window1::RadioButton1_Action()
{
    if (editBlocked())
        return;
    pDataset->setValue(K::prKind, codeOf(PrintRange::WholeYear));
    MarkChanged();
}

void Window1::RadioButton2_Action()
{
    if (editBlocked())
        return;
    pDataset->setValue(K::prKind, codeOf(PrintRange::SingleSheet));
    MarkChanged();
}

void Window1::stepYear(int32_t step)
{
    if (editBlocked())
        return;
    auto* field = control<QLineEdit>("EditField1");
    const double shown = Conv::val(field->text());
    // Past the years the calendar handles the arrow does nothing; a year that
    // already lies outside them (a damaged file) is brought back in.
    const double next = std::clamp(shown + step, double(Years::kFirst), double(Years::kLast));
    if (next == shown)
        return;
    pDataset->setValue(K::stYY, next);
    field->setText(pDataset->text(K::stYY));
    MarkChanged();
    RefreshPreview();
}

void Window1::LittleArrows1_Down() { stepYear(-1); }
void Window1::LittleArrows1_Up() { stepYear(1); }

// ---- Sheet size, background picture, line weight ----

void Window1::PopupMenu4_Change()
{
    if (editBlocked())
        return;
    pDataset->setValue(K::size, int32_t(control<QComboBox>("PopupMenu4")->currentIndex()));
    ApplySheetSize();
    MarkChanged();
    RefreshPreview();
}

void Window1::PopupMenu10_Change()
{
    if (editBlocked())
        return;
    if (control<QComboBox>("PopupMenu10")->currentIndex() == kBackgroundOn) {
        control<QPushButton>("PushButton1")->setEnabled(true);
    } else {
        control<QPushButton>("PushButton1")->setEnabled(false);
        DatasetPicture::clear(*pDataset);
    }
    control<QLabel>("StaticText30")->setText(DatasetPicture::label(*pDataset));
    MarkChanged();
    RefreshPreview();
}

void Window1::PopupMenu11_Change()
{
    if (editBlocked())
        return;
    const int32_t row = control<QComboBox>("PopupMenu11")->currentIndex();
    // At 72 dpi one device pixel is one point, so a hairline prints as a 1-point line.
    if (row == codeOf(LineWeight::Hairline)
        && Globals::gPref[PrefIndex::kPrintResolution] == codeOf(PrintResolution::Dpi72))
        Globals::gCautionDlg1(QStringLiteral("印刷解像度が72DPIの場合は、極細線は1ポイントと同じ太さになります。"),
                              QStringLiteral("極細線で印刷したい場合は、環境設定で印刷解像度を360DPIに変更して下さい。"));
    pDataset->setValue(K::line, row);
    MarkChanged();
    RefreshPreview();
}

void Window1::PushButton1_Action() { GetPictFile(); }

void Window1::GetPictFile()
{
    if (!pDataset)
        return;
    // Before the first save there is no datasets folder to start in.
    const QString start = Folders::isFolder(pFroot) ? pFroot : QDir::homePath();
    const QString path = QFileDialog::getOpenFileName(this, QString(), start);
    // The dialog can delete and rename files: the list shows what is left.
    RefreshDatasetList();
    if (path.isEmpty())
        return;
    // A file that is no picture would leave a path with nothing drawn behind it:
    // it is refused, and the background stays as it was.
    if (!DatasetPicture::choose(*pDataset, path)) {
        Globals::gCautionDlg1(QStringLiteral("ファイルを開けません。"),
                              QStringLiteral("画像として読み込めないファイルです。"));
        return;
    }
    control<QLabel>("StaticText30")->setText(DatasetPicture::label(*pDataset));
    MarkChanged();
    RefreshPreview();
}

QImage Window1::LoadDatasetPict(const QString& path) const { return DatasetPicture::loadStored(path); }

// ---- Colour swatches ----

void Window1::Canvas2_ClrChanged() { editColour("Canvas2", K::ymColor); }
void Window1::Canvas3_ClrChanged() { editColour("Canvas3", K::dowColor); }
void Window1::Canvas4_ClrChanged() { editColour("Canvas4", K::lineColor); }
void Window1::Canvas5_ClrChanged() { editColour("Canvas5", K::dayColorN); }
void Window1::Canvas6_ClrChanged() { editColour("Canvas6", K::dayColorS); }
void Window1::Canvas7_ClrChanged() { editColour("Canvas7", K::dayColorT); }
void Window1::Canvas8_ClrChanged() { editColour("Canvas8", K::dayColorH); }
void Window1::Canvas11_ClrChanged() { editColour("Canvas11", K::holColor); }
void Window1::Canvas12_ClrChanged() { editColour("Canvas12", K::annColor); }
void Window1::Canvas13_ClrChanged() { editColour("Canvas13", K::annBkClr); }
void Window1::Canvas14_ClrChanged() { editColour("Canvas14", K::dayColorA); }

#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// What the preferences dialog shows and hands back, as plain values: App
// fills it from gPref, the dialog edits it, App writes it back.
struct PrefDlgValues {
    bool lowResolution = false;      // "低（72 DPI）" chosen, else "高（360 DPI）"
    std::array<QString, 4> widths;   // measured sheet widths in mm, per SheetSize
    bool keepPageSetup = false;      // "用紙設定を保持する"
    bool noDialogAfterFirst = false; // "２枚目以降は印刷ダイアログを表示しない"
    bool beep = false;               // "ダイアログ表示時、ビープ音を鳴らす"
};

namespace PrefWidth {

// The largest measured width the dialog takes, in 0.1 mm (9999.9 mm).
inline constexpr int32_t kMaxTenths = 99999;

// A stored width (0.1 mm) as the dialog shows it: millimetres with at most
// one decimal, "90", "90.5".
QString text(int32_t tenths);

// A typed width in millimetres as 0.1 mm, rounded half up from the decimal
// text itself (so "90.55" is 906, never a binary near miss). Blanks around it
// are ignored; full-width digits, point and sign, as a Japanese input method
// types them, count as their ASCII forms. Empty for a text that is not one
// plain decimal number, or whose value rounds to 0 or less or to more than
// 9999.9 mm.
std::optional<int32_t> parse(const QString& text);

// The widths a sheet of nominal width `nominal` (0.1 mm) may measure: half
// to twice that width, both ends included. Printing scales by nominal over
// measured, so a width further off is a slip that would print the month far
// too large or all but invisible.
struct Range {
    int32_t lowest;
    int32_t highest;
};
Range plausible(int32_t nominal);

// A typed width for a sheet of nominal width `nominal`: what parse gives,
// when it lies in the plausible range.
std::optional<int32_t> measured(const QString& text, int32_t nominal);

// A width field at "保存", which showed `shown` and now holds `typed`. Left as
// shown it passes whatever it holds and its stored width stays: a value out
// of range that the preferences file held must not keep the other changes
// from being saved. Edited, it must be a plausible measure of its sheet.
struct FieldAtSave {
    bool passes;                   // the dialog may close on this field
    std::optional<int32_t> tenths; // the width to store: only an edited, plausible one
};
FieldAtSave atSave(const QString& typed, const QString& shown, int32_t nominal);

} // namespace PrefWidth

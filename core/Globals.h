#pragma once

#include "calendar/DateMath.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QVariantMap>

#include <array>
#include <cstdint>

// Program-wide settings and the small helpers everyone shares.
namespace Globals {

// The program-wide arrays: created at full size, all zero or empty, before
// any start-up code runs, and never resized.
extern std::array<int32_t, 51> gPref;    // integer preferences
extern std::array<QString, 51> gPrefS;   // string preferences
// The bytes each gPrefS entry was read from, so that the preference file
// gives back, byte for byte, the strings nobody changed.
extern std::array<QByteArray, 51> gPrefSBytes;
extern std::array<QColor, 31> gClr;      // the built-in palette (entry 0 unused)
extern std::array<int32_t, 4> gSheetW;   // nominal printed sheet width per SheetSize, 0.1 mm
// The current page setup; empty until App::InitVal gives it "SetupString".
extern QVariantMap gPrintSetup;
// Receives the answer of every one-button notice; nothing reads it.
extern int32_t gTempInt;

// The answer of gCautionDlg.
enum CautionAnswer : int32_t { AnswerAlternate = 0, AnswerCancel = 1, AnswerAction = 2 };

// A stored colour 0xRRGGBB as a colour. Only the low 24 bits count, so a
// value outside 0..0xFFFFFF still gives a valid colour.
QColor gClrItoC(int32_t value);
// A colour as 0xRRGGBB (0 to 0xFFFFFF; alpha is dropped).
int32_t gClrCtoI(const QColor& colour);

// A switch between its stored Int32 form and a Boolean; every caller passes
// the polarity true (1 or more is on).
int32_t gConvBI(bool value, bool polarity);
bool gConvIB(int32_t value, bool polarity);

// The program's one question/notice alert (caution icon, message, smaller
// explanation, one to three buttons; see Question::ask). Beeps first when
// gPref(10) is exactly 1. Returns a CautionAnswer; `defaultAnswer` names the
// default button (the action's unless it says otherwise).
int32_t gCautionDlg(int32_t buttonCount, const QString& alternateCaption, const QString& cancelCaption,
                    const QString& actionCaption, const QString& message, const QString& explanation,
                    int32_t defaultAnswer = AnswerAction);
// The one-button notice, its button "OK"; the answer goes to gTempInt.
void gCautionDlg1(const QString& message, const QString& explanation);

// The plain alert: the message and one "OK" button; never beeps.
void MsgBox(const QString& message);

} // namespace Globals

#include "core/Globals.h"

#include "core/DatasetKeys.h"
#include "platform/Question.h"

namespace Globals {

namespace {
std::array<QColor, 31> blackPalette()
{
    std::array<QColor, 31> palette;
    palette.fill(QColor(0, 0, 0));
    return palette;
}
} // namespace

std::array<int32_t, 51> gPref{};
std::array<QString, 51> gPrefS{};
std::array<QByteArray, 51> gPrefSBytes{};
std::array<QColor, 31> gClr = blackPalette();
std::array<int32_t, 4> gSheetW{};
QVariantMap gPrintSetup;
int32_t gTempInt = 0;

QColor gClrItoC(int32_t value)
{
    const uint32_t rgb = static_cast<uint32_t>(value) & 0xFFFFFFu;
    return QColor(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
}

int32_t gClrCtoI(const QColor& colour)
{
    return static_cast<int32_t>(colour.rgb() & 0xFFFFFFu);
}

int32_t gConvBI(bool value, bool polarity) { return value == polarity ? 1 : 0; }

bool gConvIB(int32_t value, bool polarity) { return polarity ? value >= 1 : value < 1; }

int32_t gCautionDlg(int32_t buttonCount, const QString& alternateCaption, const QString& cancelCaption,
                    const QString& actionCaption, const QString& message, const QString& explanation,
                    int32_t defaultAnswer)
{
    const Question::Answer answer = Question::ask(buttonCount, alternateCaption, cancelCaption, actionCaption,
                                                  message, explanation, gPref[PrefIndex::kBeep] == 1,
                                                  static_cast<Question::Answer>(defaultAnswer));
    return static_cast<int32_t>(answer);
}

void gCautionDlg1(const QString& message, const QString& explanation)
{
    gTempInt = gCautionDlg(1, QString(), QString(), QStringLiteral("OK"), message, explanation);
}

void MsgBox(const QString& message) { Question::alert(message); }

} // namespace Globals

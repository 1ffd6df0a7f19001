// How long the sheet routine takes, next to a bare QPainter drawing the same
// pixels. Run through tools/bench (a Release build).

#include "SheetRecorder.h"

#include "calendar/Holidays.h"
#include "core/Anniversary.h"
#include "core/Dataset.h"
#include "core/DatasetDefaults.h"
#include "core/DatasetKeys.h"
#include "sheet/GridTables.h"
#include "sheet/JapaneseFont.h"
#include "sheet/MonthSheet.h"
#include "sheet/SheetContext.h"
#include "sheet/SheetSizes.h"
#include "sheet/SheetSurface.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

// The month the preview was profiled on: its 1st is a Saturday, so with Sunday
// first two days overflow the grid, and it holds the Golden Week holidays.
constexpr int32_t kYear = 2027;
constexpr int32_t kMonth = 5;

struct SheetKind {
    const char* name;
    SheetSize size;
};
constexpr SheetKind kFloppy{"floppy", SheetSize::FloppyCase};
constexpr SheetKind kCd{"cd", SheetSize::Cd12x12};

// Photo-like: smooth colour fields with grain, so that smooth scaling and
// compression meet what a real photo gives them.
QImage makePhoto()
{
    constexpr int kSide = 3000;
    QImage img(kSide, kSide, QImage::Format_RGB32);
    QRandomGenerator grain(20270501);
    for (int y = 0; y < kSide; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < kSide; ++x) {
            const double u = x / double(kSide), v = y / double(kSide);
            const int noise = int(grain.bounded(17)) - 8;
            const int r = int(150 + 80 * std::sin(6.0 * u + 2.0 * v)) + noise;
            const int g = int(140 + 70 * std::cos(4.0 * v - 3.0 * u)) + noise;
            const int b = int(120 + 90 * std::sin(9.0 * u * v + 1.0)) + noise;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return img;
}

const QImage& photo()
{
    static const QImage img = makePhoto();
    return img;
}

// Twenty anniversaries as the anniversary file gives them (texts), six of
// them in the month drawn, two of those on the overflow days.
AnniversaryList makeAnniversaries()
{
    const struct {
        const char *yy, *mm, *dd, *text;
    } rows[] = {
        {"0", "1", "15", "成人の日の会"}, {"0", "2", "3", "節分"},       {"0", "2", "14", "バレンタイン"},
        {"0", "3", "3", "ひなまつり"},    {"2027", "3", "20", "引っ越し"}, {"0", "4", "8", "花まつり"},
        {"0", "5", "2", "母の誕生日"},    {"2027", "5", "10", "健診"},    {"0", "5", "14", "結婚記念日"},
        {"0", "5", "21", "会議"},         {"0", "5", "30", "同窓会"},     {"2027", "5", "31", "締切"},
        {"0", "6", "16", "父の誕生日"},   {"0", "7", "7", "七夕"},         {"2027", "8", "13", "お盆"},
        {"0", "9", "9", "重陽"},          {"0", "10", "31", "ハロウィン"}, {"0", "11", "15", "七五三"},
        {"0", "12", "24", "イブ"},        {"0", "12", "31", "大晦日"},
    };
    AnniversaryList list;
    for (const auto& r : rows)
        list.append(Anniversary{QString::fromUtf8(r.yy), QString::fromUtf8(r.mm), QString::fromUtf8(r.dd),
                                QString::fromUtf8(r.text)});
    return list;
}

// One sheet's inputs as the main window holds them: holiday names and
// anniversary texts with their backgrounds shown.
struct BenchSheet {
    Dataset ds;
    AnniversaryList anniversaries = makeAnniversaries();
    Sheet::DowLine dowLine{};
    Sheet::WeekLine weekLine;
    SheetKind kind;

    BenchSheet(const SheetKind& k, bool withPicture)
        : kind(k)
    {
        // The default colours, one for each use, as the preferences give them.
        std::array<int32_t, 51> pref{};
        const int32_t colours[] = {0x202020, 0x404040, 0x8080C0, 0x000000, 0xE03030, 0x3060C0,
                                   0xE03030, 0xC06000, 0xC06000, 0x806040, 0xFFF0C0};
        for (int32_t i = PrefIndex::kFirstDefaultColour; i <= PrefIndex::kLastDefaultColour; ++i)
            pref[size_t(i)] = colours[i - PrefIndex::kFirstDefaultColour];
        DatasetDefaults::initDataset(ds, pref, QDate(kYear, kMonth, 1));
        ds.setValue(DatasetKey::size, codeOf(k.size));
        ds.setValue(DatasetKey::holName, codeOf(HolidayDisplay::HolidayColourAndName));
        ds.setValue(DatasetKey::annName, codeOf(AnniversaryDisplay::AnniversaryNameAndBackground));
        if (withPicture)
            ds.setPict(photo());
        Sheet::initDOWLine(dowLine, codeOf(k.size));
        Sheet::initWeekLine(weekLine, codeOf(k.size), ds.i32(DatasetKey::extra));
    }

    QSize points() const { return Sheet::sheetSizeInPoints(kind.size); }

    Sheet::SheetContext context() const { return {ds, anniversaries, dowLine, weekLine, points().width()}; }

    QSize pixels(double scale) const
    {
        return QSize(int(std::lround(points().width() * scale)), int(std::lround(points().height() * scale)));
    }

    // As the preview's paint event: a fresh painter, the canvas filled white, the sheet.
    void draw(QPaintDevice& device, double scale, int32_t year = kYear, int32_t month = kMonth) const
    {
        QPainter painter(&device);
        SheetSurface g(painter);
        g.setForeColor(Qt::white);
        g.fillRect(0, 0, device.width(), device.height());
        Sheet::drawCal(g, context(), 0, 0, scale, year, month);
    }
};

std::string label(const SheetKind& kind, double scale, bool withPicture)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s/scale:%.1f%s", kind.name, scale, withPicture ? "/picture" : "");
    return buf;
}

// One sheet and its floor, prepared when a benchmark first needs them, so
// that a filtered run makes no picture it does not draw.
struct SheetCase {
    SheetKind kind;
    double scale;
    bool withPicture;
    std::string name;
    std::unique_ptr<BenchSheet> sheet;
    DrawingScript script;

    const BenchSheet& prepared()
    {
        if (sheet)
            return *sheet;
        sheet = std::make_unique<BenchSheet>(kind, withPicture);
        RecordingDevice recorder(sheet->pixels(scale));
        sheet->draw(recorder, scale);
        script = recorder.script();

        // The floor draws what the sheet drew, so both must give the same picture.
        QImage bySheet(sheet->pixels(scale), QImage::Format_ARGB32_Premultiplied);
        sheet->draw(bySheet, scale);
        QImage byFloor(sheet->pixels(scale), QImage::Format_ARGB32_Premultiplied);
        drawFloor(byFloor);
        if (bySheet != byFloor)
            std::fprintf(stderr, "note: the floor of %s does not draw the sheet's pixels\n", name.c_str());
        return *sheet;
    }

    void drawFloor(QImage& canvas) const
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        replay(painter, script);
    }
};

void registerSheet(const SheetKind& kind, double scale, bool withPicture)
{
    auto c = std::make_shared<SheetCase>(SheetCase{kind, scale, withPicture, label(kind, scale, withPicture), {}, {}});

    benchmark::RegisterBenchmark(("sheet/" + c->name).c_str(), [c](benchmark::State& state) {
        const BenchSheet& sheet = c->prepared();
        QImage canvas(sheet.pixels(c->scale), QImage::Format_ARGB32_Premultiplied);
        for (auto _ : state) {
            sheet.draw(canvas, c->scale);
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

    benchmark::RegisterBenchmark(("floor/" + c->name).c_str(), [c](benchmark::State& state) {
        const BenchSheet& sheet = c->prepared();
        QImage canvas(sheet.pixels(c->scale), QImage::Format_ARGB32_Premultiplied);
        for (auto _ : state) {
            c->drawFloor(canvas);
            benchmark::ClobberMemory();
        }
    })->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
}

// Twelve months from the start month, one sheet a page at 360 dpi (5 device
// units a point), as a twelve-month print draws them.
void registerTwelveMonths(const SheetKind& kind, bool withPicture)
{
    const std::string name = std::string("pdf/twelve/") + kind.name + (withPicture ? "/picture" : "");
    benchmark::RegisterBenchmark(name.c_str(), [kind, withPicture](benchmark::State& state) {
        const auto sheet = std::make_unique<BenchSheet>(kind, withPicture);
        constexpr double kScale = 5.0;
        qint64 bytes = 0;
        for (auto _ : state) {
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&out);
            pdf.setResolution(int(72 * kScale));
            pdf.setPageSize(QPageSize(QPageSize::A4));
            QPainter painter(&pdf);
            SheetSurface g(painter);
            for (int32_t i = 0; i < 12; ++i) {
                if (i > 0)
                    pdf.newPage();
                const int32_t month = (kMonth - 1 + i) % 12 + 1;
                const int32_t year = kYear + (kMonth - 1 + i) / 12;
                Sheet::drawCal(g, sheet->context(), 0, 0, kScale, year, month);
            }
            painter.end();
            bytes = out.size();
        }
        state.counters["pdf_bytes"] = double(bytes);
    })->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}

void holidayNames(benchmark::State& state)
{
    for (auto _ : state) {
        int named = 0;
        for (int32_t y = 1948; y <= 2099; ++y)
            for (int32_t m = 1; m <= 12; ++m)
                for (int32_t d = 1; d <= QDate(y, m, 1).daysInMonth(); ++d)
                    named += Holidays::holidayName(y, m, d).isEmpty() ? 0 : 1;
        benchmark::DoNotOptimize(named);
    }
}

// The console table, then each sheet's time over its floor's. CPU time of the
// whole process: steadier than the clock on a shared machine, and it still
// counts the threads Qt scales big pictures on.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // With repetitions, the median stands for the benchmark.
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            m_cpu[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nsheet / floor (process CPU time)\n");
        for (const auto& [name, cpu] : m_cpu) {
            if (name.rfind("sheet/", 0) != 0)
                continue;
            const auto floor = m_cpu.find("floor/" + name.substr(6));
            if (floor == m_cpu.end() || floor->second <= 0)
                continue;
            std::printf("  %-28s %6.2fx%s\n", name.substr(6).c_str(), cpu / floor->second,
                        name.find("scale:1.0") != std::string::npos && name.find("picture") == std::string::npos
                            ? "   (preview; aim 1.25x)"
                            : "");
        }
        std::fflush(stdout);
    }

private:
    std::map<std::string, double> m_cpu;
};

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    JapaneseFont::installSubstitutes();
    benchmark::Initialize(&argc, argv);

    for (const SheetKind& kind : {kFloppy, kCd})
        for (double scale : {1.0, 5.0})
            for (bool withPicture : {false, true})
                registerSheet(kind, scale, withPicture);
    for (bool withPicture : {false, true})
        registerTwelveMonths(kCd, withPicture);
    benchmark::RegisterBenchmark("calendar/holidayName/1948-2099", holidayNames)->Unit(benchmark::kMillisecond);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

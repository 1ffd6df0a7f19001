// Draws the program's pictures into PNG files: the six toolbar icons (32 x 32,
// transparent, named by their resource numbers) and the application icon.
// The PNGs are kept in resources/; run this again only to change a picture:
//   cmake --build build-tests --target morvelin_make_icons
//   QT_QPA_PLATFORM=offscreen build-tests/morvelin_make_icons resources

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kOutline(40, 44, 52);

QImage canvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void begin(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kOutline, 1.0));
}

// The floppy disk: the save command.
void drawDisk(QPainter& p)
{
    begin(p);
    QPainterPath body;
    body.moveTo(3.5, 3.5);
    body.lineTo(25.5, 3.5);
    body.lineTo(28.5, 6.5);
    body.lineTo(28.5, 28.5);
    body.lineTo(3.5, 28.5);
    body.closeSubpath();
    p.setBrush(QColor(38, 84, 170));
    p.drawPath(body);
    // The metal shutter with its window.
    p.setBrush(QColor(196, 202, 212));
    p.drawRect(QRectF(9.5, 3.5, 13, 9));
    p.setBrush(QColor(38, 84, 170));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17, 5, 3.5, 6));
    // The label.
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(QColor(250, 250, 246));
    p.drawRoundedRect(QRectF(7.5, 16.5, 17, 12), 1.5, 1.5);
    p.setPen(QPen(QColor(200, 60, 60), 1.0));
    p.drawLine(QPointF(10, 20.5), QPointF(22, 20.5));
    p.setPen(QPen(QColor(150, 160, 175), 1.0));
    p.drawLine(QPointF(10, 23.5), QPointF(22, 23.5));
    p.drawLine(QPointF(10, 26), QPointF(19, 26));
}

// The gear: the preferences.
void drawPref(QPainter& p)
{
    begin(p);
    const QPointF c(16, 16);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = (i - 0.5) * 3.14159265358979 * 2 / (teeth * 4);
        const double r = (i % 4 == 0 || i % 4 == 1) ? 14.0 : 10.5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 4.5, 4.5);
    QLinearGradient metal(0, 2, 0, 30);
    metal.setColorAt(0, QColor(176, 184, 196));
    metal.setColorAt(1, QColor(104, 112, 128));
    p.setBrush(metal);
    p.drawPath(gear.subtracted(hole));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 76, 90), 1.0));
    p.drawEllipse(c, 7.5, 7.5);
}

// A picture with an arrow leaving it: the month exported as a picture.
void drawExport(QPainter& p)
{
    begin(p);
    p.setBrush(QColor(252, 252, 250));
    p.drawRect(QRectF(2.5, 4.5, 21, 21));
    // A small landscape: sky, a hill and the sun.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(168, 208, 240));
    p.drawRect(QRectF(4, 6, 18, 18));
    p.setBrush(QColor(90, 168, 84));
    QPainterPath hill;
    hill.moveTo(4, 24);
    hill.cubicTo(8, 14, 14, 14, 22, 20);
    hill.lineTo(22, 24);
    hill.closeSubpath();
    p.drawPath(hill);
    p.setBrush(QColor(250, 200, 60));
    p.drawEllipse(QPointF(9, 11), 2.6, 2.6);
    // The arrow, out to the right.
    QPainterPath arrow;
    arrow.moveTo(14, 17);
    arrow.lineTo(22, 17);
    arrow.lineTo(22, 12.5);
    arrow.lineTo(30.5, 20.5);
    arrow.lineTo(22, 28.5);
    arrow.lineTo(22, 24);
    arrow.lineTo(14, 24);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 90, 30), 1.0));
    p.setBrush(QColor(60, 180, 70));
    p.drawPath(arrow);
}

// A calendar page with a heart on one day: the anniversaries.
void drawAnvsy(QPainter& p)
{
    begin(p);
    p.setBrush(QColor(252, 252, 250));
    p.drawRoundedRect(QRectF(3.5, 4.5, 25, 24), 2, 2);
    p.setBrush(QColor(210, 52, 52));
    p.drawRoundedRect(QRectF(3.5, 4.5, 25, 7), 2, 2);
    p.setPen(QPen(kOutline, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 2.5), QPointF(9, 7));
    p.drawLine(QPointF(23, 2.5), QPointF(23, 7));
    // Day dots.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 156, 168));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 5; ++col)
            p.drawRect(QRectF(6.5 + col * 4.3, 14.5 + row * 4.3, 2.2, 2.2));
    }
    // The heart over the lower right days.
    QPainterPath heart;
    heart.moveTo(21, 28);
    heart.cubicTo(12, 22, 14, 15.5, 18, 16.5);
    heart.cubicTo(20, 17, 21, 18.5, 21, 19.5);
    heart.cubicTo(21, 18.5, 22, 17, 24, 16.5);
    heart.cubicTo(28, 15.5, 30, 22, 21, 28);
    p.setPen(QPen(QColor(150, 20, 60), 1.0));
    p.setBrush(QColor(236, 64, 120));
    p.drawPath(heart);
}

void drawPrinterBody(QPainter& p)
{
    // Paper going in at the back.
    p.setBrush(QColor(252, 252, 250));
    p.drawRect(QRectF(8.5, 2.5, 15, 11));
    // The body.
    QLinearGradient body(0, 11, 0, 25);
    body.setColorAt(0, QColor(214, 218, 226));
    body.setColorAt(1, QColor(150, 156, 168));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(2.5, 11.5, 27, 13), 2.5, 2.5);
    p.setBrush(QColor(80, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(25, 15), 1.3, 1.3);
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(QColor(60, 64, 74));
    p.drawRect(QRectF(7.5, 19.5, 17, 2));
}

// The printer with a printed page coming out: print.
void drawPrinter(QPainter& p)
{
    begin(p);
    drawPrinterBody(p);
    p.setBrush(QColor(252, 252, 250));
    p.drawRect(QRectF(8.5, 20.5, 15, 9));
    p.setPen(QPen(QColor(120, 130, 150), 1.0));
    p.drawLine(QPointF(11, 23.5), QPointF(21, 23.5));
    p.drawLine(QPointF(11, 26.5), QPointF(18, 26.5));
}

// A page with its margins and a set-square: the page setup.
void drawPrinter2(QPainter& p)
{
    begin(p);
    QPainterPath page;
    page.moveTo(5.5, 2.5);
    page.lineTo(19.5, 2.5);
    page.lineTo(25.5, 8.5);
    page.lineTo(25.5, 29.5);
    page.lineTo(5.5, 29.5);
    page.closeSubpath();
    p.setBrush(QColor(252, 252, 250));
    p.drawPath(page);
    p.setBrush(QColor(220, 224, 232));
    QPainterPath fold;
    fold.moveTo(19.5, 2.5);
    fold.lineTo(19.5, 8.5);
    fold.lineTo(25.5, 8.5);
    fold.closeSubpath();
    p.drawPath(fold);
    // The margins.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 110, 210), 1.0, Qt::DashLine));
    p.drawRect(QRectF(9, 11, 13, 15));
    // The set-square over the lower corner.
    QPainterPath square;
    square.moveTo(14.5, 30.5);
    square.lineTo(14.5, 16.5);
    square.lineTo(30.5, 30.5);
    square.closeSubpath();
    QPainterPath inner;
    inner.moveTo(17.5, 27.5);
    inner.lineTo(17.5, 22.5);
    inner.lineTo(23, 27.5);
    inner.closeSubpath();
    p.setPen(QPen(QColor(150, 100, 10), 1.0));
    p.setBrush(QColor(250, 190, 60, 230));
    p.drawPath(square.subtracted(inner));
}

// The application icon: a month sheet in a CD case, drawn on a 64-unit grid.
void drawApp(QPainter& p, int size)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // The case.
    QLinearGradient glass(0, 4, 0, 60);
    glass.setColorAt(0, QColor(236, 240, 246));
    glass.setColorAt(1, QColor(196, 204, 216));
    p.setPen(QPen(QColor(90, 98, 112), 1.2));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 4, 4);
    p.setPen(QPen(QColor(150, 158, 172), 1.0));
    p.drawLine(QPointF(10, 5), QPointF(10, 59));
    // The sheet.
    p.setPen(QPen(QColor(120, 126, 138), 0.8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13, 9, 43, 46));
    // The title band.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(38, 84, 170));
    p.drawRect(QRectF(13, 9, 43, 9));
    // Five weeks of seven days; Sundays and one holiday in red.
    for (int row = 0; row < 5; ++row) {
        for (int col = 0; col < 7; ++col) {
            const bool red = col == 0 || (row == 2 && col == 3);
            p.setBrush(red ? QColor(214, 48, 48) : QColor(70, 76, 90));
            if (col == 6)
                p.setBrush(QColor(48, 100, 200));
            p.drawRect(QRectF(16 + col * 5.6, 22 + row * 6.4, 3.4, 3.4));
        }
    }
    // An anniversary: a cell with a pink ground.
    p.setBrush(QColor(246, 150, 180));
    p.drawRect(QRectF(15 + 4 * 5.6, 21 + 3 * 6.4, 5.4, 5.4));
    p.setBrush(QColor(70, 76, 90));
    p.drawRect(QRectF(16 + 4 * 5.6, 22 + 3 * 6.4, 3.4, 3.4));
}

bool save(const QImage& image, const QString& path)
{
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: morvelin_make_icons RESOURCES_FOLDER\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    root.mkpath(QStringLiteral("icons"));

    struct Icon {
        int id;
        std::function<void(QPainter&)> draw;
    };
    const Icon icons[] = {{168, drawDisk},  {170, drawPref},    {172, drawExport},
                          {174, drawAnvsy}, {176, drawPrinter}, {178, drawPrinter2}};
    bool ok = true;
    for (const Icon& icon : icons) {
        QImage image = canvas(32);
        QPainter p(&image);
        icon.draw(p);
        p.end();
        ok &= save(image, root.filePath(QStringLiteral("icons/%1.png").arg(icon.id)));
    }
    for (int size : {48, 128, 256}) {
        QImage image = canvas(size);
        QPainter p(&image);
        drawApp(p, size);
        p.end();
        ok &= save(image, root.filePath(QStringLiteral("icons/morvelin-%1.png").arg(size)));
    }
    return ok ? 0 : 1;
}

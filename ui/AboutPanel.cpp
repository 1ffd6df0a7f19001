#include "ui/AboutPanel.h"

#include "core/App.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect rect, int pixelSize, QColor colour,
              Qt::Alignment align)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(rect);
    l->setAlignment(align & Qt::AlignVertical_Mask ? align : align | Qt::AlignTop);
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

} // namespace

AboutPanel::AboutPanel(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutPanel"));
    setWindowTitle(QStringLiteral("Morvelinについて"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowMinMaxButtonsHint);
    setMinimumSize(64, 64);
    resize(400, 240);

    StaticText1 = label(this, "StaticText1", QStringLiteral("Morvelin"), QRect(80, 25, 240, 50), 32,
                        QColor(0, 0, 255), Qt::AlignLeft);
    QFont italic = StaticText1->font();
    italic.setItalic(true);
    StaticText1->setFont(italic);

    // The empty lines in the middle leave room for the version label, which
    // stands in front of them; six of them leave the licence a line of its own
    // at the foot, inside the panel.
    const QString head = QStringLiteral("フロッピーディスクケース・CDケース用\n"
                                        "月めくりカレンダーのデザインと印刷");
    const int emptyLines = 6;
    StaticText2 = label(this, "StaticText2",
                        head + QString(emptyLines + 1, QLatin1Char('\n'))
                            + QStringLiteral("祝日は「国民の祝日に関する法律」によります。\n"
                                             "GNU 一般公衆利用許諾書 第3版以降 (GPL-3.0-or-later) で配布します。"),
                        QRect(30, 85, 340, 150), 10, QColor(51, 0, 0), Qt::AlignHCenter);
    StaticText2->setWordWrap(false);

    // Inside the credits block, across its empty lines, its lines centred in
    // them. How tall those lines are depends on the fonts they really draw
    // in: a Japanese line takes the metrics of whichever Japanese font the
    // system falls back to, an empty line those of the label's own font. So
    // the gap is measured as the label lays its text out, never counted in
    // lines of one font.
    StaticText2->ensurePolished();
    const QFontMetrics credits(StaticText2->font());
    const QRect block = StaticText2->contentsRect();
    const auto bottomOf = [&](const QString& text) {
        return credits.boundingRect(block, int(StaticText2->alignment()), text).bottom() + 1;
    };
    const int gapTop = bottomOf(head);
    const int gapBottom = bottomOf(head + QString(emptyLines, QLatin1Char('\n')));
    // The layout's text; every opening puts the version in its place.
    StaticText3 = label(StaticText2, "StaticText3", QStringLiteral("Ver. 1.0.0"),
                        QRect(QPoint(150 - StaticText2->x(), gapTop), QSize(100, gapBottom - gapTop)), 10,
                        QColor(0, 51, 102), Qt::AlignHCenter | Qt::AlignVCenter);
}

void AboutPanel::GenAboutPanel(QWidget* parent)
{
    AboutPanel panel(parent);
    panel.ShowVersion();
    panel.exec();
}

void AboutPanel::ShowVersion() { StaticText3->setText(QStringLiteral("Ver. " MORVELIN_VERSION "\nfor\nLinux")); }

void AboutPanel::install(App& app)
{
    app.setAboutPanelRunner([] { GenAboutPanel(QApplication::activeWindow()); });
}

void AboutPanel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    hide();
}

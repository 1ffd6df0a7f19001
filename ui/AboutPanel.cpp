#include "ui/AboutPanel.h"

#include "core/App.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect rect, int pixelSize, QColor colour,
              Qt::Alignment align)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(rect);
    l->setAlignment(align | Qt::AlignTop);
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
    // stands in front of them.
    StaticText2 = label(this, "StaticText2",
                        QStringLiteral("フロッピーディスクケース・CDケース用\n"
                                       "月めくりカレンダーのデザインと印刷\n"
                                       "\n\n\n\n\n\n\n"
                                       "祝日は「国民の祝日に関する法律」によります。"),
                        QRect(30, 85, 340, 150), 10, QColor(51, 0, 0), Qt::AlignHCenter);
    StaticText2->setWordWrap(false);

    // Placed in window coordinates, inside the credits block.
    StaticText3 = label(StaticText2, "StaticText3", QStringLiteral("Ver. 1.0.0"),
                        QRect(QPoint(150, 145) - StaticText2->pos(), QSize(100, 50)), 10, QColor(0, 51, 102),
                        Qt::AlignHCenter);
}

void AboutPanel::GenAboutPanel(QWidget* parent)
{
    AboutPanel panel(parent);
    panel.StaticText3->setText(QStringLiteral("Ver. 1.0b4\nfor\nLinux"));
    panel.exec();
}

void AboutPanel::install(App& app)
{
    app.setAboutPanelRunner([] { GenAboutPanel(QApplication::activeWindow()); });
}

void AboutPanel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    hide();
}

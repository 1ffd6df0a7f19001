#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

// A colour swatch: one colour inside a one-pixel black frame. A click opens the
// colour picker preset to the swatch's colour; a confirmed pick (even of the
// colour already shown) stores the new colour and emits ClrChanged, a cancel
// changes nothing. Setting Clr from code emits nothing and does not repaint:
// whoever sets it asks for the repaint (update()).
class ClrCanvas : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Clr READ Clr WRITE setClr)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
public:
    explicit ClrCanvas(QWidget* parent = nullptr);

    // The colour as 0xRRGGBB, the form every colour of a dataset is stored in.
    int32_t Clr() const { return m_clr; }
    void setClr(int32_t clr) { m_clr = clr; }

    // The prompt the colour picker shows.
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }

    // The colour drawn and offered to the picker. A stored value that is no
    // 0xRRGGBB number (a foreign dataset file) shows as its low 24 bits.
    QColor shownColor() const;

    QSize sizeHint() const override { return {35, 24}; }

    // A colour as 0xRRGGBB, and back; the same rule as every other colour of the program.
    static int32_t ClrCtoI(const QColor& colour);
    static QColor ClrItoC(int32_t clr);

signals:
    void ClrChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int32_t m_clr = 0;
    QString m_caption;
};

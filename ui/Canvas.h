#pragma once

#include <QWidget>

#include <functional>

class QPainter;

// A plain drawing canvas: its paint event hands a painter on the canvas to
// the handler, origin at the canvas's top-left corner, one pixel per point.
// The parent's background shows through wherever the handler draws nothing.
class Canvas : public QWidget {
    Q_OBJECT
public:
    using PaintHandler = std::function<void(QPainter&)>;

    explicit Canvas(QWidget* parent = nullptr);
    void setPaintHandler(PaintHandler handler);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintHandler m_handler;
};

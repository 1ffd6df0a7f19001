#pragma once

#include <QWidget>

class QToolButton;

// Two small stacked arrow buttons stepping a value up or down. They emit only;
// the owner decides what a step means and where it stops. Holding a button
// down repeats its step.
class LittleArrows : public QWidget {
    Q_OBJECT
public:
    explicit LittleArrows(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

    QSize sizeHint() const override { return {13, 23}; }

signals:
    void up();
    void down();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeArrows();

    QToolButton* m_up;
    QToolButton* m_down;
};

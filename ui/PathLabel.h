#pragma once

#include <QLabel>

class QTextLayout;

// A label for a file path, in at most two centred lines set close together.
// A path has no spaces to wrap at, so it is broken anywhere; a path that needs
// more than two lines keeps its end (the file's name) and gives up its start
// to an ellipsis. text() is always the whole path.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(const QString& text, QWidget* parent = nullptr);

    static constexpr int kMaxLines = 2;

    // What is drawn: text(), or its shortened form when it does not fit.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Breaks `text` into lines of the label's width; returns their number.
    int layOut(QTextLayout& layout) const;
    bool fits(const QString& text) const;
    // Distance from one baseline to the next.
    int linePitch() const;
};

#pragma once

#include <QLabel>

// A label for a file path. A path has no spaces to wrap at, so the text is
// broken anywhere, centred line by line; when it needs more lines than the
// label has room for, its end (the file's name) stays visible and the start
// gives way to an ellipsis. text() is always the whole path.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(const QString& text, QWidget* parent = nullptr);

    // What is drawn: text(), or its shortened form when it does not fit.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool fits(const QString& text) const;
};

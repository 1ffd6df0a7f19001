#pragma once

#include <QDialog>

class App;
class QLabel;

// The About panel: the product's name, the credits, the version and the
// licence. It has no buttons; a mouse press anywhere in it, on a label too,
// ends it.
class AboutPanel : public QDialog {
    Q_OBJECT
public:
    explicit AboutPanel(QWidget* parent = nullptr);

    // A new panel with the version written in, run modally until a press
    // ends it, then discarded: what the application's About command does.
    static void GenAboutPanel(QWidget* parent = nullptr);
    // Writes the release into the version label, over its layout text.
    void ShowVersion();
    // Gives `app` this panel for its About command, over the window the
    // command came from.
    static void install(App& app);

    QLabel* StaticText1 = nullptr; // the product's name
    QLabel* StaticText2 = nullptr; // the credits, the licence last
    QLabel* StaticText3 = nullptr; // the version, inside the credits

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#pragma once

// The real main window, opened as the program opens it, for the tests that
// drive its controls.

#include "core/App.h"
#include "core/Globals.h"
#include "sheet/JapaneseFont.h"
#include "support/ModalDialogDriver.h"
#include "ui/AppPrintSetup.h"
#include "ui/Window1.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace MainWindowTesting {

using ModalDialogs::answerModal;

// Stores the page setup `printer` holds, as the page-setup dialog leaves it:
// printing then goes straight to the print dialog.
inline void storePageSetupOf(const QPrinter& printer)
{
    const QRect area = printer.pageLayout().paintRectPoints();
    Globals::gPrintSetup = QVariantMap{{QStringLiteral("SetupString"), AppPrintSetup::setupString(printer)},
                                       {QStringLiteral("Width"), area.width()},
                                       {QStringLiteral("Height"), area.height()}};
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w)
        : m_w(w)
    {
        w->installEventFilter(this);
    }
    ~PaintCounter() override
    {
        if (m_w)
            m_w->removeEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }

private:
    QPointer<QWidget> m_w;
};

inline void clickOn(QWidget* w, QPoint at)
{
    QPointer<QWidget> alive(w);
    const QPointF global = w->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    if (!alive)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        JapaneseFont::installSubstitutes();
        App app;
        app.InitVal();
        app.InitColor();
        app.InitPref();
    }

    void SetUp() override
    {
        savedPref = Globals::gPref;
        w = std::make_unique<Window1>();
        w->InitApp();
        w->show();
        settle();
    }

    void TearDown() override
    {
        w.reset();
        Globals::gPref = savedPref;
    }

    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    template <class T> T* ctl(const char* name) const
    {
        T* c = w->findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    QWidget* content() const { return w->centralWidget(); }

    // A control's place in the window's content area.
    QRect placeOf(const QWidget* c) const { return QRect(c->mapTo(content(), QPoint(0, 0)), c->size()); }

    Dataset& data() const { return *w->pDataset; }

    std::unique_ptr<Window1> w;
    std::array<int32_t, 51> savedPref{};
};

} // namespace MainWindowTesting

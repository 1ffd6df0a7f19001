#include "core/App.h"
#include "platform/EndSignals.h"
#include "sheet/JapaneseFont.h"
#include "ui/AboutPanel.h"
#include "ui/AppIdentity.h"
#include "ui/AppPrintSetup.h"
#include "ui/MenuBar1.h"
#include "ui/PrefDlg.h"
#include "ui/Window1.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    AppIdentity::Application qapp(argc, argv);
    // From here on, logout, shutdown and Ctrl+C wait for the quit's own
    // settings step rather than end the program on the spot.
    EndSignals endSignals;
    JapaneseFont::installSubstitutes();

    // The application's opening sequence comes first: a new dataset takes its
    // colours from the preferences it loads.
    App app;
    AppPrintSetup::install(app);
    PrefDlg::install(app);
    AboutPanel::install(app);
    app.InitApp();

    Window1 window;
    MenuBar1::ApplicationAddMenuHandlers(app, *window.menuBar1());
    window.InitApp();
    window.show();
    QObject::connect(&endSignals, &EndSignals::received, &window, &Window1::EndSession);
    endSignals.start();
    // From inside the event loop, so that an end signal while the question
    // waits ends the program as at any other time.
    QTimer::singleShot(0, &window, &Window1::OfferRecovery);
    return qapp.exec();
}

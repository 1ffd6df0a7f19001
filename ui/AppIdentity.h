#pragma once

#include <QApplication>

class QTranslator;

// What makes the program look like a native one on a Japanese desktop.
namespace AppIdentity {

// Qt's own dialogs (colours, files, printing, page setup) and buttons in
// Japanese, from Qt's installed translations, with the few words they lack
// given by a translator of the program's own that goes with them. Returns the
// translator, owned by the application; deleting it removes both. nullptr
// when the system has none, and the dialogs then stay in English.
QTranslator* installQtJapanese(QApplication& app);

// Before the application object: Qt's file dialog formats sizes and dates
// by the system's locale, which Qt reads from LC_ALL, LC_TIME, LANG and the
// like once, and which the default locale does not reach. Unless LC_ALL
// already names a Japanese locale it is made "ja_JP.UTF-8" for this process,
// so those read as Japanese as the rest of the dialog does.
void preferJapaneseSystemLocale();

// Japanese as the default locale and Qt's Japanese translations, the name
// that titles the notices ("Morvelin"), the desktop entry the window belongs
// to, and the program's icon. Done by Application before the first widget.
void apply(QApplication& app);

// The program's application object, as main makes it: the system's locale
// made Japanese before Qt reads it, then apply().
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

private:
    static int& afterJapaneseSystemLocale(int& argc);
};

} // namespace AppIdentity

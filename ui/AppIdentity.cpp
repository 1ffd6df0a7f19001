#include "ui/AppIdentity.h"

#include "ui/ToolbarIcons.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace AppIdentity {

QTranslator* installQtJapanese(QApplication& app)
{
    // The program speaks Japanese whatever the system's language.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

void preferJapaneseSystemLocale()
{
    if (!qEnvironmentVariable("LC_ALL").startsWith(QLatin1String("ja")))
        qputenv("LC_ALL", "ja_JP.UTF-8");
}

void apply(QApplication& app)
{
    // Qt's widgets and dialogs format dates and numbers by the default
    // locale, which otherwise follows LANG: under LANG=C they would read half
    // English beside the Japanese translations. Before the first widget, as
    // each widget takes the default locale when it is made.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    installQtJapanese(app);
    QApplication::setApplicationDisplayName(QStringLiteral("Morvelin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("morvelin"));
    QApplication::setWindowIcon(ToolbarIcons::applicationIcon());
}

int& Application::afterJapaneseSystemLocale(int& argc)
{
    preferJapaneseSystemLocale();
    return argc;
}

// The locale is set in the argument list, as it must come before
// QApplication's own constructor.
Application::Application(int& argc, char** argv)
    : QApplication(afterJapaneseSystemLocale(argc), argv)
{
    apply(*this);
}

} // namespace AppIdentity

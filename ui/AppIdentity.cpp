#include "ui/AppIdentity.h"

#include "ui/ToolbarIcons.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace AppIdentity {

namespace {

// The words Qt's own Japanese catalogue lacks: its file dialog shows them in
// the type column, of every folder and of the drive. Installed after that
// catalogue, this translator is asked first; it answers for these alone and
// leaves every other text to the catalogue. Asked from the file dialog's
// reading thread too: it holds nothing that changes.
class MissingQtWords : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        struct Word {
            const char* context;
            const char* source;
            const char16_t* japanese;
        };
        static constexpr Word kWords[] = {
            {"QAbstractFileIconProvider", "Folder", u"フォルダ"},
            {"QAbstractFileIconProvider", "Drive", u"ドライブ"},
        };
        if (!context || !sourceText)
            return {};
        for (const Word& word : kWords) {
            if (qstrcmp(context, word.context) == 0 && qstrcmp(sourceText, word.source) == 0)
                return QString::fromUtf16(word.japanese);
        }
        return {};
    }
};

} // namespace

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
    // It comes and goes with Qt's catalogue.
    QCoreApplication::installTranslator(new MissingQtWords(translator));
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

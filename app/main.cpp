#include "app/frmmain.h"
#include "toolkit/platform.h"
#include "toolkit/singleinstance.h"
#include "toolkit/timewatch.h"
#include "tickoraversion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <optional>

namespace {

// Exit status of a command line the program does not understand.
constexpr int UsageError = 2;
// Exit status when no window system can show the clock.
constexpr int NoDisplay = 1;

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The command line, read before anything needs a display, so that --help
// and --version answer on a text console too. Returns the exit status when
// the program ends here.
std::optional<int> readCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "%1: an analog desk clock and calendar docked at the right edge of the screen.\n"
        "Starting it again brings the running clock to the front.")
                                         .arg(QString::fromLatin1(tickora::TitleAndVersion)));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    const bool understood = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    // Without an application object the parser does not know the program's name.
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                    QFileInfo(arguments.value(0)).fileName());
    if (!understood) {
        const QString error = parser.errorText().isEmpty()
            ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst())
            : parser.errorText();
        print(stderr, error + QStringLiteral("\n\n") + usage);
        return UsageError;
    }
    if (parser.isSet(help)) {
        print(stdout, usage);
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        print(stdout, QString::fromLatin1(tickora::TitleAndVersion) + QLatin1Char('\n'));
        return EXIT_SUCCESS;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> status = readCommandLine(argc, argv))
        return *status;

    // Before QApplication starts its threads: the environment is not
    // changed after that.
    toolkit::TimeWatch::settleZoneVariable();
    toolkit::PlatformChoice platform;
    if (!platform.problem().isEmpty()) {
        print(stderr, QStringLiteral("tickora: %1\n").arg(platform.problem()));
        return NoDisplay;
    }
    QApplication app(argc, argv);
    platform.release();
    QApplication::setApplicationName(QStringLiteral("Tickora"));
    QApplication::setOrganizationName(QStringLiteral("Tickora"));
    QApplication::setApplicationVersion(QString::fromLatin1(tickora::Version));

    // One clock per user and display: a second start brings the first one
    // forward and ends.
    toolkit::SingleInstance instance(QStringLiteral("tickora"));
    if (!instance.claim())
        return EXIT_SUCCESS;

    // The interface speaks Italian, and so do Qt's stock dialogs (colour
    // chooser, message boxes), whatever the system language.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    frmMain window;
    QObject::connect(&instance, &toolkit::SingleInstance::activationRequested, &window, &frmMain::bringToFront);
    // The main window's font (the classic desktop's dialog font) for every
    // other window of the program too: the options dialog and the stock
    // dialogs.
    QApplication::setFont(window.font());
    window.show();
    return QApplication::exec();
}

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

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// Exit status of a command line the program does not understand.
constexpr int UsageError = 2;
// Exit status when no window system can show the clock.
constexpr int NoDisplay = 1;
// Exit status when the answer could not be written (a full disk).
constexpr int WriteError = 1;

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Prints an answer on the standard output and makes sure it got there;
// says why not on stderr when it did not.
bool answer(const QString &text)
{
    print(stdout, text);
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    print(stderr, QStringLiteral("tickora: cannot write the answer: %1\n")
                      .arg(QString::fromLocal8Bit(std::strerror(errno))));
    return false;
}

// Qt's own options, which the application object reads and takes out of
// the command line: known by their names, with a value where they take one.
struct QtOption
{
    const char *name;
    bool takesValue;
};
constexpr QtOption QtOptions[] = {
    {"display", true}, {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true}, {"style", true}, {"stylesheet", true}, {"qwindowgeometry", true}, {"geometry", true},
    {"qwindowtitle", true}, {"title", true}, {"qwindowicon", true}, {"icon", true}, {"name", true},
    {"visual", true}, {"session", true}, {"reverse", false}, {"widgetcount", false}, {"nograb", false},
    {"dograb", false}, {"testability", false},
};

// What the command line says, once read: the exit status when the program
// ends here, else the platform and display asked for (empty: the
// environment's).
struct CommandLine
{
    std::optional<int> status;
    QString platform = {};
    QString display = {};
};

// The command line, read before anything needs a display, so that --help
// and --version answer on a text console too.
CommandLine readCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    // "-display" is one option, as Qt reads it, not the letters d, i, s...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "%1: an analog desk clock and calendar docked at the right edge of the screen.\n"
        "Starting it again brings the running clock to the front.\n"
        "Qt's standard options (-display, -platform, -style...) are taken too.")
                                         .arg(QString::fromLatin1(tickora::TitleAndVersion)));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    for (const QtOption &qt : QtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString(),
                                  qt.takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    const bool understood = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    // Without an application object the parser does not know the program's name.
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                    QFileInfo(arguments.value(0)).fileName());
    if (!understood) {
        const QString error = parser.errorText().isEmpty()
            ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst())
            : parser.errorText();
        print(stderr, error + QStringLiteral("\n\n") + usage);
        return {UsageError};
    }
    if (parser.isSet(help))
        return {answer(usage) ? EXIT_SUCCESS : WriteError};
    if (parser.isSet(version))
        return {answer(QString::fromLatin1(tickora::TitleAndVersion) + QLatin1Char('\n')) ? EXIT_SUCCESS : WriteError};
    return {std::nullopt, parser.value(QStringLiteral("platform")), parser.value(QStringLiteral("display"))};
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine commandLine = readCommandLine(argc, argv);
    if (commandLine.status)
        return *commandLine.status;

    // Before QApplication starts its threads: the environment is not
    // changed after that.
    toolkit::TimeWatch::settleZoneVariable();
    toolkit::PlatformChoice platform(commandLine.platform, commandLine.display);
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
    const QString display = commandLine.display.isEmpty()
        ? qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"))
        : commandLine.display;
    toolkit::SingleInstance instance(QStringLiteral("tickora"), display);
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

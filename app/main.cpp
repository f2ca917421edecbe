#include "frmmain.h"
#include "tickoraversion.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Each X11 shared-memory image upload makes Qt wait for the X server
    // first, a round trip that wakes the program at every second-hand move.
    // The clock's repaints are a few hundred pixels: sending them through
    // the connection costs less. The setting is read when the connection
    // opens; a value the user has set is left alone, and programs started
    // from the clock (a browser for a link) do not inherit ours.
    const char *const NoSharedMemory = "QT_XCB_NO_MITSHM";
    const bool plainUploads = !qEnvironmentVariableIsSet(NoSharedMemory);
    if (plainUploads)
        qputenv(NoSharedMemory, "1");
    QApplication app(argc, argv);
    if (plainUploads)
        qunsetenv(NoSharedMemory);
    QApplication::setApplicationName(QStringLiteral("Tickora"));
    QApplication::setOrganizationName(QStringLiteral("Tickora"));
    QApplication::setApplicationVersion(QString::fromLatin1(tickora::Version));

    // The interface speaks Italian, and so do Qt's stock dialogs (colour
    // chooser, message boxes), whatever the system language.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    frmMain window;
    // The main window's font (the classic desktop's dialog font) for every
    // other window of the program too: the options dialog, made when the
    // window is first shown, and the stock dialogs.
    QApplication::setFont(window.font());
    window.show();
    return QApplication::exec();
}

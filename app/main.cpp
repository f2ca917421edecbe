#include "connectionsetup.h"
#include "frmmain.h"
#include "tickoraversion.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

int main(int argc, char *argv[])
{
    auto connectionSetup = std::make_unique<toolkit::ConnectionSetup>();
    QApplication app(argc, argv);
    connectionSetup.reset();
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
    // other window of the program too: the options dialog and the stock
    // dialogs.
    QApplication::setFont(window.font());
    window.show();
    return QApplication::exec();
}

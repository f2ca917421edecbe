#include "frmmain.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tickora"));
    QApplication::setOrganizationName(QStringLiteral("Tickora"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));

    // The interface speaks Italian, and so do Qt's stock dialogs (colour
    // chooser, message boxes), whatever the system language.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    frmMain window;
    window.show();
    return QApplication::exec();
}

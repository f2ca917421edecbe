// Saves the settings over and over through mdlMain::SaveSettings,
// alternating two records, until it is killed. Prints "saved" after each
// save so that the test that kills it knows it is under way.
//   savingloop <folder>
#include "fakedesktop.h"
#include "mdlmain.h"
#include "savingrecords.h"
#include "tickdial.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: savingloop <folder>\n");
        return 2;
    }
    FakeDesktop fake;
    QWidget window;
    auto *dial = new Tickdial(&window);
    mdlMain module(window, *dial);
    module.setSettingsFolder(QString::fromLocal8Bit(argv[1]));
    module.LoadSettings();

    const settings::OptionsRecord records[] = {reliability::recordA(), reliability::recordB()};
    for (unsigned n = 0;; ++n) {
        if (!module.SaveSettings(records[n % 2], nullptr))
            return 1;
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}

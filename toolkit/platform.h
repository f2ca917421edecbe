#pragma once

#include <QString>

namespace toolkit {

// How the clock reaches the window system, settled before the application
// object exists. The clock places its own window, which only X11 allows:
// on a Wayland session it goes through XWayland unless the user has chosen
// a platform (QT_QPA_PLATFORM). Each X11 shared-memory image upload makes
// Qt wait for the X server first, a round trip that would wake the program
// at every second-hand move; the clock's repaints are a few hundred pixels,
// cheaper sent through the connection, so shared memory is off unless the
// user has said otherwise.
class PlatformChoice
{
public:
    // Makes the choice (in the environment, where Qt reads it). A platform
    // or display given on the command line (-platform, -display), which Qt
    // takes before the environment, is passed here; empty when none was.
    explicit PlatformChoice(const QString &platform = QString(), const QString &display = QString());
    PlatformChoice(const PlatformChoice &) = delete;
    PlatformChoice &operator=(const PlatformChoice &) = delete;

    // Why the clock cannot show its window, in one line; empty when it can.
    const QString &problem() const { return m_problem; }

    // Once the application has connected: takes back the environment
    // changes, so that programs started from the clock (a browser for a
    // link) run as they would have without it.
    void release();

private:
    bool m_choseX11 = false;
    bool m_choseNoSharedMemory = false;
    QString m_problem;
};

} // namespace toolkit

#pragma once

namespace toolkit {

// Choices about the connection to the window system, which Qt reads while
// the application object opens it. Make one before the QApplication and
// let it go once that exists: programs started from the clock (a browser
// for a link) then do not inherit them.
//
// Each X11 shared-memory image upload makes Qt wait for the X server first,
// a round trip that wakes the program at every second-hand move; the
// clock's repaints are a few hundred pixels, cheaper sent through the
// connection. A choice the user has made in the environment is left alone.
class ConnectionSetup
{
public:
    ConnectionSetup();
    ~ConnectionSetup();
    ConnectionSetup(const ConnectionSetup &) = delete;
    ConnectionSetup &operator=(const ConnectionSetup &) = delete;

private:
    bool m_setSharedMemory = false;
};

} // namespace toolkit

#pragma once

#include "app/frmmain.h"
#include "settings/mdlmain.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/optionsfixture.h"

#include <QtTest>

// The main window on a fake desktop, its settings in a folder of the test's own, auto-hide off unless the
// test writes otherwise. A test derives from it and calls setUp() and tearDown() from init() and cleanup().
class ClockFixture
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeDesktop> fake;
    std::unique_ptr<frmMain> m_window;

    void setUp()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        fake = std::make_unique<FakeDesktop>();
        writeOptions({"AutoHide=0"});
    }
    void tearDown()
    {
        m_window.reset();
        fake.reset();
    }
    QString confPath() const { return m_dir->filePath("Tickora.conf"); }
    void writeOptions(const QList<QByteArray> &lines)
    {
        QVERIFY(writeFile(m_dir->filePath("Options.dat"), withLines(DefaultOptionsText, lines)));
    }
    // A shown main window whose settings live in the test's folder.
    frmMain &open()
    {
        m_window = std::make_unique<frmMain>();
        m_window->settings().setSettingsFolder(m_dir->path());
        m_window->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(m_window.get())); }();
        return *m_window;
    }
};

#pragma once

#include "optionsfile.h"

#include <QPoint>
#include <QString>
#include <memory>

class CTranslucentForm;
class QWidget;
class Tickdial;
class frmOption;

// The settings module: the shared translucency object, the cursor position
// the main window's timer records, the options dialog that holds the live
// settings, and the routines that move the settings between Options.dat and
// that dialog. The main window creates it with itself and its dial, and
// hands over the translucency object when it has made one.
class mdlMain
{
public:
    static constexpr char FileName[] = "Options.dat";

    mdlMain(QWidget &mainWindow, Tickdial &dial);
    ~mdlMain();
    mdlMain(const mdlMain &) = delete;
    mdlMain &operator=(const mdlMain &) = delete;

    // The shared translucency object; none until the main window hands it in.
    CTranslucentForm *Translucency() const { return m_translucency.get(); }
    void setTranslucency(std::unique_ptr<CTranslucentForm> translucency);

    QPoint CursorPos() const { return m_cursorPos; }
    void setCursorPos(QPoint pos) { m_cursorPos = pos; }

    QWidget &mainWindow() const { return m_mainWindow; }
    Tickdial &dial() const { return m_dial; }

    // Creates Options.dat with the defaults when it is missing, then reads it
    // into the options dialog (created hidden if need be) and Translucency.
    void LoadSettings();
    // Puts a record into the options dialog's controls (and the opacity into
    // Translucency), running the handlers of the controls that change.
    void putIntoControls(const settings::OptionsRecord &record);
    // Writes the dialog's settings; on failure tells the user and returns false.
    bool SaveSettings();
    // Writes the file with the default settings; false when it cannot.
    bool WriteDefaultSettings();

    // The options dialog, created hidden (and loaded) on first touch.
    frmOption &Options();
    // The dialog if it exists.
    frmOption *existingOptions() const { return m_options.get(); }
    // Shows the options dialog modally; returns when it is closed.
    void ShowOptions();
    // Unloading: the dialog lets go of itself; it is destroyed once control
    // is back in the event loop, and the next touch creates a new one.
    void releaseOptions(const frmOption *dialog);

    // Where Options.dat lives. Set a folder to use that one; otherwise the
    // program's folder when the file is there, or when the folder is
    // writable and not that of an installed copy; else the per-user
    // configuration folder.
    void setSettingsFolder(const QString &folder) { m_folder = folder; }
    QString settingsPath() const;

    // The folder choice, given the two candidates; creates the second one
    // when it is chosen.
    static QString chooseSettingsFolder(const QString &programFolder, const QString &configFolder);

private:
    settings::OptionsRecord recordFromControls();
    bool writeFile(const QByteArray &bytes, QString *error) const;

    QWidget &m_mainWindow;
    Tickdial &m_dial;
    std::unique_ptr<CTranslucentForm> m_translucency;
    std::unique_ptr<frmOption> m_options;
    QPoint m_cursorPos;
    QString m_folder;
};

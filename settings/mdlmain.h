#pragma once

#include "settings/optionsfile.h"

#include <QPoint>
#include <QString>
#include <memory>
#include <optional>

class CTranslucentForm;
class QWidget;
class Tickdial;

// The settings module: the settings record the running clock shows, the
// shared translucency object, the cursor position the main window's timer
// records, and the routines that move the record between Options.dat and
// the window. The main window creates it with itself and its dial, and
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

    // The settings record: what the file held at the last reading, or what
    // was last saved.
    const settings::OptionsRecord &Settings() const { return m_settings; }
    void setSettings(const settings::OptionsRecord &record) { m_settings = record; }

    // Creates Options.dat with the defaults when it is missing, then reads
    // it into the record.
    void LoadSettings();
    // Writes a record (a border width outside 1..80 as "1"); it becomes the
    // record. On failure tells the user, above the given window, and
    // returns false.
    bool SaveSettings(const settings::OptionsRecord &record, QWidget *messageParent);
    // Writes the file with the default settings; false when it cannot.
    bool WriteDefaultSettings();

    // Puts a record on the window (opacity, always on top) and on the dial.
    // Changes: only what differs from the record put there last, as the
    // options dialog previews each change; Everything: every setting, as
    // the window does when it becomes active.
    enum class Apply { Changes, Everything };
    void ApplySettings(const settings::OptionsRecord &record, Apply scope);

    // Where Options.dat lives (only looked up). Set a folder to use that one; otherwise the
    // program's folder when the file is there, or when the folder is
    // writable and not that of an installed copy; else the per-user
    // configuration folder.
    void setSettingsFolder(const QString &folder) { m_folder = folder; }
    QString settingsPath() const;
    // Tickora.conf, beside Options.dat: the settings beyond the classic clock.
    QString confPath() const;

    // The folder choice, given the two candidates. Nothing is created: the
    // folder is made when the settings are saved.
    static QString chooseSettingsFolder(const QString &programFolder, const QString &configFolder);

private:
    void apply(const settings::Field &field, const settings::OptionsRecord &record);
    bool writeFile(const QByteArray &bytes, QString *error) const;

    QWidget &m_mainWindow;
    Tickdial &m_dial;
    std::unique_ptr<CTranslucentForm> m_translucency;
    settings::OptionsRecord m_settings;
    std::optional<settings::OptionsRecord> m_applied;
    QPoint m_cursorPos;
    QString m_folder;
};

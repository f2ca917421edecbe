#include "settings/mdlmain.h"

#include "toolkit/conffile.h"

#include "translucency/ctranslucentform.h"
#include "toolkit/desktop.h"
#include "settings/saveleftovers.h"
#include "dial/tickdial.h"
#include "toolkit/val.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

using settings::OptionsRecord;

namespace {
// More than the fourteen lines could ever need; a larger file is junk and is
// not read beyond this.
constexpr qint64 MaxFileBytes = 64 * 1024;
const QString SaveErrorTitle = QStringLiteral("Salvataggio delle opzioni");
} // namespace

mdlMain::mdlMain(QWidget &mainWindow, Tickdial &dial)
    : m_mainWindow(mainWindow)
    , m_dial(dial)
{
}

mdlMain::~mdlMain() = default;

void mdlMain::setTranslucency(std::unique_ptr<CTranslucentForm> translucency)
{
    m_translucency = std::move(translucency);
}

QString mdlMain::chooseSettingsFolder(const QString &programFolder, const QString &configFolder)
{
    // An installed copy (its data folder beside it, as in /usr) keeps the
    // settings per user even when its folder is writable, by root say.
    const QDir program(programFolder);
    const bool installed = program.exists(QStringLiteral(TICKORA_DATA_FROM_PROGRAM));
    const QFileInfo folder(programFolder);
    if (program.exists(FileName) || (!installed && folder.isDir() && folder.isWritable()))
        return programFolder;
    QDir().mkpath(configFolder);
    return configFolder;
}

QString mdlMain::settingsPath() const
{
    const QString folder = !m_folder.isEmpty()
        ? m_folder
        : chooseSettingsFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    return QDir(folder).filePath(FileName);
}

QString mdlMain::confPath() const
{
    return QFileInfo(settingsPath()).dir().filePath(QString::fromLatin1(toolkit::ConfFileName));
}

void mdlMain::LoadSettings()
{
    const QString path = settingsPath();
    if (!QFileInfo(path).isFile())
        WriteDefaultSettings();

    QByteArray bytes;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(MaxFileBytes);
    file.close();
    m_settings = settings::readOptions(bytes);
}

bool mdlMain::SaveSettings(const OptionsRecord &record, QWidget *messageParent)
{
    OptionsRecord corrected = record;
    const double width = toolkit::Val(corrected.BorderWidth);
    if (width < settings::MinBorderWidth || width > settings::MaxBorderWidth)
        corrected.BorderWidth = QStringLiteral("1");

    QString error;
    if (!writeFile(settings::formatOptions(corrected, settings::KeySet::Saved), &error)) {
        const QString text = QStringLiteral("Impossibile salvare le opzioni nel file\n%1\n\n%2\n\n"
                                            "Le modifiche non sono state salvate.")
                                 .arg(QDir::toNativeSeparators(settingsPath()), error);
        toolkit::MsgBox(messageParent, text, toolkit::MessageIcon::Critical, SaveErrorTitle);
        return false;
    }
    m_settings = corrected;
    return true;
}

bool mdlMain::WriteDefaultSettings()
{
    return writeFile(settings::formatOptions(OptionsRecord(), settings::KeySet::Defaults), nullptr);
}

// The settings go on one at a time, in this order, each through the dial's
// setter with the repainting it does.
void mdlMain::ApplySettings(const OptionsRecord &r, Apply scope)
{
    const bool everything = scope == Apply::Everything || !m_applied;
    const OptionsRecord before = m_applied.value_or(r);
    m_applied = r;
    const auto changed = [&](auto OptionsRecord::*field) { return everything || before.*field != r.*field; };

    if (changed(&OptionsRecord::Translucent) && m_translucency)
        m_translucency->setAlpha(quint8(r.Translucent));
    if (changed(&OptionsRecord::BringToFront))
        toolkit::desktop().setAlwaysOnTop(&m_mainWindow, r.BringToFront == 1);
    if (changed(&OptionsRecord::ViewDate))
        m_dial.setVisibleTextDate(r.ViewDate != 0);
    if (changed(&OptionsRecord::ViewBorder))
        m_dial.setVisibleBorder(r.ViewBorder != 0);
    if (changed(&OptionsRecord::BorderWidth))
        m_dial.setBorderWidth(quint8(settings::borderWidthFromText(r.BorderWidth)));
    if (changed(&OptionsRecord::ColorBorder))
        m_dial.setBorderColor(r.ColorBorder);
    if (changed(&OptionsRecord::ViewTextHours))
        m_dial.setVisibleTextHours(r.ViewTextHours != 0);
    if (changed(&OptionsRecord::ColorTextHours))
        m_dial.setTextHoursColor(r.ColorTextHours);
    if (changed(&OptionsRecord::ViewSecond))
        m_dial.setVisibleSecond(r.ViewSecond != 0);
    if (changed(&OptionsRecord::ColorLancetSecond))
        m_dial.setLancetSecondColor(r.ColorLancetSecond);
    if (changed(&OptionsRecord::ColorLancetMinute))
        m_dial.setLancetMinuteColor(r.ColorLancetMinute);
    if (changed(&OptionsRecord::ColorLancetHour))
        m_dial.setLancetHourColor(r.ColorLancetHour);
}

// The new content goes to a temporary file beside the old one, which it
// replaces only once it is complete. Unbuffered, so that a write the disk
// refuses (full, file-size limit) fails here: a buffered write fails only
// when the file is closed, and commit() would then put an empty file in
// place of the good one.
bool mdlMain::writeFile(const QByteArray &bytes, QString *error) const
{
    QSaveFile file(settingsPath());
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size()
        && file.commit();
    // A save killed before its copy was put in place leaves that copy; the
    // next good save clears them, so that they do not pile up over the years.
    if (ok)
        settings::removeSaveLeftovers(settingsPath());
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

#include "settings/mdlmain.h"

#include "toolkit/conffile.h"

#include "translucency/ctranslucentform.h"
#include "toolkit/desktop.h"
#include "settings/saveleftovers.h"
#include "dial/tickdial.h"
#include "settings/borderwidth.h"

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
    if (settings::hasConfFields())
        settings::readConf(m_settings, toolkit::ConfFile(confPath()));
}

bool mdlMain::SaveSettings(const OptionsRecord &record, QWidget *messageParent)
{
    OptionsRecord corrected = record;
    corrected.BorderWidth = settings::savedBorderWidth(record.BorderWidth);

    QString error;
    bool saved = writeFile(settings::formatOptions(corrected, settings::KeySet::Saved), &error);
    if (saved && settings::hasConfFields()) {
        toolkit::ConfFile conf(confPath());
        settings::writeConf(corrected, conf);
        saved = conf.save(&error);
    }
    if (!saved) {
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

// The settings go on one at a time, in the table's order, each through the
// dial's setter with the repainting it does.
void mdlMain::ApplySettings(const OptionsRecord &r, Apply scope)
{
    const bool everything = scope == Apply::Everything || !m_applied;
    const OptionsRecord before = m_applied.value_or(r);
    m_applied = r;
    for (const settings::Field &field : settings::Fields) {
        const bool changed = field.type == settings::FieldType::WidthText ? before.BorderWidth != r.BorderWidth
                                                                           : before.*field.number != r.*field.number;
        if (everything || changed)
            apply(field, r);
    }
}

void mdlMain::apply(const settings::Field &field, const OptionsRecord &r)
{
    using settings::FieldType;
    switch (field.effect) {
    case settings::Effect::Opacity:
        if (m_translucency)
            m_translucency->setAlpha(quint8(r.*field.number));
        break;
    case settings::Effect::AlwaysOnTop:
        toolkit::desktop().setAlwaysOnTop(&m_mainWindow, r.*field.number == 1);
        break;
    case settings::Effect::AtActivation:
        break;
    case settings::Effect::DialProperty: {
        QVariant value;
        if (field.type == FieldType::WidthText)
            value = QVariant::fromValue(quint8(settings::borderWidthFromText(r.BorderWidth)));
        else if (field.type == FieldType::CheckState)
            value = r.*field.number != 0;
        else
            value = r.*field.number;
        [[maybe_unused]] const bool known = m_dial.setProperty(field.dialProperty, value);
        Q_ASSERT(known);
        break;
    }
    }
}

// The new content goes to a temporary file beside the old one, which it
// replaces only once it is complete. Unbuffered, so that a write the disk
// refuses (full, file-size limit) fails here: a buffered write fails only
// when the file is closed, and commit() would then put an empty file in
// place of the good one.
bool mdlMain::writeFile(const QByteArray &bytes, QString *error) const
{
    // The per-user folder is made when the settings are first saved there.
    QDir().mkpath(QFileInfo(settingsPath()).path());
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

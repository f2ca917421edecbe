#include "mdlmain.h"

#include "controls.h"
#include "ctranslucentform.h"
#include "desktop.h"
#include "frmoption.h"
#include "saveleftovers.h"
#include "val.h"

#include <QCoreApplication>
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>
#include <QSlider>
#include <QStandardPaths>

using settings::OptionsRecord;

namespace {
// More than the fourteen lines could ever need; a larger file is junk and is
// not read beyond this.
constexpr qint64 MaxFileBytes = 64 * 1024;
// Room between the clock and the options dialog beside it.
constexpr int DialogGapPx = 8;
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
    const QFileInfo program(programFolder);
    if (QFileInfo::exists(QDir(programFolder).filePath(FileName)) || (program.isDir() && program.isWritable()))
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

frmOption &mdlMain::Options()
{
    if (!m_options) {
        m_options = std::make_unique<frmOption>(*this);
        m_options->Form_Load();
    }
    return *m_options;
}

void mdlMain::ShowOptions()
{
    // The dialog opens beside the clock, to its left, so that every change
    // can be watched on the dial while it is made.
    frmOption &dialog = Options();
    const QRect clock = m_mainWindow.frameGeometry();
    const QSize screen = toolkit::desktop().primaryScreenSize();
    const QSize size = dialog.frameGeometry().size();
    const int x = std::max(0, clock.left() - DialogGapPx - size.width());
    const int y = std::clamp(clock.top(), 0, std::max(0, screen.height() - size.height()));
    toolkit::desktop().moveWindow(&dialog, QPoint(x, y));
    toolkit::desktop().execModal(&dialog);
}

void mdlMain::releaseOptions(const frmOption *dialog)
{
    if (m_options.get() == dialog)
        m_options.release()->deleteLater();
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
    const OptionsRecord r = settings::readOptions(bytes);

    putIntoControls(r);
    Options().chkAutoHide_Click();
}

void mdlMain::putIntoControls(const OptionsRecord &r)
{
    frmOption &dlg = Options();
    dlg.Slider1()->setValue(r.Translucent);
    if (m_translucency)
        m_translucency->setAlpha(quint8(dlg.Slider1()->value()));
    settings::setCheckValue(dlg.chkBringToFront(), r.BringToFront);
    settings::setCheckValue(dlg.chkAutoHide(), r.AutoHide);
    settings::setCheckValue(dlg.chkHideBar(), r.HideBar);
    settings::setCheckValue(dlg.chkViewDate(), r.ViewDate);
    settings::setCheckValue(dlg.chkViewBorder(), r.ViewBorder);
    dlg.txtBorderWidth()->setText(r.BorderWidth);
    dlg.picColorBorder()->setBackColor(r.ColorBorder);
    settings::setCheckValue(dlg.chkTextHours(), r.ViewTextHours);
    dlg.picColorText()->setBackColor(r.ColorTextHours);
    settings::setCheckValue(dlg.chkViewSecond(), r.ViewSecond);
    dlg.picColorSecond()->setBackColor(r.ColorLancetSecond);
    dlg.picColorMinute()->setBackColor(r.ColorLancetMinute);
    dlg.picColorHour()->setBackColor(r.ColorLancetHour);
}

OptionsRecord mdlMain::recordFromControls()
{
    frmOption &dlg = Options();
    OptionsRecord r;
    r.Translucent = dlg.Slider1()->value();
    r.BringToFront = settings::checkValue(dlg.chkBringToFront());
    r.AutoHide = settings::checkValue(dlg.chkAutoHide());
    r.HideBar = settings::checkValue(dlg.chkHideBar());
    r.ViewDate = settings::checkValue(dlg.chkViewDate());
    r.ViewBorder = settings::checkValue(dlg.chkViewBorder());
    r.BorderWidth = dlg.txtBorderWidth()->text();
    r.ColorBorder = dlg.picColorBorder()->BackColor();
    r.ViewTextHours = settings::checkValue(dlg.chkTextHours());
    r.ColorTextHours = dlg.picColorText()->BackColor();
    r.ViewSecond = settings::checkValue(dlg.chkViewSecond());
    r.ColorLancetSecond = dlg.picColorSecond()->BackColor();
    r.ColorLancetMinute = dlg.picColorMinute()->BackColor();
    r.ColorLancetHour = dlg.picColorHour()->BackColor();
    return r;
}

bool mdlMain::SaveSettings()
{
    frmOption &dlg = Options();
    const double width = toolkit::Val(dlg.txtBorderWidth()->text());
    if (width < settings::MinBorderWidth || width > settings::MaxBorderWidth)
        dlg.txtBorderWidth()->setText(QStringLiteral("1"));

    QString error;
    const bool saved = writeFile(settings::formatOptions(recordFromControls(), settings::KeySet::Saved), &error);
    if (!saved) {
        const QString text = QStringLiteral("Impossibile salvare le opzioni nel file\n%1\n\n%2\n\n"
                                            "Le modifiche non sono state salvate.")
                                 .arg(QDir::toNativeSeparators(settingsPath()), error);
        toolkit::MsgBox(&dlg, text, toolkit::MessageIcon::Critical, SaveErrorTitle);
    }
    dlg.chkAutoHide_Click();
    return saved;
}

bool mdlMain::WriteDefaultSettings()
{
    const bool written = writeFile(settings::formatOptions(OptionsRecord(), settings::KeySet::Defaults), nullptr);
    Options().chkAutoHide_Click();
    return written;
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

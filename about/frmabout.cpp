#include "about/frmabout.h"

#include "about/aboutinfo.h"
#include "toolkit/desktop.h"
#include "toolkit/fonts.h"
#include "about/gifview.h"
#include "about/linklabel.h"
#include "about/surfaceframe.h"
#include "assets/tickoraassets.h"
#include "toolkit/twips.h"
#include "toolkit/windowguard.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {

// Client area, in twips.
constexpr int ClientWidth = 6510;
constexpr int ClientHeight = 3195;

const QString ArialFace = QStringLiteral("Arial");
const QString ArialBlackFace = QStringLiteral("Arial Black");
const QString SansSerifFace = QStringLiteral("MS Sans Serif");

enum class Weight { Normal, Bold, Black };
enum class Slant { Upright, Italic };

QFont makeFont(const QString &face, double points, Weight weight, Slant slant = Slant::Upright)
{
    QFont font = toolkit::designFont(face, points, false);
    font.setWeight(weight == Weight::Black  ? QFont::Black
                   : weight == Weight::Bold ? QFont::Bold
                                            : QFont::Normal);
    font.setItalic(slant == Slant::Italic);
    return font;
}

void setTextColor(QLabel *label, toolkit::OleColor color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toolkit::toQColor(color));
    label->setPalette(palette);
}

void setUnderline(QLabel *label, bool underline)
{
    QFont font = label->font();
    font.setUnderline(underline);
    label->setFont(font);
}

QLabel *makeLabel(QWidget *parent, const char *name, QRect twips, const QString &text, const QFont &font,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(toolkit::rectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setFont(font);
    label->setAlignment(alignment);
    return label;
}

bool hasCustomPointer(const QWidget *widget)
{
    return widget->cursor().shape() == Qt::BitmapCursor;
}

} // namespace

QString frmAbout::animationPath(const QString &programDir)
{
    // Plain joining: the directory is taken as it comes.
    const QString beside = programDir + QLatin1Char('/') + assets::AboutAnimationFile;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed =
        programDir + QLatin1Char('/') + QLatin1String(InstalledDataFolder) + QLatin1Char('/') + assets::AboutAnimationFile;
    return QFileInfo::exists(installed) ? installed : beside;
}

frmAbout::frmAbout(QWidget *parent)
    : frmAbout(QCoreApplication::applicationDirPath(), parent)
{
}

frmAbout::frmAbout(const QString &programFolder, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_programDir(programFolder)
{
    m_images.add(QPixmap(assets::TitlePicture));
    m_images.add(QPixmap(assets::LinkPointer));

    setObjectName(QStringLiteral("frmAbout"));
    toolkit::guardDialog(this); // window-manager hook: no minimise box, never lost
    toolkit::keepOffTaskBar(this);
    setWindowIcon(assets::windowIcon());
    setFixedSize(toolkit::toPxInt(ClientWidth), toolkit::toPxInt(ClientHeight));
    setMouseTracking(true);
    createElements();

    const QSize screen = toolkit::desktop().primaryScreenSize();
    toolkit::desktop().moveWindow(this, QPoint((screen.width() - width()) / 2, (screen.height() - height()) / 2));

    Form_Load();
}

void frmAbout::createElements()
{
    m_imageTitle = new QLabel(this);
    m_imageTitle->setObjectName(QStringLiteral("ImageTitle"));
    m_imageTitle->setGeometry(toolkit::rectFromTwips(120, 120, 2955, 735));
    m_imageTitle->setScaledContents(true);

    m_gif = new GifView(this);
    m_gif->setObjectName(QStringLiteral("Gif"));
    m_gif->setGeometry(toolkit::rectFromTwips(120, 840, 2955, 2295));

    m_frame1 = new SurfaceFrame(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_frame1->setGeometry(toolkit::rectFromTwips(3180, 60, 3255, 2535));
    connect(m_frame1, &SurfaceFrame::surfaceMouseMoved, this, &frmAbout::Frame1_MouseMove);

    m_appName = makeLabel(m_frame1, "lblAppName", QRect(120, 240, 3000, 315), QString(),
                        makeFont(ArialFace, 12, Weight::Bold, Slant::Italic), Qt::AlignHCenter | Qt::AlignTop);
    setTextColor(m_appName, LinkColor);
    m_anno = makeLabel(m_frame1, "lblAnno", QRect(120, 600, 3000, 195), about::Year, font(),
                     Qt::AlignHCenter | Qt::AlignTop);
    m_label2 = makeLabel(m_frame1, "Label2", QRect(120, 1260, 3000, 315), about::AuthorName,
                       makeFont(ArialFace, 14.25, Weight::Bold), Qt::AlignHCenter | Qt::AlignTop);
    m_label5 = makeLabel(m_frame1, "Label5", QRect(480, 1740, 795, 255), QStringLiteral("Sito:"),
                       makeFont(SansSerifFace, 9.75, Weight::Bold));
    m_label6 = makeLabel(m_frame1, "Label6", QRect(480, 2100, 795, 255), QStringLiteral("E-m@il:"),
                       makeFont(SansSerifFace, 9.75, Weight::Bold));

    const std::array<int, LinkCount> linkTops{1740, 2100};
    for (int i = 0; i < LinkCount; ++i) {
        auto *link = new LinkLabel(i, m_frame1);
        link->setObjectName(QStringLiteral("lblIperText_%1").arg(i));
        link->setGeometry(toolkit::rectFromTwips(1380, linkTops[size_t(i)], 1725, 240));
        link->setFont(makeFont(SansSerifFace, 9.75, Weight::Normal));
        setTextColor(link, LinkColor);
        connect(link, &LinkLabel::mouseMoved, this, &frmAbout::lblIperText_MouseMove);
        connect(link, &LinkLabel::clicked, this, &frmAbout::lblIperText_Click);
        m_links[size_t(i)] = link;
    }
    m_links[WebLink]->setText(about::SiteName);
    m_links[WebLink]->setToolTip(about::SiteAddress);
    m_links[MailLink]->setText(about::AuthorEmail);
    m_links[MailLink]->setToolTip(about::EmailTip);

    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdAboutOK"));
    m_okButton->setGeometry(toolkit::rectFromTwips(3180, 2700, 3255, 435));
    m_okButton->setFont(makeFont(ArialBlackFace, 11.25, Weight::Black));
    m_okButton->setAutoDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &frmAbout::cmdAboutOK_Click);
    // The only element that takes the focus, so Enter presses it.
    m_okButton->setFocus();
}

void frmAbout::Form_Load()
{
    const QString title = about::titleAndVersion();
    setWindowTitle(QStringLiteral("About ") + title);
    m_appName->setText(title);

    const QCursor hand(m_images.picture(PointerPictureIndex), assets::LinkPointerHotX, assets::LinkPointerHotY);
    for (LinkLabel *link : m_links)
        link->setCursor(hand);

    m_gif->setFileName(animationPath(m_programDir));

    m_imageTitle->setPixmap(m_images.picture(TitlePictureIndex));
}

void frmAbout::unload()
{
    done(QDialog::Accepted);
}

void frmAbout::cmdAboutOK_Click()
{
    unload();
}

void frmAbout::lblIperText_Click(int Index)
{
    switch (Index) {
    case WebLink:
        unload();
        toolkit::desktop().openUrl(QUrl(m_links[WebLink]->toolTip()));
        break;
    case MailLink:
        unload();
        toolkit::desktop().openUrl(QUrl(QStringLiteral("mailto:") + about::AuthorEmail));
        break;
    default:
        break;
    }
}

void frmAbout::lblIperText_MouseMove(int Index)
{
    LinkLabel *link = lblIperText(Index);
    if (!link)
        return;
    if (hasCustomPointer(link))
        setTextColor(link, HotLinkColor);
    setUnderline(link, true);
}

void frmAbout::Form_MouseMove()
{
    for (LinkLabel *link : m_links) {
        setTextColor(link, LinkColor);
        setUnderline(link, false);
    }
}

void frmAbout::Frame1_MouseMove()
{
    Form_MouseMove();
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // No button cancels the box: Escape is taken and does nothing.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::mouseMoveEvent(QMouseEvent *event)
{
    // Moves an element let through arrive here too; only the bare surface counts.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

QLabel *frmAbout::ImageTitle() const { return m_imageTitle; }
GifView *frmAbout::Gif() const { return m_gif; }
SurfaceFrame *frmAbout::Frame1() const { return m_frame1; }
QLabel *frmAbout::lblAppName() const { return m_appName; }
QLabel *frmAbout::lblAnno() const { return m_anno; }
QLabel *frmAbout::Label2() const { return m_label2; }
QLabel *frmAbout::Label5() const { return m_label5; }
QLabel *frmAbout::Label6() const { return m_label6; }
QPushButton *frmAbout::cmdAboutOK() const { return m_okButton; }

LinkLabel *frmAbout::lblIperText(int Index) const
{
    if (Index < 0 || Index >= LinkCount)
        return nullptr;
    return m_links[size_t(Index)];
}

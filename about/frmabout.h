#pragma once

#include "about/imagelist.h"
#include "toolkit/olecolor.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;
class GifView;
class LinkLabel;
class SurfaceFrame;

// The About box: the program's name and version, a title picture, an
// animation read from the program's directory and two links, one to the
// author's web site and one that starts an e-mail. Shown modally by the
// main window; OK, the close box or a link closes it. Escape does not.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // Text colour of the links at rest and under the mouse.
    static constexpr toolkit::OleColor LinkColor = toolkit::OleColor(0x00C00000);
    static constexpr toolkit::OleColor HotLinkColor = toolkit::ColorRed;
    static constexpr int LinkCount = 2;
    static constexpr int WebLink = 0;
    static constexpr int MailLink = 1;
    // Positions in imgList.
    static constexpr int TitlePictureIndex = 1;
    static constexpr int PointerPictureIndex = 2;

    // The program's data folder once installed, relative to its directory.
    static constexpr char InstalledDataFolder[] = TICKORA_DATA_FROM_PROGRAM;

    // Reads About.gif from the program's directory.
    explicit frmAbout(QWidget *parent = nullptr);
    // Reads About.gif from programDir.
    explicit frmAbout(const QString &programDir, QWidget *parent = nullptr);

    // Where the animation is read: About.gif in programDir when it is there,
    // else the one in the installed data folder when that one is there,
    // else (nothing to play) the name in programDir.
    static QString animationPath(const QString &programDir);

    void cmdAboutOK_Click();
    void lblIperText_Click(int Index);
    void lblIperText_MouseMove(int Index);
    void Form_MouseMove();
    void Frame1_MouseMove();

    // The elements, for the main window and for checks.
    GifView *Gif() const;
    // nullptr for an index outside the array.
    LinkLabel *lblIperText(int Index) const;
    QPushButton *cmdAboutOK() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void createElements();
    void Form_Load();
    void unload();

    QString m_programDir;
    ImageList m_images;
    QLabel *m_imageTitle = nullptr;
    GifView *m_gif = nullptr;
    SurfaceFrame *m_frame1 = nullptr;
    QLabel *m_appName = nullptr;
    QLabel *m_anno = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label5 = nullptr;
    QLabel *m_label6 = nullptr;
    std::array<LinkLabel *, LinkCount> m_links{};
    QPushButton *m_okButton = nullptr;
};

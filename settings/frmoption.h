#pragma once

#include "olecolor.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class Tickdial;
class mdlMain;

namespace settings {
class ClickLabel;
class ColorBox;
} // namespace settings

// The options dialog "Opzioni". Its controls hold the live settings; every
// change shows at once on the dial, the window's stacking or its opacity.
// OK saves and unloads it, Cancel and the close box unload it unsaved.
class frmOption : public QDialog
{
    Q_OBJECT
public:
    explicit frmOption(mdlMain &module);
    ~frmOption() override;

    // Runs once the module holds the new dialog: fills it from the file.
    void Form_Load();

    void chkAutoHide_Click();
    void chkBringToFront_Click();
    void chkTextHours_Click();
    void chkViewBorder_Click();
    void chkViewSecond_Click();

    // The controls, read by the main window and the settings routines.
    QSlider *Slider1() const { return m_Slider1; }
    QPushButton *cmdNormalize() const { return m_cmdNormalize; }
    QCheckBox *chkBringToFront() const { return m_chkBringToFront; }
    QCheckBox *chkAutoHide() const { return m_chkAutoHide; }
    QCheckBox *chkHideBar() const { return m_chkHideBar; }
    QCheckBox *chkViewDate() const { return m_chkViewDate; }
    QCheckBox *chkViewBorder() const { return m_chkViewBorder; }
    QLineEdit *txtBorderWidth() const { return m_txtBorderWidth; }
    QLabel *lblBorderWidth() const { return m_lblBorderWidth; }
    settings::ColorBox *picColorBorder() const { return m_picColorBorder; }
    settings::ClickLabel *lblColorBorder() const { return m_lblColorBorder; }
    QCheckBox *chkTextHours() const { return m_chkTextHours; }
    settings::ColorBox *picColorText() const { return m_picColorText; }
    settings::ClickLabel *lblColorText() const { return m_lblColorText; }
    QCheckBox *chkViewSecond() const { return m_chkViewSecond; }
    settings::ColorBox *picColorSecond() const { return m_picColorSecond; }
    settings::ClickLabel *lblColorSecond() const { return m_lblColorSecond; }
    settings::ColorBox *picColorMinute() const { return m_picColorMinute; }
    settings::ClickLabel *lblColorMinute() const { return m_lblColorMinute; }
    settings::ColorBox *picColorHour() const { return m_picColorHour; }
    settings::ClickLabel *lblColorHour() const { return m_lblColorHour; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }

    // Unloads the dialog with the result given.
    void done(int result) override;

protected:
    // Escape is not a way out: no button is the cancel button.
    void keyPressEvent(QKeyEvent *event) override;

private:
    using DialColorSetter = void (Tickdial::*)(toolkit::OleColor);

    void buildControls();
    void nameControls();
    QCheckBox *addCheckBox(const QString &caption, double left, double top, double width);
    settings::ColorBox *addColorBox(double top, const QString &caption, settings::ClickLabel **label,
                                    DialColorSetter setter);
    void chkViewDate_Click();
    void txtBorderWidth_Change();
    void Slider1_Scroll();
    void cmdNormalize_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void colorBox_Click(settings::ColorBox *box, DialColorSetter setter);
    bool PickColor(QWidget *owner, settings::ColorBox *target);
    void SetMainWindowZOrder(bool topmost);

    mdlMain &m_module;
    QSlider *m_Slider1 = nullptr;
    QPushButton *m_cmdNormalize = nullptr;
    QCheckBox *m_chkBringToFront = nullptr;
    QCheckBox *m_chkAutoHide = nullptr;
    QCheckBox *m_chkHideBar = nullptr;
    QCheckBox *m_chkViewDate = nullptr;
    QCheckBox *m_chkViewBorder = nullptr;
    QLineEdit *m_txtBorderWidth = nullptr;
    QLabel *m_lblBorderWidth = nullptr;
    settings::ColorBox *m_picColorBorder = nullptr;
    settings::ClickLabel *m_lblColorBorder = nullptr;
    QCheckBox *m_chkTextHours = nullptr;
    settings::ColorBox *m_picColorText = nullptr;
    settings::ClickLabel *m_lblColorText = nullptr;
    QCheckBox *m_chkViewSecond = nullptr;
    settings::ColorBox *m_picColorSecond = nullptr;
    settings::ClickLabel *m_lblColorSecond = nullptr;
    settings::ColorBox *m_picColorMinute = nullptr;
    settings::ClickLabel *m_lblColorMinute = nullptr;
    settings::ColorBox *m_picColorHour = nullptr;
    settings::ClickLabel *m_lblColorHour = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};

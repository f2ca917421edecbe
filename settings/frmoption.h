#pragma once

#include "toolkit/olecolor.h"
#include "settings/optionsfile.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class mdlMain;

namespace settings {
class ClickLabel;
class ColorBox;
} // namespace settings

// The options dialog "Opzioni", made each time it opens. It edits a copy
// of the settings record and shows every change at once on the dial, the
// window's stacking or its opacity. OK saves and closes it, Cancel and the
// close box close it unsaved; the main window then applies the file again.
class frmOption : public QDialog
{
    Q_OBJECT
public:
    explicit frmOption(mdlMain &module);
    ~frmOption() override;

    void chkAutoHide_Click();
    void chkBringToFront_Click();
    void chkTextHours_Click();
    void chkViewBorder_Click();
    void chkViewSecond_Click();

    // The record as edited so far.
    const settings::OptionsRecord &Record() const { return m_record; }

    // The controls, for the tests.
    QSlider *Slider1() const { return m_Slider1; }
    QPushButton *cmdNormalize() const { return m_cmdNormalize; }
    QCheckBox *chkBringToFront() const { return m_chkBringToFront; }
    QCheckBox *chkAutoHide() const { return m_chkAutoHide; }
    QCheckBox *chkHideBar() const { return m_chkHideBar; }
    QCheckBox *chkViewDate() const { return m_chkViewDate; }
    QCheckBox *chkViewBorder() const { return m_chkViewBorder; }
    QLineEdit *txtBorderWidth() const { return m_txtBorderWidth; }
    settings::ColorBox *picColorBorder() const { return m_picColorBorder; }
    QCheckBox *chkTextHours() const { return m_chkTextHours; }
    settings::ColorBox *picColorText() const { return m_picColorText; }
    QCheckBox *chkViewSecond() const { return m_chkViewSecond; }
    settings::ColorBox *picColorSecond() const { return m_picColorSecond; }
    settings::ColorBox *picColorMinute() const { return m_picColorMinute; }
    settings::ColorBox *picColorHour() const { return m_picColorHour; }
    QPushButton *cmdOK() const { return m_cmdOK; }
    QPushButton *cmdCancel() const { return m_cmdCancel; }

protected:
    // Escape is not a way out: no button is the cancel button.
    void keyPressEvent(QKeyEvent *event) override;

private:
    using ColorField = toolkit::OleColor settings::OptionsRecord::*;

    void buildControls();
    void nameControls();
    void fitOnScreen();
    void placeBesideMainWindow();
    QCheckBox *addCheckBox(const QString &caption, double left, double top, double width);
    settings::ColorBox *addColorBox(double top, const QString &caption, settings::ClickLabel **label,
                                    ColorField field);
    void Form_Load();
    // Puts one check box's state into the record and shows the change.
    void checkChanged(QCheckBox *box, int settings::OptionsRecord::*field);
    void preview();
    void chkViewDate_Click();
    void txtBorderWidth_Change();
    void Slider1_Scroll();
    void cmdNormalize_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void colorBox_Click(settings::ColorBox *box, ColorField field);
    bool PickColor(QWidget *owner, settings::ColorBox *target);

    mdlMain &m_module;
    settings::OptionsRecord m_record;
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

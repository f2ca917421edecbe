#pragma once

#include "toolkit/olecolor.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;

namespace settings {

// A check box's state as the settings hold it: 1 checked, 0 not.
inline int checkValue(const QCheckBox *box) { return box->isChecked() ? 1 : 0; }
// Any state other than 1 counts as unchecked.
inline void setCheckValue(QCheckBox *box, int value) { box->setChecked(value == 1); }

// A small box whose background is the colour it stands for; a click on it,
// or Space or Enter while it has the focus, is reported. Setting the colour
// reports nothing. Assistive technology sees a button whose description is
// the colour's name.
class ColorBox : public QFrame
{
    Q_OBJECT
public:
    explicit ColorBox(QWidget *parent = nullptr);

    toolkit::OleColor BackColor() const { return m_color; }
    void setBackColor(toolkit::OleColor color);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    toolkit::OleColor m_color = toolkit::ColorBlack;
};

// A label that reports a click.
class ClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace settings

#pragma once

#include "toolkit/olecolor.h"

#include <QPointer>
#include <QWidget>
#include <QtGlobal>

// Makes one top-level window translucent. Every change is applied to the
// window at once; the effect is taken off again when the window is
// replaced, when the mode is set to none and when the object is destroyed.
// On a desktop that cannot make windows translucent it does nothing and
// says so through Supported.
//
// A colour key (one colour of the window made transparent) is kept as a
// value but not applied: a shape cut from one picture of the window would
// not follow its later repaints. The colour-key mode is refused.
class CTranslucentForm
{
public:
    static constexpr int ModeNone = 0;
    static constexpr int ModeColorKey = 1;
    static constexpr int ModeAlpha = 2;
    // Alpha runs from 0, invisible, to Opaque.
    static constexpr int Opaque = 255;

    CTranslucentForm();
    ~CTranslucentForm();
    CTranslucentForm(const CTranslucentForm &) = delete;
    CTranslucentForm &operator=(const CTranslucentForm &) = delete;

    quint8 Alpha() const { return quint8(m_Alpha); }
    void setAlpha(quint8 NewVal);

    toolkit::OleColor ColorKey() const { return m_ColorKey; }
    void setColorKey(toolkit::OleColor NewVal);

    QWidget *hWnd() const { return m_hWnd; }
    void setHWnd(QWidget *NewVal);

    int Mode() const { return m_Mode; }
    void setMode(int NewVal);

    bool Supported() const { return m_Supported; }

private:
    static void RemoveLayering(QWidget *window);
    void AddLayering(QWidget *window);
    void ApplyMode(QWidget *window) const;

    bool m_Supported;
    // Follows the window: a window destroyed before this object reads as none.
    QPointer<QWidget> m_hWnd;
    int m_Alpha = Opaque;
    toolkit::OleColor m_ColorKey = toolkit::ColorButtonFace;
    int m_Mode = ModeAlpha;
};

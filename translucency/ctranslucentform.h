#pragma once

#include "olecolor.h"
#include "windowsystem.h"

#include <QPointer>
#include <QWidget>
#include <QtGlobal>

// Makes one top-level window translucent, or cuts one colour out of it,
// through the window system's layered windows. Every change is applied to
// the window at once; the effect is taken off again when the window is
// replaced, when the mode is set to none and when the object is destroyed.
class CTranslucentForm
{
public:
    // The modes are the layered-window flags they apply.
    static constexpr int ModeNone = 0;
    static constexpr int ModeColorKey = translucency::LWA_COLORKEY;
    static constexpr int ModeAlpha = translucency::LWA_ALPHA;

    explicit CTranslucentForm(translucency::WindowSystem &windows = translucency::realWindowSystem());
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
    toolkit::OleColor TranslateColor(toolkit::OleColor color) const;
    void RemoveLayering(QWidget *window);
    void AddLayering(QWidget *window);
    void ApplyMode(QWidget *window);

    translucency::WindowSystem &m_windows;
    bool m_Supported;
    // Follows the window: a window destroyed before this object reads as none.
    QPointer<QWidget> m_hWnd;
    int m_Alpha = 255;
    toolkit::OleColor m_ColorKey = toolkit::ColorButtonFace;
    int m_Mode = ModeAlpha;
};

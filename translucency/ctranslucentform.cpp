#include "translucency/ctranslucentform.h"

#include "toolkit/desktop.h"

using toolkit::OleColor;

namespace {
double opacityOf(int alpha) { return double(alpha) / CTranslucentForm::Opaque; }
} // namespace

CTranslucentForm::CTranslucentForm()
    : m_Supported(toolkit::desktop().canSetWindowOpacity())
{
}

CTranslucentForm::~CTranslucentForm()
{
    RemoveLayering(m_hWnd);
}

void CTranslucentForm::setAlpha(quint8 NewVal)
{
    if (!m_Supported)
        return;
    if (m_Mode == ModeAlpha) {
        // With no window there is nothing to change, and nothing is kept.
        if (!m_hWnd)
            return;
        m_Alpha = NewVal;
        ApplyMode(m_hWnd);
        return;
    }
    m_Alpha = NewVal;
    m_Mode = ModeAlpha;
    ApplyMode(m_hWnd);
}

void CTranslucentForm::setColorKey(OleColor NewVal)
{
    if (m_Supported)
        m_ColorKey = NewVal;
}

void CTranslucentForm::setHWnd(QWidget *NewVal)
{
    if (!m_Supported)
        return;
    RemoveLayering(m_hWnd);
    m_hWnd = NewVal;
    AddLayering(m_hWnd);
}

void CTranslucentForm::setMode(int NewVal)
{
    switch (NewVal) {
    case ModeNone:
        m_Mode = ModeNone;
        RemoveLayering(m_hWnd);
        break;
    case ModeAlpha:
        m_Mode = ModeAlpha;
        ApplyMode(m_hWnd);
        break;
    default: // the colour-key mode too: see the class comment
        break;
    }
}

void CTranslucentForm::RemoveLayering(QWidget *window)
{
    if (window)
        toolkit::desktop().setWindowOpacity(window, opacityOf(Opaque));
}

// A window newly attached starts fully opaque.
void CTranslucentForm::AddLayering(QWidget *window)
{
    if (!window)
        return;
    m_Alpha = Opaque;
    toolkit::desktop().setWindowOpacity(window, opacityOf(Opaque));
}

void CTranslucentForm::ApplyMode(QWidget *window) const
{
    if (window && m_Mode == ModeAlpha)
        toolkit::desktop().setWindowOpacity(window, opacityOf(m_Alpha));
}

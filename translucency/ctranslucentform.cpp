#include "ctranslucentform.h"

using namespace translucency;
using toolkit::OleColor;

namespace {
// Layered windows appeared with this major version of the window system.
constexpr int LayeredWindowsVersion = 5;
constexpr int Opaque = 255;
constexpr OleColor NoKey = 0;
} // namespace

CTranslucentForm::CTranslucentForm(WindowSystem &windows)
    : m_windows(windows)
    , m_Supported(windows.majorVersion() >= LayeredWindowsVersion)
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
    switch (m_Mode) {
    case ModeNone:
    case ModeColorKey:
        m_Alpha = NewVal;
        m_Mode = ModeAlpha;
        ApplyMode(m_hWnd);
        break;
    case ModeAlpha:
        if (m_windows.SetLayeredWindowAttributes(m_hWnd, NoKey, NewVal, LWA_ALPHA))
            m_Alpha = NewVal;
        break;
    default:
        break;
    }
}

void CTranslucentForm::setColorKey(OleColor NewVal)
{
    if (!m_Supported)
        return;
    switch (m_Mode) {
    case ModeNone:
    case ModeAlpha:
        m_ColorKey = NewVal;
        m_Mode = ModeColorKey;
        ApplyMode(m_hWnd);
        break;
    case ModeColorKey:
        if (m_windows.SetLayeredWindowAttributes(m_hWnd, TranslateColor(NewVal), 0, LWA_COLORKEY))
            m_ColorKey = NewVal;
        break;
    default:
        break;
    }
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
    case ModeColorKey:
    case ModeAlpha:
        m_Mode = NewVal;
        ApplyMode(m_hWnd);
        break;
    default:
        break;
    }
}

OleColor CTranslucentForm::TranslateColor(OleColor color) const
{
    if (color >= 0)
        return color;
    return m_windows.GetSysColor(int(color & ~toolkit::SystemColorFlag));
}

void CTranslucentForm::RemoveLayering(QWidget *window)
{
    if (!window)
        return;
    m_windows.SetLayeredWindowAttributes(window, NoKey, Opaque, LWA_ALPHA);
    const long style = m_windows.GetWindowLong(window);
    m_windows.SetWindowLong(window, style & ~WS_EX_LAYERED);
}

void CTranslucentForm::AddLayering(QWidget *window)
{
    if (!window)
        return;
    const long style = m_windows.GetWindowLong(window);
    if (!m_windows.SetWindowLong(window, style | WS_EX_LAYERED))
        return;
    m_Alpha = Opaque;
    m_windows.SetLayeredWindowAttributes(window, NoKey, Opaque, LWA_ALPHA);
}

void CTranslucentForm::ApplyMode(QWidget *window)
{
    if (!window || m_Mode == ModeNone)
        return;
    // Clearing and setting the layered bit in turn resets the window's
    // layered state before the new attributes go on.
    const long style = m_windows.GetWindowLong(window) & ~WS_EX_LAYERED;
    if (!m_windows.SetWindowLong(window, style))
        return;
    if (!m_windows.SetWindowLong(window, style | WS_EX_LAYERED))
        return;
    if (m_Mode == ModeColorKey)
        m_windows.SetLayeredWindowAttributes(window, TranslateColor(m_ColorKey), 0, LWA_COLORKEY);
    else if (m_Mode == ModeAlpha)
        m_windows.SetLayeredWindowAttributes(window, NoKey, m_Alpha, LWA_ALPHA);
}

#pragma once

#include "windowsystem.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QWidget>

// A window system that records every call by the window's object name and
// can be told to fail the next calls of a kind.
class FakeWindowSystem : public translucency::WindowSystem
{
public:
    static constexpr toolkit::OleColor ButtonFace = 0x00D4D0C8;

    int version = 5;
    QStringList calls;
    QHash<QWidget *, long> styles;
    // Results of the next calls, front first; once empty every call succeeds
    // (a layered-attributes call also needs a window with the layered style).
    QList<bool> setWindowLongResults;
    QList<bool> setLayeredResults;

    int majorVersion() const override { return version; }

    long GetWindowLong(QWidget *hWnd) override
    {
        calls << QStringLiteral("GetWindowLong(%1)").arg(name(hWnd));
        return styles.value(hWnd);
    }

    bool SetWindowLong(QWidget *hWnd, long style) override
    {
        calls << QStringLiteral("SetWindowLong(%1,0x%2)").arg(name(hWnd)).arg(style, 0, 16);
        if (!next(setWindowLongResults) || !hWnd)
            return false;
        styles[hWnd] = style;
        return true;
    }

    bool SetLayeredWindowAttributes(QWidget *hWnd, toolkit::OleColor key, int alpha, int flags) override
    {
        calls << QStringLiteral("SetLayered(%1,%2,%3,%4)").arg(name(hWnd)).arg(key).arg(alpha).arg(flags);
        return next(setLayeredResults) && hWnd && (styles.value(hWnd) & translucency::WS_EX_LAYERED);
    }

    toolkit::OleColor GetSysColor(int index) override
    {
        calls << QStringLiteral("GetSysColor(%1)").arg(index);
        return index == 15 ? ButtonFace : 0x00010203;
    }

private:
    static QString name(QWidget *w) { return w ? w->objectName() : QStringLiteral("0"); }
    static bool next(QList<bool> &results) { return results.isEmpty() ? true : results.takeFirst(); }
};

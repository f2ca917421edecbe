#pragma once

#include "toolkit/desktop.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <functional>

// A desktop for tests, installed while it lives: settable clock, cursor and screens, dialogs that never block.
class FakeDesktop : public toolkit::Desktop
{
public:
    FakeDesktop() { toolkit::setDesktop(this); }
    ~FakeDesktop() override { toolkit::setDesktop(nullptr); }

    QDateTime time = QDateTime(QDate(2026, 3, 4), QTime(3, 0, 0));
    QPoint cursor = QPoint(0, 0);
    bool buttonHeld = false;
    QSize screen = QSize(1280, 1024);      // the primary screen, at (0, 0)
    QList<QRect> moreScreens;
    QDateTime wake;                       // the wake-up asked for; invalid: none
    QStringList messages;
    QVector<QUrl> openedUrls;
    QHash<QWidget *, double> opacity;
    bool opacityWorks = true;
    QHash<QWidget *, bool> onTop;
    // Answers the colour chooser; nullopt is a cancel.
    std::optional<QColor> colorAnswer;
    // Runs while a modal dialog is "open" and gives its result; without it the dialog is rejected at once.
    std::function<int(QDialog *)> onModal;
    int modalCount = 0;

    // What the program subscribed to: the desktop reports only that, as the real one does.
    bool watchingTime = false;
    bool watchingScreens = false;
    bool watchingPointer = false;
    bool followingPointer = false;
    // The place each window claimed the right edge for, as the real desktop's strut; none: no claim.
    QHash<QWidget *, QRect> edgeClaims;

    QDateTime now() const override { return time; }
    QPoint cursorPos() const override { return cursor; }
    bool pointerButtonHeld() const override { return buttonHeld; }
    QSize primaryScreenSize() const override { return screen; }
    QList<QRect> screens() const override { return QList<QRect>{QRect(QPoint(), screen)} + moreScreens; }
    void wakeAt(const QDateTime &when) override { wake = when; }
    void watchTimeJumps() override { watchingTime = true; }
    void watchScreens() override { watchingScreens = true; }
    void watchPointer() override { watchingPointer = true; }
    void followPointer(bool on) override { followingPointer = on; }
    void watchStrip(QWidget *, const QRect &) override {}
    // The desktop's events, each only when subscribed to.
    void movePointer(QPoint to)
    {
        cursor = to;
        if (watchingPointer || followingPointer)
            emit toolkit::desktopEvents().pointerMoved();
    }
    void changeScreens()
    {
        if (watchingScreens)
            emit toolkit::desktopEvents().screensChanged();
    }
    void fireWake() { time = wake; emit toolkit::desktopEvents().wake(); }
    void jumpTo(const QDateTime &to)
    {
        time = to;
        if (watchingTime)
            emit toolkit::desktopEvents().timeChanged();
    }
    void moveWindow(QWidget *window, QPoint topLeft) override { window->move(topLeft); }
    // A claim is held beyond the edge, kept against it and given back elsewhere.
    void claimRightEdge(QWidget *window, const QRect &place) override
    {
        int right = 0;
        for (const QRect &each : screens())
            right = std::max(right, each.right());
        if (place.right() > right)
            edgeClaims[window] = place;
        else if (place.right() < right)
            edgeClaims.remove(window);
    }
    bool canSetWindowOpacity() const override { return opacityWorks; }
    void setWindowOpacity(QWidget *window, double value) override { opacity[window] = value; }
    void setAlwaysOnTop(QWidget *window, bool value) override { onTop[window] = value; }
    bool startSystemResize(QWidget *, Qt::Edges) override { return true; }
    int execModal(QDialog *dialog) override
    {
        ++modalCount;
        // A dialog that unloads itself may be deleted while onModal runs.
        const QPointer<QDialog> alive(dialog);
        const int result = onModal ? onModal(dialog) : int(QDialog::Rejected);
        if (alive && alive->isVisible())
            alive->done(result);
        return result;
    }
    void messageBox(QWidget *, const QString &text, const QString &, toolkit::MessageIcon) override { messages << text; }
    std::optional<QColor> chooseColor(QWidget *) override { return colorAnswer; }
    void openUrl(const QUrl &url) override { openedUrls.push_back(url); }
};

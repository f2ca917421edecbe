#pragma once

#include "toolkit/desktop.h"

#include <QDialog>
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

    QDateTime now() const override { return time; }
    QPoint cursorPos() const override { return cursor; }
    QSize primaryScreenSize() const override { return screen; }
    QList<QRect> screens() const override { return QList<QRect>{QRect(QPoint(), screen)} + moreScreens; }
    void wakeAt(const QDateTime &when) override { wake = when; }
    void followPointer(bool) override {}
    // The desktop's events.
    void movePointer(QPoint to) { cursor = to; emit toolkit::desktopEvents().pointerMoved(); }
    void changeScreens() { emit toolkit::desktopEvents().screensChanged(); }
    void fireWake() { time = wake; emit toolkit::desktopEvents().wake(); }
    void jumpTo(const QDateTime &to) { time = to; emit toolkit::desktopEvents().timeChanged(); }
    void moveWindow(QWidget *window, QPoint topLeft) override { window->move(topLeft); }
    bool canSetWindowOpacity() const override { return opacityWorks; }
    void setWindowOpacity(QWidget *window, double value) override { opacity[window] = value; }
    void setAlwaysOnTop(QWidget *window, bool value) override { onTop[window] = value; }
    bool startSystemMove(QWidget *) override { return true; }
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

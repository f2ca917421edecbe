#pragma once

#include <QColor>
#include <QDateTime>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QUrl>
#include <optional>

class QDialog;
class QWidget;

namespace toolkit {

enum class MessageIcon { Critical, Exclamation, Information };

// Everything the program asks of the desktop goes through this one seam:
// the time of day, the screen and the cursor, window opacity, stacking,
// moves and resizes, modal dialogs, the colour chooser and opening links.
// The program runs with the real desktop; tests install a fake.
class Desktop
{
public:
    virtual ~Desktop() = default;

    // The current local date and time.
    virtual QDateTime now() const = 0;

    // The cursor's position on the screen and the primary screen's size,
    // in device-independent pixels.
    virtual QPoint cursorPos() const = 0;
    virtual QSize primaryScreenSize() const = 0;

    // Top-level windows.
    virtual void moveWindow(QWidget *window, QPoint topLeft) = 0;
    // Whether window opacity takes effect here: it needs a window system
    // that lets a compositor take the opacity from the client.
    virtual bool canSetWindowOpacity() const = 0;
    virtual void setWindowOpacity(QWidget *window, double opacity) = 0;
    virtual void setAlwaysOnTop(QWidget *window, bool onTop) = 0;
    // Lets the window manager move the window with the mouse while a button
    // is held. Returns false when it cannot; the caller then moves it itself.
    virtual bool startSystemMove(QWidget *window) = 0;
    // Lets the window manager resize the window from the given edges while
    // a button is held. Returns false when it cannot.
    virtual bool startSystemResize(QWidget *window, Qt::Edges edges) = 0;

    // Shows a dialog modally; returns its result when it closes.
    virtual int execModal(QDialog *dialog) = 0;
    // A modal message box with an OK button.
    virtual void messageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon) = 0;
    // The colour chooser; nothing when the user cancels.
    virtual std::optional<QColor> chooseColor(QWidget *owner) = 0;
    // Hands an address to the desktop's handler (browser, e-mail program).
    virtual void openUrl(const QUrl &url) = 0;
};

// The desktop in use. Passing nullptr to setDesktop restores the real one.
Desktop &desktop();
void setDesktop(Desktop *replacement);

// A message box through the seam (title, text and icon as given).
inline void MsgBox(QWidget *parent, const QString &text, MessageIcon icon, const QString &title)
{
    desktop().messageBox(parent, text, title, icon);
}

} // namespace toolkit

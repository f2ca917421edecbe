#include "desktop.h"
#include "edgestrip.h"
#include "pointerwatch.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace toolkit {

namespace {

class RealDesktop final : public Desktop
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }

    QPoint cursorPos() const override
    {
        // Made at the first look, once the application's connection to the
        // window system is open.
        if (!m_pointer)
            m_pointer = std::make_unique<PointerWatch>();
        return m_pointer->pos();
    }

    QSize primaryScreenSize() const override
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        return screen ? screen->geometry().size() : QSize();
    }

    void moveWindow(QWidget *window, QPoint topLeft) override
    {
        claimRightEdge(window, QRect(topLeft, window->size()), primaryScreenSize().width());
        if (window->pos() != topLeft)
            window->move(topLeft);
    }

    void setWindowOpacity(QWidget *window, double opacity) override
    {
        window->setWindowOpacity(opacity);
    }

    void setWindowMask(QWidget *window, const QRegion &mask) override
    {
        if (mask.isEmpty())
            window->clearMask();
        else
            window->setMask(mask);
    }

    void setAlwaysOnTop(QWidget *window, bool onTop) override
    {
        // Changing the Qt::WindowStaysOnTopHint flag on a shown widget would
        // unmap and remap it; the platform window changes its state in place
        // (_NET_WM_STATE_ABOVE on X11).
        if (QWindow *handle = window->windowHandle()) {
            Qt::WindowFlags flags = handle->flags();
            flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
            handle->setFlags(flags);
        } else {
            window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        }
    }

    bool startSystemMove(QWidget *window) override
    {
        QWindow *handle = window->windowHandle();
        return handle && handle->startSystemMove();
    }

    int execModal(QDialog *dialog) override { return dialog->exec(); }

    void messageBox(QWidget *parent, const QString &text, const QString &title, MessageIcon icon) override
    {
        QMessageBox box(icon == MessageIcon::Critical      ? QMessageBox::Critical
                        : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                           : QMessageBox::Information,
                        title, text, QMessageBox::Ok, parent);
        box.exec();
    }

    std::optional<QColor> chooseColor(QWidget *owner) override
    {
        // Starts on black, as a chooser given no initial colour does.
        const QColor chosen = QColorDialog::getColor(Qt::black, owner);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }

    void openUrl(const QUrl &url) override { QDesktopServices::openUrl(url); }

private:
    mutable std::unique_ptr<PointerWatch> m_pointer;
};

RealDesktop &realDesktop()
{
    static RealDesktop instance;
    return instance;
}

Desktop *current = nullptr;

} // namespace

Desktop &desktop()
{
    return current ? *current : realDesktop();
}

void setDesktop(Desktop *replacement)
{
    current = replacement;
}

} // namespace toolkit

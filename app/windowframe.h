#pragma once

#include <QObject>
#include <QSize>
#include <functional>

class QWidget;

// The main window's resizable frame: a raised border as thick as the
// sizing border around the client area, the sizing cursors over its edges,
// and a press there handing the resize to the window manager. Resizing
// from code tells the window manager the minimum size as well, so that a
// resize by the frame stops there: the layout's snap-back after the fact
// would race with the window manager's interactive resize.
class WindowFrame final : public QObject
{
public:
    // The width of the frame around the client area, in pixels.
    static constexpr int FramePx = 4;

    // The layout runs after every size change, also one that a hidden
    // window takes without a resize event.
    WindowFrame(QWidget *window, QWidget *client, std::function<void()> layout);

    // The window's outer size for a client area of that size.
    static QSize outerSize(QSize client) { return client + QSize(2 * FramePx, 2 * FramePx); }

    // The minimum is lowered before the size changes and raised after it
    // (holdMinimum), never making a resize of its own that could overtake
    // the one asked for.
    void resize(QSize size, QSize minimum);
    void holdMinimum(QSize minimum);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Qt::Edges edgesAt(QPoint pos) const;
    void placeClient();

    QWidget *m_window;
    QWidget *m_client;
    std::function<void()> m_layout;
    bool m_resizeSeen = false;
};

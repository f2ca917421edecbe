#pragma once

#include "worldclock/worldoptions.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

class QLabel;
class QWidget;
class Tickdial;

// The other time zones on the window: one line each under the panel's time
// label, the same lines in the dial's tooltip, and the first zone's hand on
// the dial when asked for. With no zone nothing of this shows and the
// window is exactly the designed one.
class WorldView : public QObject
{
    Q_OBJECT
public:
    // panel: the widget that holds the panel's labels.
    WorldView(Tickdial &dial, QWidget *panel);

    void setOptions(const worldclock::ZoneOptions &options);
    const worldclock::ZoneOptions &options() const { return m_options; }

    // Brings the lines and the hand to the given moment; the text is made
    // again only when the minute or the local offset changed.
    void showTime(const QDateTime &now);

    // Places the lines below the given label, as wide and as far left;
    // returns the height they take in the panel, twips (0 without zones).
    double placeBelow(const QWidget *label);
    // The height the lines take in the panel now, twips.
    double panelHeight() const;

    QLabel *linesLabel() const { return m_lines; }

signals:
    // The number of lines changed: the panel's layout must make room.
    void panelHeightChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList linesAt(const QDateTime &now) const;

    Tickdial &m_dial;
    QLabel *m_lines;
    worldclock::ZoneOptions m_options;
    qint64 m_shownMinute = -1;  // minutes since the epoch the lines show
    int m_shownOffset = 0;      // the local offset they were made with
};

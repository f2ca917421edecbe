#pragma once

#include <QDate>
#include <QWidget>

namespace agenda {

class Agenda;

// Under the calendar: what is still to come on the selected day, one event
// a line, as many lines as fit, the last saying how many more there are.
// It has no timer of its own: the window's clock tells it each minute.
class AgendaView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int DefaultLines = 4;

    explicit AgendaView(Agenda &agenda, QWidget *parent = nullptr);

    void setDate(QDate day);
    QDate date() const { return m_date; }
    // The lines as shown (and read by a screen reader).
    QStringList shownLines() const;
    // The height that shows the given number of lines.
    int heightForLines(int lines) const;
    // Drops what has ended since.
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Line
    {
        QString text;
        QColor color; // invalid: no mark
    };
    QList<Line> lines() const;

    Agenda &m_agenda;
    QDate m_date;
};

} // namespace agenda

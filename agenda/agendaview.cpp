#include "agenda/agendaview.h"

#include "agenda/agenda.h"
#include "toolkit/desktop.h"

#include <QPainter>

namespace agenda {

namespace {
constexpr int Margin = 2;
constexpr int MarkGap = 4;
} // namespace

AgendaView::AgendaView(Agenda &agenda, QWidget *parent)
    : QWidget(parent)
    , m_agenda(agenda)
    , m_date(toolkit::desktop().now().date())
{
    setAccessibleName(QStringLiteral("Impegni del giorno"));
    connect(&agenda, &Agenda::changed, this, &AgendaView::refresh);
    setFixedHeight(heightForLines(DefaultLines));
}

void AgendaView::setDate(QDate day)
{
    if (day == m_date)
        return;
    m_date = day;
    refresh();
}

int AgendaView::heightForLines(int lines) const
{
    return lines * fontMetrics().lineSpacing() + 2 * Margin;
}

QList<AgendaView::Line> AgendaView::lines() const
{
    QList<Line> all;
    for (const DayLine &line : m_agenda.nextLines(m_date))
        all.push_back({line.text, line.color});
    if (all.isEmpty())
        return {{QStringLiteral("Nessun impegno"), QColor()}};
    const int fit = std::max(1, (height() - 2 * Margin) / fontMetrics().lineSpacing());
    if (all.size() > fit) {
        const int more = int(all.size()) - (fit - 1);
        all.resize(fit - 1);
        all.push_back({more == 1 ? QStringLiteral("e un altro impegno") : QStringLiteral("e altri %1 impegni").arg(more),
                       QColor()});
    }
    return all;
}

QStringList AgendaView::shownLines() const
{
    QStringList texts;
    for (const Line &line : lines())
        texts << line.text;
    return texts;
}

void AgendaView::refresh()
{
    setAccessibleDescription(shownLines().join(QStringLiteral("; ")));
    update();
}

void AgendaView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int spacing = metrics.lineSpacing();
    const int mark = metrics.ascent() / 2;
    int y = Margin;
    for (const Line &line : lines()) {
        const QRect row(Margin, y, width() - 2 * Margin, spacing);
        if (line.color.isValid())
            painter.fillRect(QRect(row.left(), row.center().y() - mark / 2, mark, mark), line.color);
        const QRect textRect = row.adjusted(mark + MarkGap, 0, 0, 0);
        painter.setPen(palette().color(line.color.isValid() ? QPalette::WindowText : QPalette::PlaceholderText));
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(line.text, Qt::ElideRight, textRect.width()));
        y += spacing;
    }
}

void AgendaView::showEvent(QShowEvent *event)
{
    refresh();
    QWidget::showEvent(event);
}

void AgendaView::resizeEvent(QResizeEvent *event)
{
    refresh();
    QWidget::resizeEvent(event);
}

} // namespace agenda

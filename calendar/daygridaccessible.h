#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

class MonthCalendar;
class QAbstractItemView;

// What a screen reader reads of the month grid: each day's cell is named by
// its long date, as the panel's date label writes it, and described by the
// day's names ("Lunedì dell'Angelo"); Qt's own cells say only the number.
// The cells are numbered as Qt's item views number them in their focus
// notifications (row by row, the headers hidden), so those notifications
// land on these cells.
class DayGridAccessible : public QAccessibleWidget
{
public:
    explicit DayGridAccessible(QAbstractItemView *grid);
    ~DayGridAccessible() override;

    // Installs the interface for every month calendar's grid.
    static void install();

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *focusChild() const override;
    QAccessibleInterface *childAt(int x, int y) const override;

    QAbstractItemView *grid() const;
    MonthCalendar *calendar() const;

private:
    mutable std::vector<QAccessibleInterface *> m_cells; // made when first asked for
};

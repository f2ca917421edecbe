#include "calendar/daygridaccessible.h"

#include "calendar/monthcalendar.h"
#include "toolkit/dateformat.h"

#include <QAbstractItemView>

namespace {

// One cell of the grid: a day, a week number or a weekday's initial.
class DayCellAccessible : public QAccessibleInterface
{
public:
    DayCellAccessible(const DayGridAccessible *grid, int index)
        : m_grid(grid), m_index(index) {}

    bool isValid() const override { return m_grid->isValid() && modelIndex().isValid(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid->window(); }
    QAccessibleInterface *parent() const override { return const_cast<DayGridAccessible *>(m_grid); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text t) const override
    {
        const QModelIndex index = modelIndex();
        const QDate date = m_grid->calendar()->dateAt(index.row(), index.column());
        if (t == QAccessible::Name)
            return date.isValid() ? toolkit::longDate(date, m_grid->calendar()->locale())
                                  : index.data().toString();
        if (t == QAccessible::Description && date.isValid())
            return m_grid->calendar()->dayNames(date).join(QStringLiteral(", "));
        return {};
    }

    QRect rect() const override
    {
        QAbstractItemView *view = m_grid->grid();
        const QRect cell = view->visualRect(modelIndex());
        return QRect(view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        QAbstractItemView *view = m_grid->grid();
        const QModelIndex index = modelIndex();
        state.focusable = state.selectable = true;
        state.focused = view->hasFocus() && view->currentIndex() == index;
        state.selected = view->selectionModel() && view->selectionModel()->isSelected(index);
        state.invisible = !view->isVisible();
        return state;
    }

private:
    QModelIndex modelIndex() const
    {
        const QAbstractItemModel *model = m_grid->grid()->model();
        const int columns = model->columnCount();
        return columns ? model->index(m_index / columns, m_index % columns) : QModelIndex();
    }

    const DayGridAccessible *m_grid;
    int m_index;
};

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    // Qt's calendar view, inside a MonthCalendar.
    if (className != QLatin1String("QCalendarView") || !object->isWidgetType())
        return nullptr;
    auto *view = qobject_cast<QAbstractItemView *>(object);
    if (!view || !qobject_cast<MonthCalendar *>(view->parentWidget()))
        return nullptr;
    return new DayGridAccessible(view);
}

} // namespace

DayGridAccessible::DayGridAccessible(QAbstractItemView *grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

DayGridAccessible::~DayGridAccessible()
{
    for (QAccessibleInterface *cell : m_cells)
        if (cell)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell));
}

void DayGridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAbstractItemView *DayGridAccessible::grid() const
{
    return static_cast<QAbstractItemView *>(widget());
}

MonthCalendar *DayGridAccessible::calendar() const
{
    return static_cast<MonthCalendar *>(grid()->parentWidget());
}

int DayGridAccessible::childCount() const
{
    const QAbstractItemModel *model = grid()->model();
    return model->rowCount() * model->columnCount();
}

QAccessibleInterface *DayGridAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (size_t(index) >= m_cells.size())
        m_cells.resize(size_t(childCount()), nullptr);
    QAccessibleInterface *&cell = m_cells[size_t(index)];
    if (!cell) {
        cell = new DayCellAccessible(this, index);
        QAccessible::registerAccessibleInterface(cell);
    }
    return cell;
}

int DayGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto it = std::find(m_cells.cbegin(), m_cells.cend(), child);
    return it == m_cells.cend() ? -1 : int(it - m_cells.cbegin());
}

QAccessibleInterface *DayGridAccessible::focusChild() const
{
    const QModelIndex current = grid()->currentIndex();
    if (!grid()->hasFocus() || !current.isValid())
        return nullptr;
    return child(current.row() * grid()->model()->columnCount() + current.column());
}

QAccessibleInterface *DayGridAccessible::childAt(int x, int y) const
{
    const QModelIndex index = grid()->indexAt(grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    if (!index.isValid())
        return nullptr;
    return child(index.row() * grid()->model()->columnCount() + index.column());
}

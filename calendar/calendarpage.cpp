#include "calendar/calendarpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int MonthsInYear = 12;
// A leap year, so that 29 February can be chosen.
constexpr int AnyLeapYear = 2000;

// The page is in Italian whatever the system's language, as the rest of
// the dialog.
QLocale italian() { return QLocale(QLocale::Italian, QLocale::Italy); }

// "7 dicembre: Sant'Ambrogio"
QString describe(const calendar::UserDay &day)
{
    return QStringLiteral("%1 %2: %3")
        .arg(day.day)
        .arg(italian().monthName(day.month, QLocale::LongFormat), day.name);
}

} // namespace

CalendarPage::CalendarPage(const calendar::CalendarOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_options(options)
{
    m_weekNumbers = new QCheckBox(QStringLiteral("Mostra i &numeri delle settimane"), this);
    m_weekNumbers->setChecked(options.weekNumbers);
    m_holidays = new QCheckBox(QString::fromUtf8("Mostra le &festività nazionali"), this);
    m_holidays->setChecked(options.holidays);

    auto *group = new QGroupBox(QStringLiteral("Ricorrenze personali"), this);
    m_list = new QListWidget(group);
    m_list->setAccessibleName(QStringLiteral("Ricorrenze personali"));
    m_name = new QLineEdit(group);
    m_day = new QSpinBox(group);
    m_day->setRange(1, 31);
    m_month = new QComboBox(group);
    for (int month = 1; month <= MonthsInYear; ++month)
        m_month->addItem(italian().monthName(month, QLocale::LongFormat), month);
    m_add = new QPushButton(QStringLiteral("A&ggiungi"), group);
    m_edit = new QPushButton(QStringLiteral("&Modifica"), group);
    m_remove = new QPushButton(QStringLiteral("&Rimuovi"), group);

    auto *when = new QHBoxLayout;
    when->addWidget(m_day);
    when->addWidget(m_month, 1);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("N&ome:"), m_name);
    auto *whenLabel = new QLabel(QStringLiteral("&Giorno:"), group);
    whenLabel->setBuddy(m_day);
    fields->addRow(whenLabel, when);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_list);
    groupLayout->addLayout(fields);
    groupLayout->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_weekNumbers);
    layout->addWidget(m_holidays);
    layout->addWidget(group, 1);

    connect(m_weekNumbers, &QCheckBox::toggled, this, [this](bool on) {
        m_options.weekNumbers = on;
        emit changed();
    });
    connect(m_holidays, &QCheckBox::toggled, this, [this](bool on) {
        m_options.holidays = on;
        emit changed();
    });
    connect(m_list, &QListWidget::currentRowChanged, this, &CalendarPage::showSelected);
    connect(m_name, &QLineEdit::textChanged, this, &CalendarPage::updateButtons);
    // No 31 April: the day follows the month's length (29 for February).
    connect(m_month, &QComboBox::currentIndexChanged, this, [this] {
        m_day->setMaximum(QDate(AnyLeapYear, m_month->currentData().toInt(), 1).daysInMonth());
    });
    connect(m_add, &QPushButton::clicked, this, &CalendarPage::addDay);
    connect(m_edit, &QPushButton::clicked, this, &CalendarPage::editDay);
    connect(m_remove, &QPushButton::clicked, this, &CalendarPage::removeDay);
    fillList(-1);
}

void CalendarPage::fillList(int select)
{
    m_list->clear();
    for (const calendar::UserDay &day : m_options.days)
        m_list->addItem(describe(day));
    m_list->setCurrentRow(select);
    updateButtons();
}

void CalendarPage::showSelected()
{
    const int row = m_list->currentRow();
    if (row >= 0 && row < m_options.days.size()) {
        const calendar::UserDay &day = m_options.days.at(row);
        m_name->setText(day.name);
        m_month->setCurrentIndex(day.month - 1);
        m_day->setValue(day.day);
    }
    updateButtons();
}

void CalendarPage::updateButtons()
{
    const bool named = !m_name->text().trimmed().isEmpty();
    const bool selected = m_list->currentRow() >= 0;
    m_add->setEnabled(named);
    m_edit->setEnabled(named && selected);
    m_remove->setEnabled(selected);
}

calendar::UserDay CalendarPage::dayInFields() const
{
    return {m_day->value(), m_month->currentData().toInt(), m_name->text().trimmed()};
}

// The list stays in calendar order, the day just changed selected.
void CalendarPage::setDays(QList<calendar::UserDay> days, const calendar::UserDay &select)
{
    std::stable_sort(days.begin(), days.end(), [](const calendar::UserDay &a, const calendar::UserDay &b) {
        return std::pair(a.month, a.day) < std::pair(b.month, b.day);
    });
    m_options.days = days;
    fillList(int(days.indexOf(select)));
    emit changed();
}

void CalendarPage::addDay()
{
    const calendar::UserDay day = dayInFields();
    if (day.name.isEmpty())
        return;
    setDays(m_options.days + QList{day}, day);
}

void CalendarPage::editDay()
{
    const int row = m_list->currentRow();
    const calendar::UserDay day = dayInFields();
    if (row < 0 || day.name.isEmpty())
        return;
    QList<calendar::UserDay> days = m_options.days;
    days[row] = day;
    setDays(days, day);
}

void CalendarPage::removeDay()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    QList<calendar::UserDay> days = m_options.days;
    days.removeAt(row);
    m_name->clear();
    setDays(days, {});
}

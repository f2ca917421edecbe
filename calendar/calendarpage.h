#pragma once

#include "calendar/calendaroptions.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

// The page "Calendario" of "Altre opzioni…": week numbers, holidays and the
// user's own yearly days (add, edit, remove). Every change is told at once.
class CalendarPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr char Title[] = "Calendario";

    explicit CalendarPage(const calendar::CalendarOptions &options, QWidget *parent = nullptr);

    // What the page shows now.
    calendar::CalendarOptions options() const { return m_options; }

    // The controls, for the tests.
    QCheckBox *weekNumbers() const { return m_weekNumbers; }
    QCheckBox *holidays() const { return m_holidays; }
    QListWidget *days() const { return m_list; }
    QLineEdit *dayName() const { return m_name; }
    QSpinBox *dayOfMonth() const { return m_day; }
    QComboBox *month() const { return m_month; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *removeButton() const { return m_remove; }

signals:
    void changed();

private:
    void fillList(int select);
    void showSelected();
    void updateButtons();
    void addDay();
    void editDay();
    void removeDay();
    void setDays(QList<calendar::UserDay> days, const calendar::UserDay &select);
    calendar::UserDay dayInFields() const;

    calendar::CalendarOptions m_options;
    QCheckBox *m_weekNumbers = nullptr;
    QCheckBox *m_holidays = nullptr;
    QListWidget *m_list = nullptr;
    QLineEdit *m_name = nullptr;
    QSpinBox *m_day = nullptr;
    QComboBox *m_month = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_remove = nullptr;
};

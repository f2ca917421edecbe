#pragma once

#include "agenda/agendaoptions.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace agenda {

// The page "Agenda" of "Altre opzioni…": the calendars read (files or
// folders, each with its colour and an on/off box), the reminders, and
// what is wrong with which file.
class AgendaPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr char Title[] = "Agenda";

    explicit AgendaPage(const AgendaOptions &options, QWidget *parent = nullptr);

    AgendaOptions options() const;
    void setErrors(const QStringList &errors);

    // Asks for a file (or a folder); an empty answer is a cancel. The
    // system's file dialog unless replaced.
    using Chooser = std::function<QString(QWidget *parent, bool folder)>;
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    QListWidget *sourceList() const { return m_list; }
    QCheckBox *remindersBox() const { return m_reminders; }
    QLabel *errorLabel() const { return m_errors; }
    QPushButton *addFileButton() const { return m_addFile; }
    QPushButton *addFolderButton() const { return m_addFolder; }
    QPushButton *colorButton() const { return m_color; }
    QPushButton *removeButton() const { return m_remove; }

signals:
    void changed();

private:
    void addSource(bool folder);
    void addItem(const AgendaOptions::Source &source);
    void chooseColor();
    void removeSource();
    void updateButtons();
    static void paintSwatch(QListWidgetItem *item, const QColor &color);

    QListWidget *m_list = nullptr;
    QPushButton *m_addFile = nullptr;
    QPushButton *m_addFolder = nullptr;
    QPushButton *m_color = nullptr;
    QPushButton *m_remove = nullptr;
    QCheckBox *m_reminders = nullptr;
    QLabel *m_errors = nullptr;
    Chooser m_chooser;
};

} // namespace agenda

#pragma once

#include "worldclock/worldoptions.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace worldclock {

// "Fusi orari" of "Altre opzioni…": the zones the clock shows, each chosen
// by typing its city (completed from the zones this system knows) and
// named as the user likes; and the second-zone hand on the dial.
class ZonesPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr char Title[] = "Fusi orari";

    explicit ZonesPage(const ZoneOptions &options, QWidget *parent = nullptr);

    ZoneOptions options() const;

    // The zone a text names: a completion "New York (America/New_York)",
    // a city ("new york", "Buenos_Aires", any case) or an id; empty when
    // none.
    static QByteArray zoneIdFor(const QString &text);
    // What the completer offers for a zone: "New York (America/New_York)".
    static QString choiceText(const QByteArray &zoneId);

    QLineEdit *cityEdit() const { return m_city; }
    QLineEdit *labelEdit() const { return m_label; }
    QListWidget *list() const { return m_list; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *editButton() const { return m_edit; }
    QPushButton *removeButton() const { return m_remove; }
    QCheckBox *secondHandBox() const { return m_secondHand; }

signals:
    void changed();

private:
    void addZone();
    void editZone();
    void removeZone();
    void selectionChanged();
    // The zone the fields describe, or nothing (and a word why).
    std::optional<WorldZone> zoneFromFields();
    void showZones(int current);
    void updateButtons();

    QList<WorldZone> m_zones;
    QListWidget *m_list;
    QLineEdit *m_city;
    QLineEdit *m_label;
    QLabel *m_problem;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_remove;
    QCheckBox *m_secondHand;
};

} // namespace worldclock

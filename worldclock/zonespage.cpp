#include "worldclock/zonespage.h"

#include <QCheckBox>
#include <QCompleter>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringListModel>
#include <QTimeZone>
#include <QVBoxLayout>

namespace worldclock {

namespace {

// Ids of places: "Etc/GMT+5" and the bare abbreviations name no city.
bool namesACity(const QByteArray &id)
{
    return id.contains('/') && !id.startsWith("Etc/");
}

QString normalised(QString text)
{
    return text.replace(u'_', u' ').simplified().toCaseFolded();
}

QString itemText(const WorldZone &zone)
{
    return QStringLiteral("%1 \u2014 %2").arg(zone.label, cityOf(zone.id));
}

} // namespace

QString ZonesPage::choiceText(const QByteArray &zoneId)
{
    return QStringLiteral("%1 (%2)").arg(cityOf(zoneId), QString::fromUtf8(zoneId));
}

QByteArray ZonesPage::zoneIdFor(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.endsWith(u')')) {
        const qsizetype open = trimmed.lastIndexOf(u'(');
        const QByteArray id = trimmed.mid(open + 1, trimmed.size() - open - 2).toUtf8();
        if (open >= 0 && QTimeZone::isTimeZoneIdAvailable(id))
            return id;
    }
    if (QTimeZone::isTimeZoneIdAvailable(trimmed.toUtf8()) && namesACity(trimmed.toUtf8()))
        return trimmed.toUtf8();
    const QString city = normalised(trimmed);
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds())
        if (namesACity(id) && normalised(cityOf(id)) == city)
            return id;
    return {};
}

ZonesPage::ZonesPage(const ZoneOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_zones(options.zones)
    , m_list(new QListWidget(this))
    , m_city(new QLineEdit(this))
    , m_label(new QLineEdit(this))
    , m_problem(new QLabel(this))
    , m_add(new QPushButton(QStringLiteral("A&ggiungi"), this))
    , m_edit(new QPushButton(QStringLiteral("&Modifica"), this))
    , m_remove(new QPushButton(QStringLiteral("&Rimuovi"), this))
    , m_secondHand(new QCheckBox(QStringLiteral("&Lancetta del primo fuso sul quadrante (24 ore)"), this))
{
    QStringList choices;
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds())
        if (namesACity(id))
            choices << choiceText(id);
    choices.sort(Qt::CaseInsensitive);
    auto *completer = new QCompleter(new QStringListModel(choices, this), this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchStartsWith);
    m_city->setCompleter(completer);
    m_city->setPlaceholderText(QStringLiteral("Scrivi una città, per esempio New York"));
    m_label->setPlaceholderText(QStringLiteral("Per esempio Ufficio NY"));
    m_list->setAccessibleName(QStringLiteral("Fusi orari mostrati"));
    m_secondHand->setChecked(options.secondHand);
    // Room for a completion such as "Buenos Aires (America/Argentina/Buenos_Aires)".
    constexpr int CompletionChars = 48;
    setMinimumWidth(fontMetrics().averageCharWidth() * CompletionChars);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Città:"), m_city);
    form->addRow(QStringLiteral("&Nome:"), m_label);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addLayout(buttons);
    layout->addWidget(m_secondHand);

    connect(m_add, &QPushButton::clicked, this, &ZonesPage::addZone);
    connect(m_edit, &QPushButton::clicked, this, &ZonesPage::editZone);
    connect(m_remove, &QPushButton::clicked, this, &ZonesPage::removeZone);
    connect(m_list, &QListWidget::currentRowChanged, this, &ZonesPage::selectionChanged);
    connect(m_city, &QLineEdit::textChanged, this, &ZonesPage::updateButtons);
    connect(m_secondHand, &QCheckBox::toggled, this, &ZonesPage::changed);
    showZones(-1);
}

ZoneOptions ZonesPage::options() const
{
    ZoneOptions options;
    options.zones = m_zones;
    options.secondHand = m_secondHand->isChecked();
    return options;
}

std::optional<WorldZone> ZonesPage::zoneFromFields()
{
    const QByteArray id = zoneIdFor(m_city->text());
    if (id.isEmpty()) {
        m_problem->setText(QStringLiteral("Città non trovata: scegline una dall'elenco che compare scrivendo."));
        return std::nullopt;
    }
    m_problem->clear();
    const QString label = m_label->text().trimmed();
    return WorldZone{id, label.isEmpty() ? cityOf(id) : label};
}

void ZonesPage::addZone()
{
    const std::optional<WorldZone> zone = zoneFromFields();
    if (!zone)
        return;
    m_zones.push_back(*zone);
    showZones(int(m_zones.size()) - 1);
    emit changed();
}

void ZonesPage::editZone()
{
    const int row = m_list->currentRow();
    const std::optional<WorldZone> zone = row >= 0 ? zoneFromFields() : std::nullopt;
    if (!zone)
        return;
    m_zones[row] = *zone;
    showZones(row);
    emit changed();
}

void ZonesPage::removeZone()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_zones.removeAt(row);
    showZones(std::min(row, int(m_zones.size()) - 1));
    emit changed();
}

void ZonesPage::selectionChanged()
{
    const int row = m_list->currentRow();
    if (row >= 0) {
        m_city->setText(choiceText(m_zones[row].id));
        m_label->setText(m_zones[row].label);
    }
    updateButtons();
}

void ZonesPage::showZones(int current)
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const WorldZone &zone : std::as_const(m_zones))
        m_list->addItem(itemText(zone));
    m_list->setCurrentRow(current);
    updateButtons();
}

void ZonesPage::updateButtons()
{
    const bool named = !m_city->text().trimmed().isEmpty();
    const bool selected = m_list->currentRow() >= 0;
    m_add->setEnabled(named);
    m_edit->setEnabled(named && selected);
    m_remove->setEnabled(selected);
}

} // namespace worldclock

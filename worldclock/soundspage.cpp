#include "worldclock/soundspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace worldclock {

namespace {

QSpinBox *hourBox(int hour, const QString &name, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(0, ChimeOptions::HoursPerDay - 1);
    box->setWrapping(true);
    box->setValue(hour);
    box->setAccessibleName(name);
    return box;
}

} // namespace

SoundsPage::SoundsPage(const ChimeOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_enabled(new QCheckBox(QStringLiteral("&Suona le ore"), this))
    , m_sound(new QComboBox(this))
    , m_quietFrom(hourBox(options.quietFrom, QStringLiteral("Silenzio dalle ore"), this))
    , m_quietTo(hourBox(options.quietTo, QStringLiteral("Silenzio fino alle ore"), this))
{
    m_enabled->setChecked(options.enabled);
    // In the order of ChimeOptions::Sound.
    m_sound->addItem(QStringLiteral("Campana"));
    m_sound->addItem(QStringLiteral("Rintocchi, uno per ogni ora"));
    m_sound->setCurrentIndex(int(options.sound));
    auto *soundLabel = new QLabel(QStringLiteral("S&uono:"), this);
    soundLabel->setBuddy(m_sound);
    auto *fromLabel = new QLabel(QStringLiteral("Silenzio &dalle"), this);
    fromLabel->setBuddy(m_quietFrom);
    auto *toLabel = new QLabel(QStringLiteral("a&lle"), this);
    toLabel->setBuddy(m_quietTo);

    auto *soundRow = new QHBoxLayout;
    soundRow->addWidget(soundLabel);
    soundRow->addWidget(m_sound);
    soundRow->addStretch();
    auto *quietRow = new QHBoxLayout;
    quietRow->addWidget(fromLabel);
    quietRow->addWidget(m_quietFrom);
    quietRow->addWidget(toLabel);
    quietRow->addWidget(m_quietTo);
    quietRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled);
    layout->addLayout(soundRow);
    layout->addLayout(quietRow);
    layout->addStretch();

    connect(m_enabled, &QCheckBox::toggled, this, &SoundsPage::enableChoices);
    connect(m_enabled, &QCheckBox::toggled, this, &SoundsPage::changed);
    connect(m_sound, &QComboBox::currentIndexChanged, this, &SoundsPage::changed);
    connect(m_quietFrom, &QSpinBox::valueChanged, this, &SoundsPage::changed);
    connect(m_quietTo, &QSpinBox::valueChanged, this, &SoundsPage::changed);
    enableChoices();
}

ChimeOptions SoundsPage::options() const
{
    ChimeOptions options;
    options.enabled = m_enabled->isChecked();
    options.sound = ChimeOptions::Sound(m_sound->currentIndex());
    options.quietFrom = m_quietFrom->value();
    options.quietTo = m_quietTo->value();
    return options;
}

void SoundsPage::enableChoices()
{
    for (QWidget *choice : std::initializer_list<QWidget *>{m_sound, m_quietFrom, m_quietTo})
        choice->setEnabled(m_enabled->isChecked());
}

} // namespace worldclock

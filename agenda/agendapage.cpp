#include "agenda/agendapage.h"

#include "toolkit/desktop.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace agenda {

namespace {

constexpr int ColorRole = Qt::UserRole + 1;
constexpr int SwatchSize = 12;

// Paths under the home folder are kept as "~/…", which survives a new
// user name or a copied configuration.
QString keptPath(const QString &chosen)
{
    const QString home = QDir::homePath() + QLatin1Char('/');
    return chosen.startsWith(home) ? QStringLiteral("~/") + chosen.mid(home.size()) : chosen;
}

QString systemChooser(QWidget *parent, bool folder)
{
    const QString start = QDir::homePath();
    return folder ? QFileDialog::getExistingDirectory(parent, QStringLiteral("Scegli una cartella di calendari"), start)
                  : QFileDialog::getOpenFileName(parent, QStringLiteral("Scegli un calendario"), start,
                                                 QStringLiteral("Calendari iCalendar (*.ics);;Tutti i file (*)"));
}

} // namespace

AgendaPage::AgendaPage(const AgendaOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_list(new QListWidget(this))
    , m_addFile(new QPushButton(QStringLiteral("Aggiungi &file…"), this))
    , m_addFolder(new QPushButton(QStringLiteral("Aggiungi car&tella…"), this))
    , m_color(new QPushButton(QStringLiteral("C&olore…"), this))
    , m_remove(new QPushButton(QStringLiteral("&Rimuovi"), this))
    , m_reminders(new QCheckBox(QStringLiteral("&Promemoria"), this))
    , m_errors(new QLabel(this))
    , m_chooser(systemChooser)
{
    auto *caption = new QLabel(QStringLiteral("&Calendari (file .ics o cartelle):"), this);
    caption->setBuddy(m_list);
    m_list->setAccessibleName(QStringLiteral("Calendari"));
    m_reminders->setToolTip(QStringLiteral("Mostra sul desktop i promemoria degli eventi"));
    m_errors->setWordWrap(true);
    m_errors->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_errors->hide();

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {m_addFile, m_addFolder, m_color, m_remove})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(row, 1);
    layout->addWidget(m_errors);
    layout->addWidget(m_reminders);

    for (const AgendaOptions::Source &source : options.sources)
        addItem(source);
    m_reminders->setChecked(options.reminders);
    updateButtons();

    connect(m_addFile, &QPushButton::clicked, this, [this] { addSource(false); });
    connect(m_addFolder, &QPushButton::clicked, this, [this] { addSource(true); });
    connect(m_color, &QPushButton::clicked, this, &AgendaPage::chooseColor);
    connect(m_remove, &QPushButton::clicked, this, &AgendaPage::removeSource);
    connect(m_reminders, &QCheckBox::toggled, this, &AgendaPage::changed);
    connect(m_list, &QListWidget::currentRowChanged, this, &AgendaPage::updateButtons);
    connect(m_list, &QListWidget::itemChanged, this, &AgendaPage::changed);
}

AgendaOptions AgendaPage::options() const
{
    AgendaOptions options;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem *item = m_list->item(i);
        options.sources.push_back({item->text(), item->data(ColorRole).value<QColor>(), item->checkState() == Qt::Checked});
    }
    options.reminders = m_reminders->isChecked();
    return options;
}

void AgendaPage::setErrors(const QStringList &errors)
{
    m_errors->setText(errors.join(QLatin1Char('\n')));
    m_errors->setVisible(!errors.isEmpty());
}

void AgendaPage::addItem(const AgendaOptions::Source &source)
{
    const QSignalBlocker quiet(m_list);
    auto *item = new QListWidgetItem(source.path, m_list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(source.enabled ? Qt::Checked : Qt::Unchecked);
    paintSwatch(item, source.color);
}

void AgendaPage::paintSwatch(QListWidgetItem *item, const QColor &color)
{
    QPixmap swatch(SwatchSize, SwatchSize);
    swatch.fill(color);
    item->setIcon(QIcon(swatch));
    item->setData(ColorRole, color);
}

void AgendaPage::addSource(bool folder)
{
    const QString chosen = m_chooser(this, folder);
    if (chosen.isEmpty())
        return;
    addItem({keptPath(chosen), AgendaOptions::defaultColor(m_list->count()), true});
    m_list->setCurrentRow(m_list->count() - 1);
    emit changed();
}

void AgendaPage::chooseColor()
{
    QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    if (const std::optional<QColor> color = toolkit::desktop().chooseColor(this)) {
        const QSignalBlocker quiet(m_list);
        paintSwatch(item, *color);
        emit changed();
    }
}

void AgendaPage::removeSource()
{
    delete m_list->currentItem();
    updateButtons();
    emit changed();
}

void AgendaPage::updateButtons()
{
    const bool any = m_list->currentItem() != nullptr;
    m_color->setEnabled(any);
    m_remove->setEnabled(any);
}

} // namespace agenda

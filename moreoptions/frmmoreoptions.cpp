#include "moreoptions/frmmoreoptions.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmMoreOptions::frmMoreOptions(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget(this))
{
    setWindowTitle(QString::fromUtf8(Caption));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // The classic dialog's captions, with the same keys.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

void frmMoreOptions::addPage(QWidget *page, const QString &title)
{
    m_pages->addTab(page, title);
}

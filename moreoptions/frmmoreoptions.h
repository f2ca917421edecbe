#pragma once

#include <QDialog>

class QTabWidget;

// "Altre opzioni…": everything the clock does beyond its classic look, one
// page per feature, laid out with Qt layouts. Each page shows its changes at
// once through its host; OK keeps them (the host saves Tickora.conf), Cancel
// undoes them (the host puts back what it had before the dialog opened).
class frmMoreOptions : public QDialog
{
    Q_OBJECT
public:
    static constexpr char Caption[] = "Altre opzioni…";

    explicit frmMoreOptions(QWidget *parent = nullptr);

    // Adds a page under a tab; the dialog owns it from then on.
    void addPage(QWidget *page, const QString &title);
    QTabWidget *pages() const { return m_pages; }

private:
    QTabWidget *m_pages = nullptr;
};

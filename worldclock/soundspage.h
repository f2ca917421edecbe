#pragma once

#include "worldclock/worldoptions.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace worldclock {

// "Suoni" of "Altre opzioni…": whether the clock strikes the hours, with
// the bell or with the hour's number of strokes, and the quiet hours.
class SoundsPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr char Title[] = "Suoni";

    explicit SoundsPage(const ChimeOptions &options, QWidget *parent = nullptr);

    ChimeOptions options() const;

    QCheckBox *enabledBox() const { return m_enabled; }
    QComboBox *soundBox() const { return m_sound; }
    QSpinBox *quietFromBox() const { return m_quietFrom; }
    QSpinBox *quietToBox() const { return m_quietTo; }

signals:
    void changed();

private:
    void enableChoices();

    QCheckBox *m_enabled;
    QComboBox *m_sound;
    QSpinBox *m_quietFrom;
    QSpinBox *m_quietTo;
};

} // namespace worldclock

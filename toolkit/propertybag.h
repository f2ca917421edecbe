#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace toolkit {

// Named values that a control saves with its host's window definition and
// reads back when the host restores it. Names match without regard to case;
// a value equal to its default is not stored.
class PropertyBag
{
public:
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = {}) const;
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue = {});

private:
    struct Entry { QString name; QVariant value; };
    QVector<Entry> m_entries;
};

} // namespace toolkit

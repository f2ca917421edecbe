#include "toolkit/propertybag.h"

#include <algorithm>

namespace toolkit {

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    for (const Entry &e : m_entries)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return e.value;
    return defaultValue;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) {
        return e.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    const bool isDefault = defaultValue.isValid() && value == defaultValue;
    if (isDefault) {
        if (it != m_entries.end())
            m_entries.erase(it);
        return;
    }
    if (it != m_entries.end())
        it->value = value;
    else
        m_entries.push_back({name, value});
}

} // namespace toolkit

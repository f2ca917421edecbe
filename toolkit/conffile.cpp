#include "toolkit/conffile.h"

#include <QFileInfo>
#include <QSettings>

namespace toolkit {

namespace {

QString fullKey(const QString &group, const QString &key)
{
    return group + QLatin1Char('/') + key;
}

} // namespace

ConfFile::ConfFile(QString path)
    : m_path(std::move(path))
{
    if (!QFileInfo(m_path).isFile())
        return;
    const QSettings file(m_path, QSettings::IniFormat);
    for (const QString &key : file.allKeys())
        m_values.insert(key, file.value(key));
}

QVariant ConfFile::raw(const QString &group, const QString &key) const
{
    return m_values.value(fullKey(group, key));
}

bool ConfFile::readBool(const QString &group, const QString &key, bool fallback) const
{
    const QVariant value = raw(group, key);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == u"true" || text == u"1" || text == u"yes" || text == u"on")
        return true;
    if (text == u"false" || text == u"0" || text == u"no" || text == u"off")
        return false;
    return fallback;
}

int ConfFile::readInt(const QString &group, const QString &key, int fallback, int min, int max) const
{
    bool ok = false;
    const int value = raw(group, key).toString().trimmed().toInt(&ok);
    return ok && value >= min && value <= max ? value : fallback;
}

QString ConfFile::readString(const QString &group, const QString &key, const QString &fallback) const
{
    const QVariant value = raw(group, key);
    if (!value.isValid() || value.typeId() == QMetaType::QStringList)
        return fallback;
    return value.toString();
}

QStringList ConfFile::readList(const QString &group, const QString &key) const
{
    const QVariant value = raw(group, key);
    if (!value.isValid())
        return {};
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    // One entry is read back as a plain string; an empty value as none.
    const QString text = value.toString();
    return text.isEmpty() ? QStringList() : QStringList{text};
}

void ConfFile::write(const QString &group, const QString &key, const QVariant &value)
{
    // QSettings writes an empty list as "@Invalid()"; an empty value reads
    // back as no entries just as well and is what a person would write.
    const bool emptyList = value.typeId() == QMetaType::QStringList && value.toStringList().isEmpty();
    m_values.insert(fullKey(group, key), emptyList ? QVariant(QString()) : value);
}

bool ConfFile::save(QString *error)
{
    QSettings file(m_path, QSettings::IniFormat);
    file.clear();
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        file.setValue(it.key(), it.value());
    file.sync();
    if (file.status() == QSettings::NoError)
        return true;
    if (error) {
        *error = file.status() == QSettings::AccessError
            ? QStringLiteral("accesso negato")
            : QStringLiteral("formato non valido");
    }
    return false;
}

} // namespace toolkit

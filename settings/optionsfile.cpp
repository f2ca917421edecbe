#include "settings/optionsfile.h"

#include "settings/borderwidth.h"
#include "toolkit/conffile.h"
#include "toolkit/val.h"

#include <cmath>

namespace settings {

namespace {

constexpr char Quote = '"';
constexpr char Comma = ',';
constexpr char CR = '\r';
constexpr char LF = '\n';

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool endsLine(char c) { return c == CR || c == LF; }

// Moves past the line end at pos (CR, LF or CR LF), if there is one.
qsizetype skipLineEnd(const QByteArray &bytes, qsizetype pos)
{
    if (pos < bytes.size() && bytes[pos] == CR)
        ++pos;
    if (pos < bytes.size() && bytes[pos] == LF)
        ++pos;
    return pos;
}

// Reads one field from pos; returns its text and moves pos past its delimiter.
QByteArray readField(const QByteArray &bytes, qsizetype &pos)
{
    const qsizetype size = bytes.size();
    while (pos < size && isBlank(bytes[pos]))
        ++pos;
    QByteArray field;
    if (pos < size && bytes[pos] == Quote) {
        const qsizetype close = bytes.indexOf(Quote, pos + 1);
        const qsizetype end = close < 0 ? size : close;
        field = bytes.mid(pos + 1, end - pos - 1);
        pos = end < size ? end + 1 : size;
        // Whatever follows the closing quote up to the delimiter is dropped.
        while (pos < size && bytes[pos] != Comma && !endsLine(bytes[pos]))
            ++pos;
    } else {
        const qsizetype start = pos;
        while (pos < size && bytes[pos] != Comma && !endsLine(bytes[pos]))
            ++pos;
        field = bytes.mid(start, pos - start);
        while (!field.isEmpty() && isBlank(field.back()))
            field.chop(1);
    }
    if (pos < size)
        pos = bytes[pos] == Comma ? pos + 1 : skipLineEnd(bytes, pos);
    return field;
}

// A whole number written in the field, or nothing when the text is not a
// number or lies outside [min, max]. Fractions round half to even.
std::optional<long long> number(const std::optional<QString> &text, long long min, long long max)
{
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double value = text->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < double(min) - 0.5 || value > double(max) + 0.5)
        return std::nullopt;
    const long long whole = toolkit::roundHalfEven(value);
    if (whole < min || whole > max)
        return std::nullopt;
    return whole;
}

} // namespace

FieldTexts parseFields(const QByteArray &bytes)
{
    FieldTexts fields;
    qsizetype pos = 0;
    for (auto &field : fields) {
        if (pos >= bytes.size())
            break;
        const QString text = QString::fromLatin1(readField(bytes, pos));
        const qsizetype firstEquals = text.indexOf(u'=');
        if (firstEquals < 0)
            continue;
        const qsizetype secondEquals = text.indexOf(u'=', firstEquals + 1);
        field = text.mid(firstEquals + 1, secondEquals < 0 ? -1 : secondEquals - firstEquals - 1);
    }
    return fields;
}

OptionsRecord::OptionsRecord()
{
    for (const Field &field : Fields) {
        if (field.type == FieldType::WidthText)
            BorderWidth = QString::number(field.fallback);
        else
            this->*field.number = int(field.fallback);
    }
}

OptionsRecord recordFromFields(const FieldTexts &texts)
{
    OptionsRecord r;
    int line = 0;
    for (const Field &field : Fields) {
        if (field.store != Store::OptionsDat)
            continue;
        const std::optional<QString> &text = texts[line++];
        if (field.type == FieldType::WidthText) {
            if (text)
                r.BorderWidth = borderWidthFromFile(*text).value_or(r.BorderWidth);
        } else {
            r.*field.number = int(number(text, field.min, field.max).value_or(field.fallback));
        }
    }
    return r;
}

QByteArray formatOptions(const OptionsRecord &r, KeySet keys)
{
    QByteArray bytes;
    for (const Field &field : Fields) {
        if (field.store != Store::OptionsDat)
            continue;
        const QString value = field.type == FieldType::WidthText ? storableBorderWidth(r.BorderWidth)
                                                                 : QString::number(r.*field.number);
        bytes += (keys == KeySet::Defaults ? field.newFileKey : field.savedKey) + value.toLatin1() + "\r\n";
    }
    return bytes;
}

bool hasConfFields(std::span<const Field> table)
{
    return std::any_of(table.begin(), table.end(), [](const Field &f) { return f.store == Store::Conf; });
}

void readConf(OptionsRecord &record, const toolkit::ConfFile &file, std::span<const Field> table)
{
    const QString group = QString::fromLatin1(ConfGroup);
    for (const Field &field : table) {
        if (field.store != Store::Conf || !field.number)
            continue;
        const QString key = QString::fromLatin1(field.name);
        record.*field.number = field.type == FieldType::CheckState
            ? int(file.readBool(group, key, field.fallback != 0))
            : file.readInt(group, key, int(field.fallback), int(field.min), int(field.max));
    }
}

void writeConf(const OptionsRecord &record, toolkit::ConfFile &file, std::span<const Field> table)
{
    const QString group = QString::fromLatin1(ConfGroup);
    for (const Field &field : table) {
        if (field.store != Store::Conf || !field.number)
            continue;
        const int value = record.*field.number;
        const QString key = QString::fromLatin1(field.name);
        if (field.type == FieldType::CheckState)
            file.write(group, key, value != 0);
        else
            file.write(group, key, value);
    }
}

} // namespace settings

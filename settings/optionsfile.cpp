#include "settings/optionsfile.h"

#include "toolkit/val.h"

#include <QStringList>
#include <cmath>
#include <limits>

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

int checkState(const std::optional<QString> &text, int fallback)
{
    return int(number(text, 0, 1).value_or(fallback));
}

toolkit::OleColor color(const std::optional<QString> &text, toolkit::OleColor fallback)
{
    constexpr long long Min = std::numeric_limits<qint32>::min();
    constexpr long long Max = std::numeric_limits<qint32>::max();
    return toolkit::OleColor(number(text, Min, Max).value_or(fallback));
}

bool storable(QChar c)
{
    constexpr char16_t FirstPrintable = 0x20;
    constexpr char16_t LastPrintable = 0x7E;
    return c.unicode() >= FirstPrintable && c.unicode() <= LastPrintable && c != u',' && c != u'"' && c != u'=';
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

OptionsRecord recordFromFields(const FieldTexts &f)
{
    const OptionsRecord d;
    OptionsRecord r;
    r.Translucent = int(number(f[0], MinAlpha, MaxAlpha).value_or(d.Translucent));
    r.BringToFront = checkState(f[1], d.BringToFront);
    r.AutoHide = checkState(f[2], d.AutoHide);
    r.HideBar = checkState(f[3], d.HideBar);
    r.ViewDate = checkState(f[4], d.ViewDate);
    r.ViewBorder = checkState(f[5], d.ViewBorder);
    // The text is kept as written unless it reads as a width the dial would
    // refuse with a message at every start (negative, or above 80). A text
    // that reads as 0 (empty, "0", not a number) is kept: the main window
    // turns it into "1" when it applies the settings.
    // The text is checked as it is kept: trimming can uncover a number that
    // a leading vertical tab or form feed hid from Val.
    if (f[6]) {
        const QString text = f[6]->trimmed();
        const double width = toolkit::Val(text);
        if (width >= 0 && width <= MaxBorderWidth)
            r.BorderWidth = text;
    }
    r.ColorBorder = color(f[7], d.ColorBorder);
    r.ViewTextHours = checkState(f[8], d.ViewTextHours);
    r.ColorTextHours = color(f[9], d.ColorTextHours);
    r.ViewSecond = checkState(f[10], d.ViewSecond);
    r.ColorLancetSecond = color(f[11], d.ColorLancetSecond);
    r.ColorLancetMinute = color(f[12], d.ColorLancetMinute);
    r.ColorLancetHour = color(f[13], d.ColorLancetHour);
    return r;
}

QByteArray formatOptions(const OptionsRecord &r, KeySet keys)
{
    const bool defaults = keys == KeySet::Defaults;
    const std::array<std::pair<const char *, QString>, FieldCount> lines = {{
        {"Translucent=", QString::number(r.Translucent)},
        {"BringToFront=", QString::number(r.BringToFront)},
        {"AutoHide=", QString::number(r.AutoHide)},
        {"HideBar=", QString::number(r.HideBar)},
        {"ViewDate=", QString::number(r.ViewDate)},
        {"ViewBorder=", QString::number(r.ViewBorder)},
        {"BorderWidth=", storableBorderWidth(r.BorderWidth)},
        {"ColorBorder=", QString::number(r.ColorBorder)},
        {"ViewTextHours=", QString::number(r.ViewTextHours)},
        {"ColorTextHours=", QString::number(r.ColorTextHours)},
        {"ViewSecond=", QString::number(r.ViewSecond)},
        {defaults ? "ColorLancetSecond=" : "ColorSecond=", QString::number(r.ColorLancetSecond)},
        {defaults ? "ColorLancetMinute=" : "MinuteSecond=", QString::number(r.ColorLancetMinute)},
        {defaults ? "ColorLancetHour=" : "HourSecond=", QString::number(r.ColorLancetHour)},
    }};
    QByteArray bytes;
    for (const auto &[key, value] : lines)
        bytes += key + value.toLatin1() + "\r\n";
    return bytes;
}

QString storableBorderWidth(const QString &text)
{
    if (std::all_of(text.begin(), text.end(), storable))
        return text;
    return QString::number(borderWidthFromText(text));
}

int borderWidthFromText(const QString &text)
{
    const double value = toolkit::Val(text);
    if (value < MinBorderWidth)
        return MinBorderWidth;
    if (value > MaxBorderWidth)
        return MaxBorderWidth;
    return int(toolkit::roundHalfEven(value));
}

} // namespace settings

#include "settings/borderwidth.h"

#include "dial/tickdial.h"
#include "toolkit/val.h"

#include <algorithm>

namespace settings {

namespace {

bool storable(QChar c)
{
    constexpr char16_t FirstPrintable = 0x20;
    constexpr char16_t LastPrintable = 0x7E;
    return c.unicode() >= FirstPrintable && c.unicode() <= LastPrintable && c != u',' && c != u'"' && c != u'=';
}

bool withinDialRange(double width)
{
    return width >= Tickdial::MinBorderWidth && width <= Tickdial::MaxBorderWidth;
}

} // namespace

std::optional<QString> borderWidthFromFile(const QString &field)
{
    const QString text = field.trimmed();
    const double width = toolkit::Val(text);
    if (width >= 0 && width <= Tickdial::MaxBorderWidth)
        return text;
    return std::nullopt;
}

QString normalisedBorderWidth(const QString &text)
{
    QString width = text;
    width.replace(u',', u'.');
    width = toolkit::numberToText(toolkit::Val(width)).replace(u',', u'.');
    return toolkit::Val(width) == 0 ? QStringLiteral("1") : width;
}

int borderWidthFromText(const QString &text)
{
    const double value = toolkit::Val(text);
    if (value < Tickdial::MinBorderWidth)
        return Tickdial::MinBorderWidth;
    if (value > Tickdial::MaxBorderWidth)
        return Tickdial::MaxBorderWidth;
    return int(toolkit::roundHalfEven(value));
}

QString savedBorderWidth(const QString &text)
{
    return withinDialRange(toolkit::Val(text)) ? text : QStringLiteral("1");
}

QString storableBorderWidth(const QString &text)
{
    if (std::all_of(text.begin(), text.end(), storable))
        return text;
    return QString::number(borderWidthFromText(text));
}

} // namespace settings

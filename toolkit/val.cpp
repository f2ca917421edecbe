#include "toolkit/val.h"

#include <QLocale>
#include <cmath>

namespace toolkit {

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
}

double Val(QStringView text)
{
    // Collect the characters of the number, skipping blanks on the way.
    QString number;
    enum class Part { Sign, Integer, Fraction, ExpSign, Exponent } part = Part::Sign;
    bool haveDigits = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        if ((c == u'+' || c == u'-') && part == Part::Sign) {
            number += c;
            part = Part::Integer;
        } else if (c.isDigit() && c.unicode() < 128) {
            number += c;
            haveDigits = true;
            if (part == Part::Sign)
                part = Part::Integer;
            else if (part == Part::ExpSign)
                part = Part::Exponent;
        } else if (c == u'.' && (part == Part::Sign || part == Part::Integer)) {
            number += c;
            part = Part::Fraction;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && haveDigits
                   && (part == Part::Integer || part == Part::Fraction)) {
            number += u'e';
            part = Part::ExpSign;
        } else if ((c == u'+' || c == u'-') && part == Part::ExpSign) {
            number += c;
            part = Part::Exponent;
        } else {
            break;
        }
    }
    if (!haveDigits)
        return 0.0;
    // A dangling exponent marker ("12E") or exponent sign does not count.
    while (!number.isEmpty() && !number.back().isDigit() && number.back() != u'.')
        number.chop(1);
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0.0;
    return value;
}

long long roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<long long>(std::nearbyint(value)); // default FE_TONEAREST is half-to-even
}

QString numberToText(double value)
{
    QLocale locale; // the default locale: the user's, unless a test chose another
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

} // namespace toolkit

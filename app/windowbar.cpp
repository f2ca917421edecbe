#include "app/windowbar.h"

#include "app/mainparts.h"
#include "tickoraversion.h"
#include "toolkit/fonts.h"
#include "toolkit/olecolor.h"
#include "toolkit/surface.h"
#include "toolkit/twips.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>

using toolkit::toPx;
using toolkit::toTwips;
using toolkit::TwipsPerPixel;

namespace {

// Between the bar's buttons, and between the last one and the title, twips.
constexpr double ButtonGap = 30;

// The bar title: Arial 6 points, drawn 150 twips above the bar's bottom,
// turned by 90 degrees so that it reads upwards.
constexpr double BarTitlePt = 6;
constexpr double BarTitleBottom = 150;
constexpr float BarTitleAngle = 90;

// Prints text turned by the angle (degrees, anticlockwise) with its cell's
// top-left corner at (x, y) twips, inside the clip rectangle (twips) when
// one is given. As with a system font asked for a cell height, the font is
// sized so that its line (ascent + descent) is twice its size in points,
// in pixels: 12 px for a 6-point font.
void PrintRotated(toolkit::PictureBox &surface, const QFont &font, const QString &text,
                  float angle, float x, float y, const QRectF &clip = QRectF())
{
    constexpr double ReferencePixels = 100;
    QFont turned(font.family());
    turned.setBold(font.bold());
    turned.setItalic(font.italic());
    turned.setUnderline(font.underline());
    turned.setStrikeOut(font.strikeOut());
    turned.setPixelSize(int(ReferencePixels));
    const double cellHeight = std::round(2 * toolkit::pointsOf(font));
    const double lineAtReference = QFontMetricsF(turned).height();
    turned.setPixelSize(std::max(1, int(std::lround(cellHeight * ReferencePixels / lineAtReference))));
    turned.setStyleStrategy(QFont::PreferAntialias);

    const QColor color = toolkit::toQColor(surface.ForeColor());
    surface.CurrentX = x;
    surface.CurrentY = y;
    surface.paintOnImage([&](QPainter &painter) {
        if (clip.isValid())
            painter.setClipRect(clip);
        // The surface's painter measures in twips; turn it into pixels.
        painter.scale(TwipsPerPixel, TwipsPerPixel);
        painter.translate(toPx(x), toPx(y));
        painter.rotate(-angle);
        painter.setFont(turned);
        painter.setPen(color);
        const QFontMetricsF metrics(turned);
        painter.drawText(QPointF(0, metrics.ascent()), text);
    });
}

} // namespace

WindowBar::WindowBar(const MainParts &parts)
    : m_bar(parts.bar)
    , m_close(parts.close)
    , m_month(parts.month)
    , m_about(parts.about)
{
}

void WindowBar::layout(double heightTwips)
{
    const QRect bar = m_bar->geometry();
    const double barWidth = toTwips(bar.width());
    placeTwips(m_bar, {toTwips(bar.x()), toTwips(bar.y()), barWidth, heightTwips});

    const double buttonWidth = toTwips(m_close->width());
    const double buttonHeight = toTwips(m_close->height());
    const double closeLeft = barWidth / 2 - buttonWidth / 2;
    const double closeTop = toTwips(m_close->y());
    placeTwips(m_close, {closeLeft, closeTop, buttonWidth, buttonHeight});
    const double monthTop = closeTop + buttonHeight + ButtonGap;
    placeTwips(m_month, {closeLeft, monthTop, toTwips(m_month->width()), toTwips(m_month->height())});
    const double aboutTop = monthTop + toTwips(m_month->height()) + ButtonGap;
    placeTwips(m_about, {closeLeft, aboutTop, toTwips(m_about->width()), toTwips(m_about->height())});
}

void WindowBar::drawTitle()
{
    const QFont font = toolkit::designFont(QStringLiteral("Arial"), BarTitlePt, false);

    m_bar->Cls();
    const QString text = QString::fromLatin1(tickora::TitleAndVersion);
    // On a short window the title is cut off short of the buttons rather
    // than showing between and beside them.
    const int buttonsBottom = std::max({m_close->geometry().bottom(), m_month->geometry().bottom(),
                                        m_about->geometry().bottom()}) + 1;
    const double clipTop = toTwips(buttonsBottom) + ButtonGap;
    const QRectF below(0, clipTop, toTwips(m_bar->width()), std::max(0.0, toTwips(m_bar->height()) - clipTop));
    PrintRotated(*m_bar, font, text, BarTitleAngle, 0, float(toTwips(m_bar->height()) - BarTitleBottom), below);
}

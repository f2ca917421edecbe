#include "app/mainparts.h"

#include "assets/tickoraassets.h"
#include "dial/tickdial.h"
#include "toolkit/fonts.h"
#include "toolkit/olecolor.h"
#include "toolkit/surface.h"
#include "toolkit/twips.h"
#include "tickoraversion.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Design places and sizes of the children.
constexpr TwipsRect BarRect{0, 0, 270, 5625};
constexpr TwipsRect CloseRect{60, 60, 195, 210};
constexpr TwipsRect AboutRect{60, 300, 195, 210};
constexpr TwipsRect MonthRect{60, 540, 195, 210};
constexpr TwipsRect DialRect{300, 60, 2535, 2535};
constexpr TwipsRect DateRect{300, 2700, 2655, 195};
constexpr TwipsRect TimeRect{300, 3000, 2655, 195};

constexpr double ButtonFontPt = 8.25;

QPushButton *makeButton(QWidget *client, const QString &caption, const QString &spoken, const TwipsRect &r)
{
    auto *button = new QPushButton(caption, client);
    button->setFont(toolkit::designFont(QStringLiteral("Arial"), ButtonFontPt, true));
    button->setFocusPolicy(Qt::TabFocus);
    // What assistive technology reads; the caption stays as it is.
    button->setAccessibleName(spoken);
    placeTwips(button, r);
    return button;
}

// The labels take the window's font, the time label in bold.
QLabel *makeLabel(QWidget *client, const QString &caption, toolkit::OleColor color, bool bold, const TwipsRect &r)
{
    auto *label = new QLabel(caption, client);
    label->setAlignment(Qt::AlignCenter);
    if (bold) {
        QFont boldFont = client->font();
        boldFont.setBold(true);
        label->setFont(boldFont);
    }
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toolkit::toQColor(color));
    label->setPalette(palette);
    // The client area's button background would otherwise make the text
    // take the button-text colour.
    label->setForegroundRole(QPalette::WindowText);
    placeTwips(label, r);
    return label;
}

toolkit::PictureBox *makeBar(QWidget *client, QObject *filter)
{
    auto *bar = new toolkit::PictureBox(client);
    bar->setPicture(assets::picture(assets::BarPicture, "png"));
    bar->setForeColor(toolkit::ColorYellow);
    bar->setToolTip(QStringLiteral("Clicca sulla barra con il tasto destro per le opzioni"));
    bar->setAccessibleName(QStringLiteral("Barra dell'orologio"));
    bar->setAccessibleDescription(
        QStringLiteral("Clic destro sulla barra, o il tasto Menu o Maiusc+F10 sull'orologio, per le opzioni"));
    bar->installEventFilter(filter);
    placeTwips(bar, BarRect);
    return bar;
}

Tickdial *makeDial(QWidget *client)
{
    auto *dial = new Tickdial(client);
    dial->UserControl_ReadProperties(Tickdial::mainWindowDesignState());
    placeTwips(dial, DialRect);
    return dial;
}

} // namespace

void placeTwips(QWidget *child, const TwipsRect &r)
{
    child->setGeometry(toolkit::rectFromTwips(r.left, r.top, r.width, r.height));
}

MainParts::MainParts(QWidget *client, QObject *barFilter)
    : dial(makeDial(client)),
      bar(makeBar(client, barFilter)),
      close(makeButton(client, QStringLiteral("X"), QStringLiteral("Chiudi l'orologio"), CloseRect)),
      date(makeLabel(client, QStringLiteral("lblDate"), toolkit::ColorRed, false, DateRect)),
      time(makeLabel(client, QStringLiteral("lblTime"), toolkit::ColorBlue, true, TimeRect)),
      month(makeButton(client, QStringLiteral(">"), QStringLiteral("Mostra o nascondi il calendario"), MonthRect)),
      about(makeButton(client, QStringLiteral("?"), QStringLiteral("Informazioni su %1").arg(QLatin1String(tickora::ProductName)), AboutRect))
{
    for (QPushButton *button : {close, month, about})
        button->raise();
}

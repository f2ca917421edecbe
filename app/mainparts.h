#pragma once

class QLabel;
class QObject;
class QPushButton;
class QWidget;
class Tickdial;
namespace toolkit { class PictureBox; }

// A child's design place and size in twips: left, top, width, height.
struct TwipsRect
{
    double left, top, width, height;
};

// Places a child of the client area there, each side rounded to whole pixels.
void placeTwips(QWidget *child, const TwipsRect &r);

// The main window's children as designed, made on its client area in tab
// order (dial, bar, close, date, time, month, about) at their design
// places, with their captions, fonts, colours and what assistive
// technology reads of them. The calendar is made later, when the panel
// first opens.
struct MainParts
{
    // barFilter receives the bar's mouse events (dragging, the options).
    MainParts(QWidget *client, QObject *barFilter);

    Tickdial *dial;
    toolkit::PictureBox *bar;
    QPushButton *close;
    QLabel *date;
    QLabel *time;
    QPushButton *month;
    QPushButton *about;
};

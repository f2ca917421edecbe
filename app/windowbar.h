#pragma once

class QPushButton;
struct MainParts;
namespace toolkit { class PictureBox; }

// The bar at the window's left: as tall as the client area, its buttons
// centred on it and stacked from the top, and the program's title written
// upwards near its bottom. The bar and its buttons are the window's
// designed children; this lays them out and draws the title.
class WindowBar
{
public:
    explicit WindowBar(const MainParts &parts);

    // The bar as tall as the client area (twips), the buttons under each
    // other in the order close, month, about.
    void layout(double heightTwips);
    // Draws the title afresh: after every layout, and whenever the window
    // comes back to the front.
    void drawTitle();

private:
    toolkit::PictureBox *m_bar;
    QPushButton *m_close;
    QPushButton *m_month;
    QPushButton *m_about;
};

#pragma once

#include <QLabel>

// One label of an array of labels that share their handlers: it reports
// mouse moves and clicks together with its index in the array.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(int index, QWidget *parent);

signals:
    void mouseMoved(int index);
    // A left button pressed and released on the label.
    void clicked(int index);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const int m_arrayIndex;
    bool m_pressed = false;
};

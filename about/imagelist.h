#pragma once

#include <QPixmap>
#include <QVector>

// A store of pictures handed out by their position, counting from 1.
class ImageList
{
public:
    // Appends a picture; returns its index.
    int add(const QPixmap &picture);
    // The picture at a 1-based index; a null pixmap outside the store.
    QPixmap picture(int index) const;

private:
    QVector<QPixmap> m_pictures;
};

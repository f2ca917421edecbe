#include "about/imagelist.h"

int ImageList::add(const QPixmap &picture)
{
    m_pictures.push_back(picture);
    return count();
}

QPixmap ImageList::picture(int index) const
{
    if (index < 1 || index > count())
        return {};
    return m_pictures.at(index - 1);
}

#include "about/imagelist.h"

int ImageList::add(const QPixmap &picture)
{
    m_pictures.push_back(picture);
    return int(m_pictures.size());
}

QPixmap ImageList::picture(int index) const
{
    if (index < 1 || index > m_pictures.size())
        return {};
    return m_pictures.at(index - 1);
}

#include "about/imagelist.h"

int ImageList::add(const QPixmap &picture)
{
    pictures.push_back(picture);
    return count();
}

QPixmap ImageList::picture(int index) const
{
    if (index < 1 || index > count())
        return {};
    return pictures.at(index - 1);
}

#include "tickoraassets.h"

namespace assets {

QIcon windowIcon()
{
    return QIcon(WindowIcon);
}

} // namespace assets

#pragma once

#include <QString>

namespace settings {

// Removes what saves of the file at path left behind when the program was
// killed between writing the new copy and putting it in place: files named
// exactly like the file plus "." and six letters or digits, the name the
// temporary copy takes. Nothing else in the folder is touched.
void removeSaveLeftovers(const QString &path);

} // namespace settings

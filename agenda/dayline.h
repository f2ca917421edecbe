#pragma once

#include "agenda/agendadata.h"

namespace agenda {

// An occurrence as a line of the day's list, in the local zone in force
// now: "09:30–10:00 Dentista", "22:00–… Festa" for one going on past the
// day, "…–02:00 Festa" the day after, "Ferie" for an all-day one.
QString dayLineText(const Occurrence &occurrence, QDate day);

// Whether the occurrence has not ended at the given moment (all-day ones
// last to their last day's end).
bool notEnded(const Occurrence &occurrence, const QDateTime &now);

} // namespace agenda

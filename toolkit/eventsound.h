#pragma once

#include <QString>

// Event sounds of the desktop's sound theme, played through the desktop's
// event-sound library (libcanberra), which honours the user's sound
// settings and mute. Playing returns at once: the sound plays on the
// library's own thread, never on the window's.
namespace toolkit {

class EventSound
{
public:
    virtual ~EventSound() = default;
    // eventId: a name of the freedesktop sound theme ("bell");
    // description: what the sound means, for those who cannot hear it.
    virtual void play(const QString &eventId, const QString &description) = 0;
};

// The sounds in use: the desktop's, made the first time a sound plays (a
// clock that never plays one does not load the library's backend), or a
// replacement. Passing nullptr restores the desktop's.
EventSound &eventSound();
void setEventSound(EventSound *replacement);

} // namespace toolkit

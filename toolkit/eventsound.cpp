#include "toolkit/eventsound.h"

#include <canberra.h>
#include <memory>

namespace toolkit {

namespace {

class CanberraSound final : public EventSound
{
public:
    ~CanberraSound() override
    {
        if (m_context)
            ca_context_destroy(m_context);
    }

    void play(const QString &eventId, const QString &description) override
    {
        if (!m_context && !open())
            return; // no sound system: the clock stays silent, as a muted desktop
        // Played on canberra's thread; a failure (no such sound in the theme,
        // no audio device) is silence, nothing to tell the user about.
        ca_context_play(m_context, 0, CA_PROP_EVENT_ID, eventId.toUtf8().constData(),
                        CA_PROP_EVENT_DESCRIPTION, description.toUtf8().constData(),
                        CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
    }

private:
    bool open()
    {
        if (ca_context_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            return false;
        }
        ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Tickora",
                                CA_PROP_APPLICATION_ID, "example.tickora.Tickora", nullptr);
        return true;
    }

    ca_context *m_context = nullptr;
};

EventSound *g_replacement = nullptr;

} // namespace

EventSound &eventSound()
{
    if (g_replacement)
        return *g_replacement;
    static CanberraSound sound;
    return sound;
}

void setEventSound(EventSound *replacement)
{
    g_replacement = replacement;
}

} // namespace toolkit

#include "toolkit/eventsound.h"

#include <canberra.h>
#include <dlfcn.h>

namespace toolkit {

namespace {

// The library and its decoders (Vorbis, Ogg, its cache's database) are
// loaded with the first sound: linked, they would take about 0.3 MB of
// every clock, chiming or not.
constexpr char LibraryName[] = "libcanberra.so.0";

class CanberraSound final : public EventSound
{
public:
    ~CanberraSound() override
    {
        if (m_context)
            m_destroy(m_context);
    }

    void play(const QString &eventId, const QString &description) override
    {
        if (!m_context && !open())
            return; // no sound library or system: silence, as on a muted desktop
        // Played on canberra's thread; a failure (no such sound in the theme,
        // no audio device) is silence, nothing to tell the user about.
        m_play(m_context, 0, CA_PROP_EVENT_ID, eventId.toUtf8().constData(), CA_PROP_EVENT_DESCRIPTION,
               description.toUtf8().constData(), CA_PROP_CANBERRA_CACHE_CONTROL, "permanent", nullptr);
    }

private:
    template <typename F> bool resolve(F &function, const char *name)
    {
        function = reinterpret_cast<F>(dlsym(m_library, name));
        return function != nullptr;
    }

    bool open()
    {
        if (m_failed)
            return false;
        m_failed = true; // tried once
        m_library = dlopen(LibraryName, RTLD_LAZY | RTLD_LOCAL);
        decltype(&ca_context_create) create = nullptr;
        decltype(&ca_context_change_props) changeProps = nullptr;
        if (!m_library || !resolve(create, "ca_context_create") || !resolve(changeProps, "ca_context_change_props")
            || !resolve(m_play, "ca_context_play") || !resolve(m_destroy, "ca_context_destroy"))
            return false;
        if (create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            return false;
        }
        changeProps(m_context, CA_PROP_APPLICATION_NAME, "Tickora", CA_PROP_APPLICATION_ID, "example.tickora.Tickora",
                    nullptr);
        m_failed = false;
        return true;
    }

    void *m_library = nullptr;
    ca_context *m_context = nullptr;
    decltype(&ca_context_play) m_play = nullptr;
    decltype(&ca_context_destroy) m_destroy = nullptr;
    bool m_failed = false;
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

#pragma once

#include <QString>

namespace agenda {

// Where reminders go.
class Notifier
{
public:
    virtual ~Notifier() = default;
    virtual void notify(const QString &title, const QString &body) = 0;
};

// The desktop's notification service (org.freedesktop.Notifications) on
// the session bus. The call is sent without waiting for an answer: with no
// bus or no service nothing shows and nothing is reported.
class DBusNotifier final : public Notifier
{
public:
    void notify(const QString &title, const QString &body) override;
};

} // namespace agenda

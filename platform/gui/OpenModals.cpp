#include "platform/gui/OpenModals.h"

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <utility>
#include <vector>

namespace platform {
namespace {

struct TWaiting {
    QPointer<QObject> Context;
    std::function<void()> Then;
};

int g_openModals = 0;
std::vector<TWaiting> g_waiting;

} // namespace

ModalScope::ModalScope()
{
    ++g_openModals;
}

ModalScope::~ModalScope()
{
    if (--g_openModals > 0)
        return;
    // Queued, so that the code that opened the last modal window finishes first.
    for (TWaiting &waiting : std::exchange(g_waiting, {}))
        if (QObject *context = waiting.Context)
            QMetaObject::invokeMethod(
                context, [context, then = std::move(waiting.Then)] { whenNoModalOpen(context, then); },
                Qt::QueuedConnection);
}

void whenNoModalOpen(QObject *Context, std::function<void()> Then)
{
    if (g_openModals == 0)
        Then();
    else
        g_waiting.push_back({Context, std::move(Then)});
}

} // namespace platform

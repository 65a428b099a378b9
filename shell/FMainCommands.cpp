#include "shell/FMainCommands.h"

#include <QCoreApplication>

CommandEvent *asCommand(QEvent *event)
{
    if (event->type() < QEvent::User || event->type() > QEvent::MaxUser)
        return nullptr;
    return dynamic_cast<CommandEvent *>(event);
}

std::optional<int> ChangedDrawsGame(const CommandEvent &Command)
{
    if (Command.type() == WM_DRAWS_CHANGED)
        return Command.LParam;
    if (Command.type() == WM_DRAWS_DOWNLOADED)
        return Command.WParam;
    return std::nullopt;
}

int sendCommand(QObject *target, QEvent::Type code, int wParam, int lParam)
{
    CommandEvent event(code, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.Result;
}

void postCommand(QObject *target, QEvent::Type code, int wParam, int lParam)
{
    QCoreApplication::postEvent(target, new CommandEvent(code, wParam, lParam));
}

#include "controls/MessageBeep.h"

#include <QApplication>

namespace {

std::function<void(unsigned)> &beepHook()
{
    static std::function<void(unsigned)> hook;
    return hook;
}

} // namespace

void MessageBeep(unsigned type)
{
    if (beepHook())
        beepHook()(type);
    else
        QApplication::beep();
}

void setMessageBeepHook(std::function<void(unsigned type)> hook)
{
    beepHook() = std::move(hook);
}

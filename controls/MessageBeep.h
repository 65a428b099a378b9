#pragma once
// The short warning sound of a refused action. Tests put a hook in place of the sound to count beeps.

#include <functional>

// Sounds the beep (QApplication::beep), or calls the hook when one is installed.
void MessageBeep(unsigned type);

// Installs a hook that replaces the sound; an empty function restores it.
void setMessageBeepHook(std::function<void(unsigned type)> hook);

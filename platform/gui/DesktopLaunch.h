#pragma once
// Starting the desktop's own programs: the web browser on an address, and a calculator.

#include <QString>

namespace platform {

// Opens the address in the desktop's web browser; false when no browser took it.
bool openInBrowser(const QString &Url);

// Starts the first calculator of the usual desktops that is installed; false when none is.
bool startCalculator();

} // namespace platform

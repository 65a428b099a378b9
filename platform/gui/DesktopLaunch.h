#pragma once
// Starting the desktop's own programs: the default application of a document, and a calculator.

#include <QString>

#include <functional>

namespace platform {

// Opens the file with the desktop's default application for its type; false when none took it.
bool openDocument(const QString &FileName);
// Takes the place of the desktop in openDocument while set (tests): answers whether the file was opened.
using OpenDocumentHook = std::function<bool(const QString &FileName)>;
void setOpenDocumentHook(OpenDocumentHook Hook);

// Starts the first calculator of the usual desktops that is installed; false when none is.
bool startCalculator();

} // namespace platform

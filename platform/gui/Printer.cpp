#include "platform/gui/Printer.h"

#include "platform/gui/QtPrinters.h"

#include <QCoreApplication>

namespace platform {
namespace {

std::unique_ptr<TPrinter> &installed()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

} // namespace

TPrinter &Printer()
{
    std::unique_ptr<TPrinter> &printer = installed();
    if (!printer) {
        printer = std::make_unique<TCupsPrinter>();
        // The QPrinter goes before the application object does.
        qAddPostRoutine([] { installed().reset(); });
    }
    return *printer;
}

void setPrinter(std::unique_ptr<TPrinter> NewPrinter)
{
    installed() = std::move(NewPrinter);
}

} // namespace platform

#pragma once
// The modal windows running (dialogs, message boxes, file dialogs, whether a user or a test's hook
// answers them), and work held back until none is: what the code that opened a modal window holds (a
// system, a row of it) must not change beneath it.

#include <functional>

class QObject;

namespace platform {

// Counts a modal window while it runs; every modal road (ModalHooks.h, MessageBox.h) holds one.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope &) = delete;
    ModalScope &operator=(const ModalScope &) = delete;
};

// Runs Then once no modal window is open: at once when none is, else from the event loop after the last
// one has closed and the code that opened it has returned (waiting again while another has opened
// meanwhile). Dropped once Context has gone. GUI thread only.
void whenNoModalOpen(QObject *Context, std::function<void()> Then);

} // namespace platform

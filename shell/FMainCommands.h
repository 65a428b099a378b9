#pragma once
// The commands that the main window hands to its child windows, and the mask through which a child
// window switches the main window's commands on and off.
//
// A command is a Qt custom event of type QEvent::User + n (n as the table of codes gives it). "Send" runs
// the child's handler at once (QCoreApplication::sendEvent) and reads back its Result; "post" queues the
// event (postEvent). A child window (TGenForm) handles the codes it knows in HandleCommand and ignores the
// others.

#include <QEvent>

#include <optional>

class QObject;

constexpr QEvent::Type commandCode(int n)
{
    return static_cast<QEvent::Type>(QEvent::User + n);
}

constexpr QEvent::Type WM_SYS_SAVE = commandCode(10);
constexpr QEvent::Type WM_SYS_REPORT = commandCode(30);
constexpr QEvent::Type WM_SYS_PRINT = commandCode(35);
constexpr QEvent::Type WM_SYS_GUARANTEE = commandCode(40);
constexpr QEvent::Type WM_SYS_KEY = commandCode(50);
constexpr QEvent::Type WM_SYS_KEY_DONE = commandCode(55);
constexpr QEvent::Type WM_SYS_CHECK = commandCode(90);
constexpr QEvent::Type WM_COMB_ADD = commandCode(100);
constexpr QEvent::Type WM_COMB_EDIT = commandCode(110);
constexpr QEvent::Type WM_COMB_DELETE = commandCode(120);
constexpr QEvent::Type WM_SYS_PARAMS = commandCode(130);
constexpr QEvent::Type WM_TASK_START = commandCode(140);
constexpr QEvent::Type WM_TASK_STOP = commandCode(150);
constexpr QEvent::Type WM_DRAWS_RANGE = commandCode(160);
constexpr QEvent::Type WM_SYS_DISTRIBUTION = commandCode(170);
constexpr QEvent::Type WM_DRAWS_CHANGED = commandCode(180);
constexpr QEvent::Type WM_DRAWS_DOWNLOADED = commandCode(200);
constexpr QEvent::Type WM_SYS_FILTER = commandCode(220);
constexpr QEvent::Type WM_SYS_COPY = commandCode(230);
constexpr QEvent::Type WM_SYS_STATS = commandCode(240);
constexpr QEvent::Type WM_SYS_HISTORY = commandCode(250);

// Notices (not commands) the main window sends a child window when it becomes the active one and when
// another child window takes its place; a child then switches the frame's commands (EnableCommands).
constexpr QEvent::Type ChildActivateNotice = commandCode(1);
constexpr QEvent::Type ChildDeactivateNotice = commandCode(2);

// One command with its two parameters; Result answers a sent command: 1 when the child handled it, else 0
// (WM_DRAWS_RANGE: 1 when the child showed its own range dialog).
class CommandEvent : public QEvent {
public:
    CommandEvent(QEvent::Type code, int wParam, int lParam) : QEvent(code), WParam(wParam), LParam(lParam) {}

    const int WParam;
    const int LParam;
    int Result = 0;
};

// The command carried by a custom event, or nullptr for any other event.
CommandEvent *asCommand(QEvent *event);

// The game whose draws a notice says have changed: the draws editor's save (WM_DRAWS_CHANGED, the id in
// lParam) or a download's merge (WM_DRAWS_DOWNLOADED, the id in wParam); none for any other command.
std::optional<int> ChangedDrawsGame(const CommandEvent &Command);

// Runs the target's handler now and answers its Result.
int sendCommand(QObject *target, QEvent::Type code, int wParam = 0, int lParam = 0);
// Queues the command; the target handles it from the event loop.
void postCommand(QObject *target, QEvent::Type code, int wParam = 0, int lParam = 0);

// The command mask: one bit per group of commands of the main window.
enum CommandMask : int {
    cmdSave = 0x1,
    cmdRead = 0x2,
    cmdReport = 0x4,
    cmdPrint = 0x8,
    cmdGuarantee = 0x10,
    cmdKey = 0x20,
    cmdCheck = 0x40,
    cmdAdd = 0x80,
    cmdEdit = 0x100,
    cmdDelete = 0x200,
    cmdParams = 0x400,
    cmdStart = 0x800,
    cmdStop = 0x1000,
    cmdFilter = 0x2000,
    cmdDistribution = 0x4000,
    cmdCopy = 0x8000,
    cmdLogicalOps = 0x10000,
    cmdSysStats = 0x20000,
    cmdHistory = 0x40000,
    cmdAll = 0x7FFFF,
};

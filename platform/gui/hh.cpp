#include "platform/gui/hh.h"

#include "platform/ProgramDir.h"
#include "platform/gui/HelpWindow.h"
#include "platform/gui/WindowFit.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QWindow>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>

namespace platform {
namespace {

const std::string HelpFolderName = "Help/";
const std::string HelpMapName = "contexts.txt";

struct THtmlHelp {
    bool Loaded = false;
    bool Installed = false;
    std::string Folder;
    std::map<int, std::string> Pages; // context number -> page with an optional "#anchor"
    QPointer<THelpWindow> Window;
};

THtmlHelp &Help()
{
    static THtmlHelp help;
    return help;
}

// "302 FSysShort.html#params": the number, one or more blanks, the page. Other lines are skipped.
std::map<int, std::string> ReadMap(const std::filesystem::path &File)
{
    std::map<int, std::string> pages;
    std::ifstream in(File, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        int context = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), context);
        if (error != std::errc() || end == line.data() + line.size() || *end != ' ')
            continue;
        const size_t page = line.find_first_not_of(' ', size_t(end - line.data()));
        if (page != std::string::npos)
            pages[context] = line.substr(page);
    }
    return pages;
}

QUrl PageUrl(const std::string &Page)
{
    const size_t hash = Page.find('#');
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(Help().Folder + Page.substr(0, hash)));
    if (hash != std::string::npos)
        url.setFragment(QString::fromStdString(Page.substr(hash + 1)));
    return url;
}

QUrl ContextUrl(int ContextId)
{
    const auto &pages = Help().Pages;
    auto page = pages.find(ContextId);
    if (page == pages.end())
        page = pages.find(HelpContentsContext);
    return page == pages.end() ? QUrl() : PageUrl(page->second);
}

// A window shown while a modal dialog runs stays usable: it counts as the dialog's own window.
void KeepUsableBeside(THelpWindow &Window)
{
    Window.winId();
    QWidget *modal = QApplication::activeModalWidget();
    Window.windowHandle()->setTransientParent(modal && modal != &Window ? modal->windowHandle() : nullptr);
}

// The program's main window while it is shown.
const QWidget *MainWindow()
{
    for (const QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<const QMainWindow *>(window))
            return window;
    return nullptr;
}

} // namespace

void LoadHtmlHelp()
{
    THtmlHelp &help = Help();
    if (help.Loaded)
        return;
    help.Loaded = true;
    help.Folder = programDir() + HelpFolderName;
    std::error_code error;
    const std::filesystem::path map = std::filesystem::path(help.Folder) / HelpMapName;
    help.Installed = std::filesystem::is_directory(help.Folder, error) && std::filesystem::is_regular_file(map, error);
    if (help.Installed)
        help.Pages = ReadMap(map);
}

void UnloadHtmlHelp()
{
    HtmlHelpCloseAll();
    Help() = THtmlHelp();
}

std::string HtmlHelpFolder()
{
    return programDir() + HelpFolderName;
}

bool HtmlHelpInstalled()
{
    return Help().Installed;
}

THelpWindow *HtmlHelpShowContext(int ContextId)
{
    THtmlHelp &help = Help();
    if (!help.Installed)
        return nullptr;
    if (!help.Window) {
        help.Window = new THelpWindow(ContextUrl(HelpContentsContext));
        help.Window->setAttribute(Qt::WA_DeleteOnClose);
        // Inside its screen, as every window, and centred over the main window.
        fitToArea(*help.Window);
        if (const QWidget *main = MainWindow())
            centreOver(*help.Window, *main);
    }
    if (const QUrl page = ContextUrl(ContextId); !page.isEmpty())
        help.Window->ShowPage(page);
    KeepUsableBeside(*help.Window);
    help.Window->show();
    help.Window->raise();
    help.Window->activateWindow();
    return help.Window;
}

THelpWindow *HtmlHelpWindow()
{
    return Help().Window;
}

void HtmlHelpCloseAll()
{
    if (THelpWindow *window = Help().Window)
        delete window;
}

} // namespace platform

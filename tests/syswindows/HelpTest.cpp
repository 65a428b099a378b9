#include "core/MyReg.h"
#include "core/UGlobalRegistry.h"
#include "platform/gui/HelpWindow.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/hh.h"
#include "platform/gui/hh_funcs.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace {

// The page the help window shows: its file name and "#anchor"; empty with no help window.
QString ShownPage()
{
    const platform::THelpWindow *window = platform::HtmlHelpWindow();
    if (!window)
        return QString();
    const QUrl page = window->CurrentPage();
    return QFileInfo(page.toLocalFile()).fileName() + (page.hasFragment() ? "#" + page.fragment() : QString());
}

QString ReadText(const QString &File)
{
    QFile file(File);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << File.toStdString();
    return QString::fromUtf8(file.readAll());
}

// Whether "page#anchor" (or a page alone) exists in the folder.
bool Resolves(const QDir &Folder, const QString &Target)
{
    const QString page = Target.section('#', 0, 0);
    const QString anchor = Target.section('#', 1);
    if (!Folder.exists(page))
        return false;
    return anchor.isEmpty() || ReadText(Folder.filePath(page)).contains("<a name=\"" + anchor + "\">");
}

} // namespace

class HelpTest : public SysWindowTest {
protected:
    void PrepareFolder() override { folder->addShippedHelp(); }

    // The main window again, as a new start of the program on the settings store as it is.
    void Restart()
    {
        frame.reset();
        frame = std::make_unique<TfrmMain>();
        frame->show();
    }

    static void PressF1(QWidget &Window)
    {
        QApplication::setActiveWindow(&Window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window, testsupport::HangGuardMs));
        QTest::keyClick(&Window, Qt::Key_F1);
    }

    // F1 with the focus on Focus, inside the active main window.
    void PressF1On(QWidget &Focus)
    {
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get(), testsupport::HangGuardMs));
        Focus.setFocus();
        ASSERT_EQ(QApplication::focusWidget(), &Focus);
        QTest::keyClick(&Focus, Qt::Key_F1);
    }
};

TEST(HelpPages, EveryContextHasItsPageEveryLinkResolvesAndTheContentsLinkEveryPage)
{
    testsupport::ProgramFolder folder;
    folder.addShippedHelp();
    const QDir help(QString::fromStdString((folder.path() / "Help").string()));

    std::map<int, QString> map;
    for (const QString &line : ReadText(help.filePath("contexts.txt")).split('\n', Qt::SkipEmptyParts))
        map[line.section(' ', 0, 0).toInt()] = line.section(' ', 1);
    std::vector<int> required = {10,  201, 202, 203, 204, 205, 301, 302, 303, 304, 305, 306, 307, 308, 401, 402,
                                 404, 502, 503, 504, 505, 508, 701, 702, 703, 704, 705, 706, 707, 708, 709, 710};
    for (int context = 602; context <= 614; ++context)
        required.push_back(context);
    for (int context : required) {
        ASSERT_TRUE(map.count(context)) << context;
        EXPECT_TRUE(Resolves(help, map[context])) << context << " " << map[context].toStdString();
    }

    const QRegularExpression link("href=\"([^\"]+)\"");
    std::set<QString> linkedFromContents;
    const QStringList pages = help.entryList({"*.html"}, QDir::Files);
    for (const QString &page : pages) {
        const QString text = ReadText(help.filePath(page));
        EXPECT_FALSE(text.contains("<script", Qt::CaseInsensitive)) << page.toStdString();
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(Resolves(help, target)) << page.toStdString() << " -> " << target.toStdString();
            if (page == "index.html")
                linkedFromContents.insert(target.section('#', 0, 0));
        }
    }
    for (const QString &page : pages)
        EXPECT_TRUE(page == "index.html" || linkedFromContents.count(page)) << page.toStdString();
}

TEST_F(HelpTest, AContextShowsItsPageAnUnknownOneTheContentsAndTheWindowGoesBackAndClosesWithTheFrame)
{
    EXPECT_EQ(frame->HelpSystem->HelpContext(302), platform::HH_OK);
    EXPECT_EQ(ShownPage(), "system-klasyczny.html");
    EXPECT_EQ(frame->HelpSystem->HelpContext(404), platform::HH_OK);
    EXPECT_EQ(ShownPage(), "system-zlozony.html#gwarancja");
    frame->HelpSystem->HelpContext(999);
    EXPECT_EQ(ShownPage(), "index.html");
    platform::HtmlHelpWindow()->btnBack->click();
    EXPECT_EQ(ShownPage(), "system-zlozony.html#gwarancja");
    platform::HtmlHelpWindow()->btnContents->click();
    EXPECT_EQ(ShownPage(), "index.html");

    // The Windows help programs do not exist here.
    EXPECT_EQ(platform::ShowContext(platform::HelpMapFile, 302, platform::THelpHost::KeyHH), platform::HH_NO_KEYHH);
    EXPECT_EQ(platform::ShowContext(platform::HelpMapFile, 302, platform::THelpHost::HH), platform::HH_NO_HH);

    frame->close();
    EXPECT_EQ(platform::HtmlHelpWindow(), nullptr);
}

TEST_F(HelpTest, F1ShowsTheFramesContextAndInAModalDialogTheDialogsOwn)
{
    PressF1(*frame);
    EXPECT_EQ(ShownPage(), "glowne-okno.html");

    bool dialogSeen = false;
    script.onDialog([&](QDialog &Dialog) {
        PressF1(Dialog);
        EXPECT_EQ(ShownPage(), "system-klasyczny.html");
        dialogSeen = true;
    });
    sendCommand(OpenClassic(), WM_SYS_PARAMS);
    EXPECT_TRUE(dialogSeen);
}

TEST_F(HelpTest, TheHelpWindowOpensCentredOverTheMainWindowEachTime)
{
    frame->setGeometry(100, 50, 1000, 700);
    for (int opening = 0; opening < 2; ++opening) {
        PressF1(*frame);
        platform::THelpWindow *window = platform::HtmlHelpWindow();
        ASSERT_NE(window, nullptr);
        const QPoint off = window->frameGeometry().center() - frame->frameGeometry().center();
        EXPECT_LE(off.manhattanLength(), 2) << opening << ": " << off.x() << "," << off.y();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(platform::HtmlHelpWindow(), nullptr);
    }
}

TEST_F(HelpTest, F1InAChildWindowShowsItsOwnPageAndOnTheFrameTheFrames)
{
    TGenSysForm *window = OpenClassic();
    PressF1On(*window->sgSystem);
    EXPECT_EQ(ShownPage(), "system-klasyczny.html");
    PressF1On(*frame->cbGame);
    EXPECT_EQ(ShownPage(), "glowne-okno.html#gra");
}

TEST_F(HelpTest, TheFirstRunOpensTheContentsOnce)
{
    EXPECT_EQ(platform::HtmlHelpWindow(), nullptr);
    StartEmpty();
    Restart();
    EXPECT_EQ(ShownPage(), "index.html");
    platform::HtmlHelpCloseAll();
    Restart();
    EXPECT_EQ(platform::HtmlHelpWindow(), nullptr);
}

TEST_F(HelpTest, WithoutTheHelpFolderEveryRequestSaysSo)
{
    frame.reset();
    std::filesystem::remove_all(folder->path() / "Help");
    Restart();
    script.answerBox(platform::IDOK);
    frame->mHelpIndex->trigger();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Pomoc programu nie jest zainstalowana.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(platform::HtmlHelpWindow(), nullptr);
}

TEST_F(HelpTest, DebugWritesOneLogLinePerHelpCall)
{
    frame.reset();
    platform::LoadHtmlHelp();
    platform::InitHelpLog({"/DEBUG"});
    const QString log = platform::HelpLogFile();
    EXPECT_EQ(QFileInfo(log).absolutePath(), QDir(QString::fromStdString(folder->path().string())).absolutePath());
    {
        platform::THookHelpSystem help(platform::HelpMapFile, QString(), platform::THelpHost::HtmlHelp);
        help.HelpContext(302);
        bool callHelp = false;
        EXPECT_TRUE(help.HelpHook(platform::HELP_SETPOPUP_POS, platform::MakePopupPos(5, 7), callHelp));
        EXPECT_FALSE(callHelp);
        EXPECT_EQ(help.PopupPos(), QPoint(5, 7));
        help.HelpHook(257, 0, callHelp);
        EXPECT_TRUE(callHelp);
    }
    const QStringList lines = ReadText(log).split('\n', Qt::SkipEmptyParts);
    const QStringList calls = lines.mid(lines.lastIndexOf(QRegularExpression("^=+$")) + 1);
    QStringList names;
    for (const QString &call : calls)
        names << call.section('(', 0, 0);
    EXPECT_EQ(names, QStringList({"THookHelpSystem.Create", "HHHelpContext", "ShowContext", "HHShowError",
                                  "THookHelpSystem.HelpHook", "THookHelpSystem.HelpHook"}));
    EXPECT_TRUE(lines.contains("Help installed: YES"));

    // A later start without the flag removes the old log and writes none.
    platform::InitHelpLog({});
    platform::THookHelpSystem quiet(platform::HelpMapFile, QString(), platform::THelpHost::HtmlHelp);
    EXPECT_FALSE(QFile::exists(log));
    platform::UnloadHtmlHelp();
}

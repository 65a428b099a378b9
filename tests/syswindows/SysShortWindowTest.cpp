#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "core/UGlobalFiles.h"
#include "engine/USysShort.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FSysShort.h"
#include "syswindows/FWriteFile.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <filesystem>
#include <map>
#include <set>

namespace {

const QString nbsp = QString(QChar(0x00A0));

// What a window with visible combinations offers, besides the kind's own commands.
constexpr int ListedCommands = cmdRead | cmdSave | cmdReport | cmdPrint | cmdGuarantee | cmdKey | cmdCheck |
                               cmdFilter | cmdDistribution | cmdCopy | cmdSysStats | cmdHistory | cmdAdd |
                               cmdEdit | cmdDelete | cmdLogicalOps;
constexpr int OutputCommands = cmdReport | cmdPrint | cmdCheck | cmdSysStats | cmdHistory;

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Records what the main window's status bar shows whenever the generator reports its progress.
class ProgressRecordingWindow : public TfrmSysShort {
public:
    struct Seen {
        int Position;
        QString Percent;
        QString Status;
    };
    std::vector<Seen> Reports;

    void DoProgress(int Pos, int Step) override
    {
        TfrmSysShort::DoProgress(Pos, Step);
        Reports.push_back({frmMain->ALProgressBar1->Position(), frmMain->lblProg->text(),
                           frmMain->ALStatusBar1->Panels[1].Text});
    }
};

} // namespace

class SysShortWindowTest : public SysWindowTest {
protected:
    TGameData *Lotto() const { return Games.GameById(LottoId); }

    // Saves through the name dialog, typing Title and Comment.
    void Save(TGenSysForm *Window, const QString &Title, const QString &Comment)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &names = dynamic_cast<TfrmWriteFile &>(Dialog);
            names.Edit1->setText(Title);
            names.Memo1->setPlainText(Comment);
            names.btnSave->click();
        });
        sendCommand(Window, WM_SYS_SAVE);
    }

    void SelectRows(TGenSysForm *Window, int Top, int Bottom)
    {
        Window->sgSystem->setSelection({0, Top, 1, Bottom});
    }
};

TEST_F(SysShortWindowTest, GeneratedSystemIsSavedReadBackAndOpenedRowForRow)
{
    TGenSysForm *window = OpenClassic();
    EXPECT_EQ(window->windowTitle(), "<Lotto #1> Skrócony - klasyczny");
    AnswerParams(12, 6, 22);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    ASSERT_EQ(window->State, 0);
    EXPECT_EQ(window->windowTitle(), "<Lotto #1> Skrócony - klasyczny 6/12/22");
    EXPECT_EQ(frame->ALStatusBar1->Panels[1].Text, "");
    EXPECT_EQ(frame->ALProgressBar1->Position(), 0);

    // 22 distinct combinations of 6 of the numbers 1..12, each number in exactly 22 x 6 / 12 of them.
    const QStringList rows = RowTexts(*window);
    ASSERT_EQ(rows.size(), 22);
    std::set<std::vector<int>> distinct;
    std::map<int, int> uses;
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_TRUE(rows[i].startsWith(QString::number(i + 1) + "|")) << rows[i].toStdString();
        const std::vector<int> numbers = RowNumbers(rows[i]);
        ASSERT_EQ(numbers.size(), 6u) << rows[i].toStdString();
        EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end()));
        EXPECT_GE(numbers.front(), 1);
        EXPECT_LE(numbers.back(), 12);
        distinct.insert(numbers);
        for (int number : numbers)
            ++uses[number];
    }
    EXPECT_EQ(distinct.size(), 22u);
    for (int number = 1; number <= 12; ++number)
        EXPECT_EQ(uses[number], 11) << number;
    EXPECT_EQ(rows[0].section('|', 1), " 1  2  3  4  5  6 ") << "rows follow in lexicographic order";

    const QStringList info = {"6", "12", "22", "924", "0,02381", "3,00" + nbsp + "zł", "66,00" + nbsp + "zł"};
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(StatValue(*window, row), info[row - 1]) << row;
    EXPECT_EQ(window->sgKey->ColCount(), 13);
    EXPECT_EQ(window->sgKey->Cells(12, 0), "12");
    EXPECT_EQ(window->sgKey->Cells(12, 1), "12");

    script.onDialog([](QDialog &Dialog) {
        auto &names = dynamic_cast<TfrmWriteFile &>(Dialog);
        EXPECT_EQ(names.windowTitle(), "Zapis systemu");
        EXPECT_EQ(names.Edit1->text(), "System skrócony - klasyczny 6/12/22");
        names.Edit1->setText("Sobota");
        names.Memo1->setPlainText("dwanaście liczb");
        names.btnSave->click();
    });
    sendCommand(window, WM_SYS_SAVE);
    EXPECT_TRUE(script.boxes().empty()) << "saving says nothing when it succeeds";
    const std::string file = DataDir + "L1.dat";
    ASSERT_TRUE(std::filesystem::is_regular_file(file));
    window->Close();
    FlushDeletes();
    EXPECT_TRUE(frame->ChildForms().empty());

    TDynByteArr bytes;
    ASSERT_TRUE(readFileBytes(file, bytes));
    platform::ByteReader reader(bytes);
    TFileHeader header;
    TFileInfo fileInfo;
    ASSERT_TRUE(readFileHeader(reader, header) && readFileInfo(reader, fileInfo));
    EXPECT_EQ(header.GameId, LottoId);
    EXPECT_EQ(header.SubKind, 0);
    EXPECT_EQ(fileInfo.Title, "Sobota");
    EXPECT_EQ(fileInfo.Comment, "dwanaście liczb");

    std::unique_ptr<TSystem> system = CreateSystem(0, Lotto());
    ASSERT_TRUE(system->LoadFromFile(file));
    TGenSysForm *opened = NewSysWindow(0);
    opened->OpenSystem(Lotto(), std::move(system));
    Activate(opened);
    EXPECT_EQ(opened->windowTitle(), "<Lotto #2> Skrócony - klasyczny 6/12/22");
    EXPECT_EQ(RowTexts(*opened), rows);
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(StatValue(*opened, row), info[row - 1]) << row;
}

TEST_F(SysShortWindowTest, ACostBeyondTheRangeOfMoneyIsShownAsSuchAndRefused)
{
    TGenSysForm *window = Generate(12, 6, 924);
    ASSERT_EQ(window->State, 0);
    // 924 bets at 10^12 zł each: the cost leaves the range of money.
    Lotto()->Info.BasicStake = Currency::fromDouble(1e12);
    window->RefreshAll();
    EXPECT_EQ(StatValue(*window, 7), "poza zakresem");
    EXPECT_EQ(StatValue(*window, 6), "1" + nbsp + "000" + nbsp + "000" + nbsp + "000" + nbsp + "000,00" + nbsp + "zł");

    // The dialog shows the same and refuses OK; the window keeps its system.
    script.answerBox(platform::IDOK);
    script.onDialog([](QDialog &Dialog) {
        auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
        EXPECT_EQ(params.sgStat->Cells(1, 4), "poza zakresem");
        params.btnOk->click();
    });
    sendCommand(window, WM_SYS_PARAMS);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Koszt takiego systemu przekracza zakres kwot programu.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_FALSE(qobject_cast<TfrmSysShort *>(window)->Generating());
    EXPECT_EQ(RowTexts(*window).size(), 924);

    // 922 bets cost 922 000 000 000 000,00 zł: that fits.
    AnswerParams(12, 6, 922);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(StatValue(*window, 7), "922" + nbsp + "000" + nbsp + "000" + nbsp + "000" + nbsp + "000,00" + nbsp + "zł");
    EXPECT_EQ(frame->ChildForms().size(), 1u);
}

TEST_F(SysShortWindowTest, GenerationShowsItsProgressOnTheMainStatusBar)
{
    auto *window = new ProgressRecordingWindow;
    AddChildForm(window);
    window->SetGame(Lotto());
    Activate(window);
    AnswerParams(12, 6, 22);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    ASSERT_FALSE(window->Reports.empty());
    for (const ProgressRecordingWindow::Seen &seen : window->Reports)
        EXPECT_EQ(seen.Status, "Generowanie systemu...");
    EXPECT_EQ(window->Reports.back().Position, 10000);
    EXPECT_EQ(window->Reports.back().Percent, "100%");
    EXPECT_EQ(frame->ALProgressBar1->Position(), 0);
    EXPECT_EQ(frame->lblProg->text(), "");
    EXPECT_EQ(frame->ALStatusBar1->Panels[1].Text, "");
}

TEST_F(SysShortWindowTest, DeleteRemovesTheSelectedRowsWithoutAsking)
{
    TGenSysForm *window = Generate(12, 6, 22);
    const QStringList before = RowTexts(*window);
    SelectRows(window, 2, 4);
    sendCommand(window, WM_COMB_DELETE);
    const QStringList after = RowTexts(*window);
    ASSERT_EQ(after.size(), 19);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_EQ(after[1], "2|" + before[4].section('|', 1));
    EXPECT_EQ(after[18], "19|" + before[21].section('|', 1));
    EXPECT_EQ(StatValue(*window, 3), "19");
    EXPECT_EQ(StatValue(*window, 7), "57,00" + nbsp + "zł");

    SelectRows(window, 1, 19);
    sendCommand(window, WM_COMB_DELETE);
    EXPECT_EQ(window->ViewCount(), 0);
    EXPECT_EQ(window->sgSystem->RowCount(), 2);
    EXPECT_EQ(RowTexts(*window), QStringList{"|"});
    EXPECT_EQ(StatValue(*window, 3), "");
    EXPECT_EQ(StatValue(*window, 7), "") << "no cost is left of the deleted rows";
    EXPECT_EQ(EnabledMask(), cmdRead | cmdAdd | cmdLogicalOps | cmdParams);
}

TEST_F(SysShortWindowTest, CommandsFollowTheWindowsState)
{
    TGenSysForm *window = OpenClassic();
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams);

    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmParSysShort &>(Dialog).btnCancel->click(); });
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(window->ViewCount(), 0);
    EXPECT_FALSE(store().value("Systems\\1\\0", "n")) << "Cancel keeps nothing";

    AnswerParams(12, 6, 22);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(EnabledMask(), ListedCommands | cmdParams);

    AnswerParams(12, 6, 22, true);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    EXPECT_EQ(EnabledMask(), ListedCommands | cmdParams | cmdStart);
    sendCommand(window, WM_TASK_START);
    WaitForGeneration(window);
    EXPECT_EQ(RowTexts(*window).size(), 22);

    // Another window's activation leaves the logical operations on only while two windows hold systems.
    TGenSysForm *empty = OpenClassic();
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams);
    auto *plain = new TGenForm;
    AddChildForm(plain);
    Activate(plain);
    EXPECT_EQ(EnabledMask(), cmdRead);
    EXPECT_EQ(CountSystemWindows(), 1);

    Activate(empty);
    AnswerParams(10, 5, 3);
    sendCommand(empty, WM_SYS_PARAMS);
    WaitForGeneration(empty);
    Activate(plain);
    EXPECT_EQ(CountSystemWindows(), 2);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdLogicalOps);

    // A window closed behind the active one leaves the active window its commands.
    Activate(window);
    const int active = EnabledMask();
    empty->Close();
    QCoreApplication::processEvents();
    EXPECT_EQ(EnabledMask(), active);
}

TEST_F(SysShortWindowTest, SystemsAboveTheOutputLimitCannotBeReportedPrintedOrChecked)
{
    // The full 19/8 system, 75582 combinations, trimmed to 65001 and then to 65000.
    TGenSysForm *window = Generate(19, 8, 75582);
    ASSERT_EQ(window->ViewCount(), 75582);
    EXPECT_EQ(StatValue(*window, 5), "1,00000");
    EXPECT_EQ((EnabledMask() & OutputCommands), 0);
    SelectRows(window, 1, 10581);
    sendCommand(window, WM_COMB_DELETE);
    ASSERT_EQ(window->ViewCount(), 65001);
    EXPECT_EQ((EnabledMask() & OutputCommands), 0);
    EXPECT_EQ((EnabledMask() & cmdSave), cmdSave);
    SelectRows(window, 1, 1);
    sendCommand(window, WM_COMB_DELETE);
    ASSERT_EQ(window->ViewCount(), 65000);
    EXPECT_EQ((EnabledMask() & OutputCommands), OutputCommands);
}

TEST_F(SysShortWindowTest, CombinationColumnAndWindowFitTheCombinationLength)
{
    TGenSysForm *six = Generate(12, 6, 22);
    EXPECT_EQ(six->sgSystem->ColWidths(1), ScaledWidth(144));
    EXPECT_EQ(six->sgSystem->width(), six->sgSystem->CalcGridWidth(true));
    TGenSysForm *eight = Generate(10, 8, 5);
    EXPECT_EQ(eight->sgSystem->ColWidths(1), ScaledWidth(192));
    EXPECT_EQ(eight->sgSystem->width(), eight->sgSystem->CalcGridWidth(true));
}

TEST_F(SysShortWindowTest, AFailedSaveSaysSoAndKeepsTheWindow)
{
    TGenSysForm *window = Generate(12, 6, 22);
    const QStringList rows = RowTexts(*window);

    // No data folder can be made where a file of its name stands.
    folder->writeFile("Data", "");
    script.answerBox(platform::IDOK);
    Save(window, "Sobota", "");
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie można zapisać pliku.\n" + QString::fromStdString(DataDir));
    EXPECT_EQ(script.boxes()[0].Flags, 48);

    // The file itself cannot be written over a folder of its name.
    std::filesystem::remove(folder->path() / "Data");
    std::filesystem::create_directories(folder->path() / "Data" / "L1.dat");
    script.answerBox(platform::IDOK);
    Save(window, "Sobota", "");
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[1].Text, "Nie można zapisać pliku.\n" + QString::fromStdString(DataDir + "L1.dat"));

    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(RowTexts(*window), rows);
    EXPECT_EQ((EnabledMask() & cmdSave), cmdSave);
}

TEST_F(SysShortWindowTest, CancelledNameDialogWritesNothing)
{
    TGenSysForm *window = Generate(12, 6, 22);
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmWriteFile &>(Dialog).btnCancel->click(); });
    sendCommand(window, WM_SYS_SAVE);
    EXPECT_FALSE(std::filesystem::exists(folder->path() / "Data"));
}

TEST_F(SysShortWindowTest, CopyOutlivesItsOriginal)
{
    TGenSysForm *original = Generate(12, 6, 22, true);
    const QStringList rows = RowTexts(*original);
    sendCommand(original, WM_SYS_COPY);
    auto *copy = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
    ASSERT_NE(copy, original);
    EXPECT_EQ(copy->windowTitle(), "<Lotto #2> Skrócony - klasyczny 6/12/22");
    EXPECT_EQ(RowTexts(*copy), rows);

    original->Close();
    FlushDeletes();
    Activate(copy);
    // A random system generated again reports its progress to its own window.
    sendCommand(copy, WM_TASK_START);
    WaitForGeneration(copy);
    EXPECT_EQ(copy->ViewCount(), 22);
}

TEST_F(SysShortWindowTest, NewAndCopiedWindowsOpenOneCascadeStepFromTheActiveOne)
{
    // Every classic window centres itself when shown: without the cascade they would lie one over another.
    frame->resize(1600, 1200);
    TGenSysForm *original = Generate(12, 6, 22);
    const auto position = [](QWidget *Form) { return Form->parentWidget()->pos(); };
    sendCommand(original, WM_SYS_COPY);
    QWidget *copy = frame->ChildForms().back();
    const QPoint step = position(copy) - position(original);
    EXPECT_TRUE(step.x() > 0 && step.y() == step.x()) << step.x() << "," << step.y();
    Activate(copy);
    EXPECT_EQ(position(OpenClassic()), position(copy) + step);
}

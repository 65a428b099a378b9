// The filter editor over a system window's system and over a draw history: counts against plain
// counts, what OK leaves in the window, the refusals, stopping, the parameter record and saved sets.
#include "controls/FloatSpin.h"
#include "core/ProgramParams.h"
#include "core/UGlobalFiles.h"
#include "engine/FilterQuantities.h"
#include "engine/UDrawsDB.h"
#include "engine/UFilters.h"
#include "engine/USysUser.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalFilters.h"
#include "shell/FGlobalStartup.h"
#include "shell/FSelectComb.h"
#include "shell/ParamsRecord.h"
#include "syswindows/FFilter.h"
#include "syswindows/FFilterExplore.h"
#include "syswindows/FWriteFile.h"
#include "tests/support/ProcessUntil.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QRadioButton>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <utility>

namespace {

using testsupport::ProcessUntil;

bool SumWithin(const uint8_t *Comb, int K, int From, int To)
{
    const int sum = CombSum(Comb, uint32_t(K));
    return From <= sum && sum <= To;
}

// Marks as many rows as a system of more than 2^32 rows might: more than 32 bits hold.
class HugeMarkingSystem : public TSysUser {
public:
    using TSysUser::TSysUser;
    int64_t GetCount() const override { return int64_t(1) << 33; }
    int64_t MarkByFilter(TGroupFilter &, const TMyThread &, const TProgressProc &) override
    {
        return (int64_t(1) << 32) + 5;
    }
};

// Holds each filtering and exploring run over it until the run is stopped or let go; counts the runs.
class HoldingSystem : public TSysUser {
public:
    using TSysUser::TSysUser;
    std::atomic<int> Runs{0};
    std::atomic<bool> LetGo{false};

    int64_t MarkByFilter(TGroupFilter &FilterSet, const TMyThread &Thread,
                         const TProgressProc &OnProgress) override
    {
        Hold(Thread);
        return TSysUser::MarkByFilter(FilterSet, Thread, OnProgress);
    }
    void CollectEFilters(const TEFilters &EFilters, TGroupFilter *GroupFilter, const TMyThread &Thread,
                         const TProgressProc &OnProgress) override
    {
        Hold(Thread);
        TSysUser::CollectEFilters(EFilters, GroupFilter, Thread, OnProgress);
    }

private:
    void Hold(const TMyThread &Thread)
    {
        ++Runs;
        // The guard only ends a hang of a window that never stops its worker.
        const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
        while (!LetGo && !Thread.GetTerminated() && std::chrono::steady_clock::now() < guard)
            std::this_thread::yield();
    }
};

// A left button event at the middle of Widget.
void Mouse(QWidget *Widget, QEvent::Type Type)
{
    const QPointF at = QRectF(Widget->rect()).center();
    const Qt::MouseButtons held = Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(Type, at, Widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(Widget, &event);
}

const QString nbsp = QString(QChar(0x00A0));

} // namespace

class FilterEditorTest : public SysWindowTest {
protected:
    // Every combination of 10 numbers, 6 per bet: 210 rows.
    TGenSysForm *AllRows()
    {
        TGenSysForm *window = Generate(10, 6, 210);
        EXPECT_EQ(window->System->CountDistinct(), 210);
        return window;
    }

    static int PlainCount(const TSystem &System, int From, int To)
    {
        int count = 0;
        for (int i = 0; i < System.ViewCount(); ++i)
            count += SumWithin(System.GetComb(i, true), System.K, From, To) ? 1 : 0;
        return count;
    }

    TGameData *Lotto() const { return Games.GameById(LottoId); }
};

TEST_F(FilterEditorTest, CountsMatchAPlainCountAndOkMarksDeletesOrCopiesThePassingRows)
{
    TGenSysForm *window = AllRows();
    const int passing = PlainCount(*window->System, 25, 30);
    ASSERT_GT(passing, 0);
    OnEditor([&](TfrmFilter &F) {
        AddSum(F, 25, 30);
        F.chkOptDelComb->setChecked(false);
        F.chkOptNewWindow->setChecked(false);
        PressOK(F);
    });
    sendCommand(window, WM_SYS_FILTER);
    EXPECT_TRUE(window->rbViewFlt->isChecked());
    EXPECT_EQ(window->ViewCount(), passing);

    // The filter in force comes back into the editor; removing it shows every row again.
    OnEditor([](TfrmFilter &F) {
        ASSERT_EQ(F.SelectedFilters().Count(), 1);
        EXPECT_EQ(F.CurrentKind(), int(fltSum));
        F.btnCancel->click();
    });
    sendCommand(window, WM_SYS_FILTER);
    window->btnFltDel->click();
    ASSERT_EQ(window->ViewCount(), 210);

    // The delete type into a new window: the copy keeps the rows outside the filter.
    const size_t windows = frame->ChildForms().size();
    OnEditor([&](TfrmFilter &F) {
        AddSum(F, 25, 30);
        F.rbFltDel->setChecked(true);
        F.chkOptDelComb->setChecked(true);
        F.chkOptNewWindow->setChecked(true);
        PressOK(F);
    });
    sendCommand(window, WM_SYS_FILTER);
    ASSERT_EQ(frame->ChildForms().size(), windows + 1);
    EXPECT_EQ(window->ViewCount(), 210);
    EXPECT_FALSE(window->System->HasFilter);
    auto *copy = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
    ASSERT_EQ(copy->ViewCount(), 210 - passing);
    for (int i = 0; i < copy->ViewCount(); ++i)
        EXPECT_FALSE(SumWithin(copy->System->GetComb(i, true), 6, 25, 30));

    // Both types' counts on the first window; back to the find type, OK filters again before it closes
    // and deletes the rows outside the filter.
    OnEditor([&](TfrmFilter &F) {
        EXPECT_EQ(F.eAllComb->text(), QStringLiteral("210"));
        AddSum(F, 25, 30);
        F.rbFltFind->setChecked(true);
        Run(F);
        EXPECT_EQ(F.eTrueComb->text(), QString::number(passing));
        EXPECT_EQ(F.eAfterComb->text(), QString::number(passing));
        F.rbFltDel->setChecked(true);
        Run(F);
        EXPECT_EQ(F.eTrueComb->text(), QString::number(passing));
        EXPECT_EQ(F.eAfterComb->text(), QString::number(210 - passing));
        F.rbFltFind->setChecked(true);
        F.chkOptDelComb->setChecked(true);
        F.chkOptNewWindow->setChecked(false);
        PressOK(F);
    });
    sendCommand(window, WM_SYS_FILTER);
    ASSERT_EQ(window->ViewCount(), passing);
    EXPECT_EQ(window->System->CountDistinct(), passing);
    for (int i = 0; i < window->ViewCount(); ++i)
        EXPECT_TRUE(SumWithin(window->System->GetComb(i, true), 6, 25, 30));
    EXPECT_FALSE(window->System->HasFilter);
}

TEST_F(FilterEditorTest, RefusalsStopsDuplicatesAndLinkGroups)
{
    TGenSysForm *window = AllRows();
    for (int i = 0; i < 4; ++i)
        script.answerBox(platform::IDOK);
    OnEditor([](TfrmFilter &F) {
        F.btnOK->click();
        // Every combination passes: the delete type keeps none.
        AddSum(F, 21, 45);
        F.rbFltDel->setChecked(true);
        F.btnOK->click();
        ASSERT_TRUE(F.Running());
        F.btnDoFilter->click();
        EXPECT_FALSE(F.Running());
        EXPECT_TRUE(F.Stale);
        QCoreApplication::processEvents();
        EXPECT_EQ(F.result(), 0);
        EXPECT_TRUE(F.btnOK->isEnabled());

        F.btnOK->click();
        ASSERT_TRUE(ProcessUntil([&] { return !F.Running(); }));
        EXPECT_EQ(F.AfterCount, 0);
        EXPECT_EQ(F.result(), 0);

        AddSum(F, 21, 45);
        EXPECT_EQ(F.SelectedFilters().Count(), 1);
        AddSum(F, 25, 30, false);
        ASSERT_EQ(F.SelectedFilters().Count(), 2);
        EXPECT_FALSE(F.SelectedFilters().GetItem(0)->AndMode);
        EXPECT_FALSE(F.SelectedFilters().GetItem(1)->AndMode);
        EXPECT_EQ(F.eSym->text().toStdString(), FilterListExpression(F.SelectedFilters()));
        EXPECT_EQ(F.sgSelFlts->Row(), 2);

        ChooseKind(F, fltComb);
        F.F_eComb->setText(QStringLiteral("0 77 abc"));
        F.btnAddFlt->click();
        EXPECT_EQ(F.SelectedFilters().Count(), 2);
        // "Wybierz..." puts the chosen numbers in the text.
        F.F_btnComb->click();
        EXPECT_EQ(F.F_eComb->text(), QStringLiteral(" 3  7 12 "));
        F.btnAddFlt->click();
        ASSERT_EQ(F.SelectedFilters().Count(), 3);
        EXPECT_EQ(F.SelectedFilters().GetItem(F.sgSelFlts->Row() - 1)->Kind, uint32_t(fltComb));
        F.btnCancel->click();
    });
    script.onDialog([](QDialog &Dialog) {
        auto &select = dynamic_cast<TfrmSelectComb &>(Dialog);
        EXPECT_EQ(select.MaxLen, 49);
        select.eInput->setPlainText(QStringLiteral("12 7 3 3 55"));
        select.btnReadNums->click();
        select.btnOK->click();
    });
    sendCommand(window, WM_SYS_FILTER);
    ASSERT_EQ(script.boxes().size(), 4u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Nie zostały wybrane żadne filtry."));
    EXPECT_EQ(script.boxes()[1].Text, QStringLiteral("Liczba kombinacji po filtrowaniu musi być większa od 0."));
    EXPECT_EQ(script.boxes()[2].Text, QStringLiteral("Filtr o takich samych parametrach już istnieje."));
    EXPECT_EQ(script.boxes()[3].Text, QStringLiteral("Nie wybrano żadnej kombinacji."));
    EXPECT_EQ(script.boxes()[3].Flags, 48);
    EXPECT_EQ(window->ViewCount(), 210);
}

TEST_F(FilterEditorTest, MoreThan32BitsOfPassingRowsAreShownAndRefused)
{
    HugeMarkingSystem system(Lotto());
    system.TSystem::SetParams(10, 6);
    TfrmFilter dialog;
    dialog.Init(Lotto(), 1, &system, Lotto()->DrawsMan.get(), Limits.MaxComb);
    script.answerBox(platform::IDOK);
    OnEditor([](TfrmFilter &F) {
        AddSum(F, 25, 30);
        Run(F);
        EXPECT_EQ(F.eTrueComb->text(), QStringLiteral("4") + nbsp + "294" + nbsp + "967" + nbsp + "301");
        F.btnOK->click();
    });
    EXPECT_EQ(platform::execModal(dialog), 2);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Zbyt duża liczba kombinacji."));
}

// "Stop" clicked twice, and a click pressed on "Stop" whose run ends before the button is let go: no new
// run starts, on the filtering button and on the exploration's.
TEST_F(FilterEditorTest, AClickPressedOnStopStartsNoRun)
{
    HoldingSystem system(Lotto());
    ASSERT_TRUE(system.LoadFromStrings({"1 2 3 4 5 6", "3 5 7 8 9 10"}));
    TfrmFilter dialog;
    dialog.Init(Lotto(), 1, &system, Lotto()->DrawsMan.get(), Limits.MaxComb);
    OnEditor([&system](TfrmFilter &F) {
        AddSum(F, 25, 30);
        F.Exploration->EF_lbFilters->item(0)->setCheckState(Qt::Checked);
        const std::pair<QPushButton *, std::function<bool()>> buttons[] = {
            {F.btnDoFilter, [&F] { return F.Running(); }},
            {F.Exploration->EF_btnDoExplore, [&F] { return F.Exploration->Running(); }},
        };
        for (const auto &[button, running] : buttons) {
            const int runs = system.Runs;
            system.LetGo = false;
            button->click();
            ASSERT_TRUE(ProcessUntil([&] { return system.Runs == runs + 1; }));
            Mouse(button, QEvent::MouseButtonPress);
            Mouse(button, QEvent::MouseButtonRelease);
            Mouse(button, QEvent::MouseButtonDblClick);
            Mouse(button, QEvent::MouseButtonRelease);
            ASSERT_FALSE(running());

            button->click();
            ASSERT_TRUE(ProcessUntil([&] { return system.Runs == runs + 2; }));
            Mouse(button, QEvent::MouseButtonPress);
            system.LetGo = true;
            ASSERT_TRUE(ProcessUntil([&] { return !running(); }));
            Mouse(button, QEvent::MouseButtonRelease);
            EXPECT_FALSE(running());
            EXPECT_EQ(system.Runs, runs + 2);
        }
        // The filtering run that ended by itself counted.
        EXPECT_FALSE(F.Stale);
        F.btnCancel->click();
    });
    EXPECT_EQ(platform::execModal(dialog), 2);
}

TEST_F(FilterEditorTest, KindsKeepTheirTypedValuesAndTheRecordKeepsTheExplorationFields)
{
    // A first record holds the default range for the exploration.
    TGenSysForm *window = AllRows();
    OnEditor([](TfrmFilter &F) { F.btnCancel->click(); });
    sendCommand(window, WM_SYS_FILTER);
    platform::ByteWriter range;
    WriteDrawsRange(range, Lotto()->DefRange);
    platform::Bytes first(27, 0);
    first[0] = 1;
    first.insert(first.end(), range.bytes().begin(), range.bytes().end());
    EXPECT_EQ(ReadParamsRecord("Tools\\0\\3", TFilterDialogRecord::Size).Bytes, first);

    // A stored record: the options are read from it and the exploration's fields after them kept.
    platform::Bytes stored = first;
    stored[2] = 1; // the delete type over a draw history
    stored[4] = 1; // a new window
    stored[5] = 1; // the first and the last exploration item, the selected filters
    stored[14] = 1;
    stored[25] = 1;
    WriteParamsRecord("Tools\\0\\3", stored);
    OnEditor([](TfrmFilter &F) {
        EXPECT_TRUE(F.rbFltFind->isChecked());
        EXPECT_FALSE(F.chkOptDelComb->isChecked());
        EXPECT_TRUE(F.chkOptNewWindow->isChecked());
        ChooseKind(F, fltSum);
        F.F_cb1->setCurrentIndex(F.F_cb1->findData(int(rmRange)));
        F.F_seTo1->SetValue(26);
        F.F_seFrom1->SetValue(30);
        EXPECT_EQ(SpinValue(F.F_seTo1), 30);
        ChooseKind(F, fltPar);
        ChooseKind(F, fltSum);
        EXPECT_EQ(SpinValue(F.F_seFrom1), 30);
        EXPECT_EQ(F.F_cb1->currentData().toInt(), int(rmRange));
        F.rbFltDel->setChecked(true);
        F.chkOptDelComb->setChecked(true);
        F.chkOptNewWindow->setChecked(false);
        F.btnCancel->click();
    });
    sendCommand(window, WM_SYS_FILTER);
    platform::Bytes expected = stored;
    expected[1] = 1;
    expected[3] = 1;
    expected[4] = 0;
    EXPECT_EQ(ReadParamsRecord("Tools\\0\\3", TFilterDialogRecord::Size).Bytes, expected);

    // The kind's values come back in the next editor.
    OnEditor([](TfrmFilter &F) {
        EXPECT_TRUE(F.rbFltDel->isChecked());
        ChooseKind(F, fltSum);
        EXPECT_EQ(SpinValue(F.F_seFrom1), 30);
        F.btnCancel->click();
    });
    sendCommand(window, WM_SYS_FILTER);
}

TEST_F(FilterEditorTest, ASavedSetLoadsBackAndAFailedWriteIsReported)
{
    TGenSysForm *window = AllRows();
    const auto name = [](QDialog &Dialog) {
        auto &write = dynamic_cast<TfrmWriteFile &>(Dialog);
        EXPECT_EQ(write.Mode, int(wfFilterSet));
        write.Edit1->setText(QStringLiteral("Dwie sumy"));
        write.btnSave->click();
    };
    OnEditor([&](TfrmFilter &F) {
        AddSum(F, 25, 30);
        AddSum(F, 40, 45, false);
        F.btnWriteFlts->click();
        TStrArray files;
        ListFiles(FiltersDir + "*.*", files);
        ASSERT_EQ(files.size(), 1u);
        TFilterList read;
        InitFilterList(read);
        ASSERT_TRUE(LoadFilterSet(read, Lotto(), 10, 6, window->System->Key, FiltersDir + files[0]));
        EXPECT_EQ(FilterListExpression(read), F.eSym->text().toStdString());
        EXPECT_EQ(read.Count(), 2);

        // The folder cannot be made: a file stands in its place.
        std::filesystem::remove_all(FiltersDir);
        std::ofstream(std::filesystem::path(FiltersDir).parent_path()) << "x";
        F.btnWriteFlts->click();
        F.btnCancel->click();
    });
    script.onDialog(name);
    script.onDialog(name);
    script.answerBox(platform::IDOK);
    sendCommand(window, WM_SYS_FILTER);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Nie można zapisać pliku.\n") + QString::fromStdString(FiltersDir));
}

TEST_F(FilterEditorTest, OverADrawHistoryTheOpenerMarksItsDrawsWithoutALimit)
{
    TDrawsManager manager(Lotto(), -1);
    int passing = 0;
    for (int day = 0; day < 40; ++day) {
        TDynByteArr numbers;
        for (int i = 0; i < 6; ++i)
            numbers.push_back(uint8_t(1 + (day * 7 + i * (day % 5 + 3)) % 49));
        std::sort(numbers.begin(), numbers.end());
        if (std::unique(numbers.begin(), numbers.end()) != numbers.end())
            continue;
        manager.AddDraw(numbers, 40000 + day);
        passing += SumWithin(numbers.data(), 6, 100, 160) ? 1 : 0;
    }
    TDrawsRange range;
    DefaultDrawsRange(range);
    range.Mode = drAll;
    manager.SetRange(range);
    manager.ApplyRange(range);
    const int total = manager.CountFlagged(dfInRange);
    ASSERT_GT(passing, 0);
    ASSERT_LT(passing, total);
    OnEditor([&](TfrmFilter &F) {
        EXPECT_EQ(F.eAllComb->text(), QString::number(total));
        AddSum(F, 100, 160);
        F.rbFltFind->setChecked(true);
        F.chkOptDelComb->setChecked(true);
        PressOK(F);
        EXPECT_EQ(F.AfterCount, passing);
    });
    std::optional<TDrawsFilterChoice> choice = OpenDrawsFilter(frame.get(), Lotto(), manager);
    ASSERT_TRUE(choice);
    EXPECT_TRUE(choice->DelComb);
    EXPECT_TRUE(choice->Filter->FindType);
    int marked = 0;
    for (int i = 0; i < manager.Count(); ++i) {
        const TDraw &draw = manager.GetDraw(i);
        EXPECT_EQ(draw.Mark == 1, SumWithin(draw.Numbers.data(), 6, 100, 160));
        marked += draw.Mark;
    }
    EXPECT_EQ(marked, passing);
}

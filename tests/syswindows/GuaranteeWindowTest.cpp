#include "controls/ALProgressBar.h"
#include "controls/TreeNT.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "engine/UAllGuars.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "output/FSelRepItems.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FGuarSysShort.h"
#include "syswindows/FParGuarSysShort.h"
#include "syswindows/FWriteFile.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>
#include <QTest>

#include <atomic>
#include <bit>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <thread>

namespace {

namespace fs = std::filesystem;

// Lotto's prizes of a 6-number bet by its hits, in whole złoty, from the shipped game description.
const std::map<int, int64_t> LottoPrizes = {{3, 24}, {4, 150}, {5, 4000}, {6, 2000000}};

using Positions = std::vector<std::vector<int>>;
// Rows with 6, 5, 4 and 3 hits.
using HitVector = std::vector<int>;
using Outcomes = std::map<HitVector, int, std::greater<>>;

Positions RowsOf(const TSystem &System)
{
    Positions rows;
    for (int i = 0; i < System.ViewCount(); ++i)
        rows.emplace_back(System.GetComb(i, false), System.GetComb(i, false) + System.K);
    return rows;
}

// Every draw with exactly Hits of its numbers among the system's N (the others, drawn outside it, change
// nothing), tallied by the hits of the rows.
Outcomes Enumerate(const Positions &Rows, int N, int Hits)
{
    Outcomes outcomes;
    for (unsigned drawn = 0; drawn < (1u << N); ++drawn) {
        if (std::popcount(drawn) != Hits)
            continue;
        HitVector vector(4, 0);
        for (const std::vector<int> &row : Rows) {
            int hits = 0;
            for (const int position : row)
                hits += (drawn >> (position - 1)) & 1u;
            if (hits >= 3)
                ++vector[size_t(6 - hits)];
        }
        ++outcomes[vector];
    }
    return outcomes;
}

int64_t WinOf(const HitVector &Vector)
{
    int64_t win = 0;
    for (size_t i = 0; i < Vector.size(); ++i)
        win += Vector[i] * LottoPrizes.at(6 - int(i));
    return win;
}

// "1 234,00 zł" with the program's thousands separator.
QString Zloty(int64_t Whole)
{
    QString digits = QString::number(Whole);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(at, QChar(0x00A0));
    return digits + QStringLiteral(",00") + QChar(0x00A0) + QStringLiteral("zł");
}

// The name of the variant with Hits of the system's numbers drawn.
QString Caption(int Hits)
{
    return QStringLiteral(" %1 liczb%2").arg(Hits).arg(Hits >= 2 && Hits <= 4 ? "y" : "");
}

QString Probability(double Value)
{
    return QString::fromStdString(FormatFloat("0.00000", Value));
}

double Number(QString Text)
{
    return Text.remove(QStringLiteral("zł")).remove(QChar(0x00A0)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

// A row of the details (a 0 tier empty) or of the summary (Zeros): name, tiers, probability and win.
QStringList ResultRow(const QString &Name, const HitVector &Vector, bool Zeros, const QString &ProbabilityText)
{
    QStringList texts = {Name};
    for (const int count : Vector)
        texts << (count == 0 && !Zeros ? QString() : QString::number(count));
    return texts << ProbabilityText << Zloty(WinOf(Vector));
}

// A click on the node's check box, as the user makes it.
void ClickCheck(TTreeNT &Tree, TTreeNTNode *Node)
{
    QTest::mouseClick(Tree.viewport(), Qt::LeftButton, {}, Tree.StateImageRect(Node->ItemId()).center());
}

void ClickHeader(TStringAlignGrid &Grid, int Col)
{
    TSortCol &entry = Grid.SortCols[size_t(Col)];
    entry.Direction = entry.Direction == 1 ? -1 : 1;
    Grid.OnSortColumn(&Grid, Col, entry);
}

void FlushDeletes()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A guarantee window that counts the progress reports it shows and watches its overall bar.
class WatchedGuarantee : public TfrmGuarSysShort {
public:
    int Shown = 0;
    bool OverallWentBack = false;

    void DoProgress(int Pos, int ProgressStep) override
    {
        const int before = ProgressBar2->Position();
        TfrmGuarSysShort::DoProgress(Pos, ProgressStep);
        ++Shown;
        OverallWentBack = OverallWentBack || ProgressBar2->Position() < before;
    }
};

// Holds a worker in one progress report until the test lets it go on.
struct TReportHold {
    std::atomic<bool> Reached{false};
    std::atomic<bool> Released{false};
    std::atomic<int> Pos{-1};

    void Wait(int AtPos)
    {
        Pos = AtPos;
        Reached = true;
        // The guard only ends a hang of a test that never lets it go.
        const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
        while (!Released && std::chrono::steady_clock::now() < guard)
            std::this_thread::yield();
    }

    // On the GUI thread, which runs no event meanwhile.
    void AwaitReached() const
    {
        const auto guard = std::chrono::steady_clock::now() + testsupport::HangGuard;
        while (!Reached && std::chrono::steady_clock::now() < guard)
            std::this_thread::yield();
        ASSERT_TRUE(Reached) << "the worker did not come to the report";
    }
};

} // namespace

class GuaranteeWindowTest : public SysWindowTest {
protected:
    // The guarantee command answered in the dialog by Choose (on the tree) and the precision, then OK.
    TfrmGuarSysShort *Guarantee(TGenSysForm *Window, double Precision,
                                const std::function<void(TfrmParGuarSysShort &)> &Choose = {})
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParGuarSysShort &>(Dialog);
            if (Choose)
                Choose(params);
            params.FloatSpin1->setText(QString::number(Precision, 'f', 5).replace('.', ','));
            params.btnOK->click();
        });
        return OpenGuarantee(Window);
    }

    // The guarantee window the command opened on Window; nullptr when none opened.
    TfrmGuarSysShort *OpenGuarantee(TGenSysForm *Window)
    {
        const int before = Window->ChildWindows.Count();
        sendCommand(Window, WM_SYS_GUARANTEE);
        if (Window->ChildWindows.Count() == before)
            return nullptr;
        return qobject_cast<TfrmGuarSysShort *>(Window->ChildWindows.GetItem(before)->Form);
    }

    // Runs the event loop until the computation has ended; the deadline only guards against hanging.
    static void WaitForGuarantee(TfrmGuarSysShort *Window)
    {
        const QDeadlineTimer guard(120000);
        while (Window->State == 2 && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_NE(Window->State, 2) << "the guarantee did not end";
    }

    // The details rows of guarantee Index (from its name to the row before the next separator).
    static std::vector<QStringList> DetailRows(const TfrmGuarSysShort &Window, int Index)
    {
        std::vector<QStringList> rows;
        for (size_t i = 0; i < Window.RowMap.size(); ++i)
            if (Window.RowMap[i].Guaranty == Index && Window.RowMap[i].Kind != TfrmGuarSysShort::rkSeparator)
                rows.push_back(testsupport::GridRowTexts(*Window.sgDetails, int(i) + 1));
        return rows;
    }

    void SaveGuarantee(TfrmGuarSysShort *Window, const QString &Title)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &names = dynamic_cast<TfrmWriteFile &>(Dialog);
            names.Edit1->setText(Title);
            names.btnSave->click();
        });
        sendCommand(Window, WM_SYS_SAVE);
    }

    // The report command answered in its items dialog by Choose (when it asks), read back from the file.
    std::vector<testsupport::XlsxSheet> Report(TfrmGuarSysShort *Window, const std::function<void(TfrmSelRepItems &)> &Choose)
    {
        if (Choose)
            script.onDialog([=](QDialog &Dialog) {
                auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
                Choose(items);
                items.btnOK->click();
            });
        testsupport::expectReport(script);
        sendCommand(Window, WM_SYS_REPORT);
        return testsupport::openedReport(script);
    }

    TGameData *Lotto() const { return Games.GameById(LottoId); }
};

TEST_F(GuaranteeWindowTest, ExactGuaranteeEqualsEveryDrawAndLowerPrecisionsSampleTheDraws)
{
    TGenSysForm *system = Generate(8, 6, 5);
    ASSERT_FALSE(system->System->IsFullInOrder());
    const Positions rows = RowsOf(*system->System);
    TfrmGuarSysShort *window = Guarantee(system, 1.0, [](TfrmParGuarSysShort &Params) {
        TTreeNT &tree = *Params.Tree;
        TTreeNTNode *root = tree.Items().GetFirstNode();
        ASSERT_EQ(root->Count(), 4);
        // Every variant is chosen at first; a child unchecked unchecks its root, the root checked
        // checks them all, by the mouse and by the space bar.
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(root->Item(i)->Checked());
        ClickCheck(tree, root->Item(1));
        EXPECT_FALSE(root->Item(1)->Checked());
        EXPECT_FALSE(root->Checked());
        tree.setSelected(root);
        QTest::keyClick(&tree, Qt::Key_Space);
        EXPECT_TRUE(root->Checked());
        EXPECT_TRUE(root->Item(1)->Checked());
        ClickCheck(tree, root->Item(1));
    });
    ASSERT_NE(window, nullptr);
    WaitForGuarantee(window);
    ASSERT_EQ(window->State, 0);

    // Guarantees of 6, 4 and 3 of the eight numbers drawn, the likeliest outcomes first.
    const int chosen[] = {6, 4, 3};
    for (int g = 0; g < 3; ++g) {
        const Outcomes outcomes = Enumerate(rows, 8, chosen[g]);
        const double total = double(Newton[8][size_t(chosen[g])]);
        const std::vector<QStringList> shown = DetailRows(*window, g);
        ASSERT_EQ(shown.size(), outcomes.size()) << chosen[g];
        auto row = shown.begin();
        for (const auto &[vector, frequency] : outcomes) {
            const QString name = row == shown.begin() ? Caption(chosen[g]) : QString();
            EXPECT_EQ(*row++, ResultRow(name, vector, false, Probability(frequency / total)));
        }

        // The summary: the lowest and highest vectors, and the probability-weighted means with the
        // spread of the distinct outcomes.
        const int top = 1 + 7 * g;
        EXPECT_EQ(window->sgTotal->Cells(0, top), Caption(chosen[g]));
        const auto &[low, lowFrequency] = *outcomes.rbegin();
        const auto &[high, highFrequency] = *outcomes.begin();
        EXPECT_EQ(testsupport::GridRowTexts(*window->sgTotal, top + 2),
                  ResultRow(" Min", low, true, Probability(lowFrequency / total)));
        EXPECT_EQ(testsupport::GridRowTexts(*window->sgTotal, top + 3),
                  ResultRow(" Max", high, true, Probability(highFrequency / total)));
        for (int col = 1; col <= 5; ++col) {
            const auto value = [col](const HitVector &V) { return col <= 4 ? double(V[size_t(col) - 1]) : double(WinOf(V)); };
            double mean = 0, squares = 0;
            for (const auto &[vector, frequency] : outcomes)
                mean += value(vector) * frequency / total;
            for (const auto &[vector, frequency] : outcomes)
                squares += std::pow(value(vector) - mean, 2);
            // Shown to 0.01, from probabilities of single precision.
            const int shownCol = col <= 4 ? col : 6;
            const double spread = std::sqrt(squares / double(outcomes.size()));
            EXPECT_NEAR(Number(window->sgTotal->Cells(shownCol, top + 4)), mean, 0.0051 + 2e-7 * mean) << g << " " << col;
            EXPECT_NEAR(Number(window->sgTotal->Cells(shownCol, top + 5)), spread, 0.0051 + 2e-7 * spread) << g << " " << col;
        }
    }

    // Sorted by win, the richest outcome of each guarantee comes first; by probability, the likeliest.
    int64_t richest = 0;
    int likeliest = 0;
    for (const auto &[vector, frequency] : Enumerate(rows, 8, 4)) {
        richest = std::max(richest, WinOf(vector));
        likeliest = std::max(likeliest, frequency);
    }
    ClickHeader(*window->sgDetails, 6);
    EXPECT_EQ(DetailRows(*window, 1)[0][6], Zloty(richest));
    ClickHeader(*window->sgDetails, 5);
    EXPECT_EQ(DetailRows(*window, 1)[0][5], Probability(likeliest / 70.0));

    // The popup brings a guarantee's first row to the top.
    window->parentWidget()->resize(window->parentWidget()->width(), 200);
    window->pGuars->actions()[1]->trigger();
    EXPECT_EQ(window->sgDetails->TopRow(), 1 + int(DetailRows(*window, 0).size()) + 1);

    // The report, both items offered: the heading, the details from row 8 and the summary on a sheet of
    // its own.
    Activate(window);
    const std::vector<testsupport::XlsxSheet> sheets =
        Report(window, [](TfrmSelRepItems &Items) { EXPECT_EQ(Items.CheckListBox1->count(), 2); });
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].At("B2").Text, "Gwarancja : System skrócony - klasyczny 6/8/5");
    EXPECT_EQ(sheets[0].At("B5").Text, " Dokładność gwarancji : 1,00000");
    const QStringList firstRow = testsupport::GridRowTexts(*window->sgDetails, 1);
    for (int col = 0; col < firstRow.size(); ++col)
        EXPECT_EQ(sheets[0].At(std::string(1, char('B' + col)) + "9").Text, firstRow[col].trimmed().toStdString()) << col;
    EXPECT_EQ(sheets[1].At("B3").Text, "6 liczb");

    // A precision below one samples the draws.
    TfrmGuarSysShort *half = Guarantee(system, 0.5);
    WaitForGuarantee(half);
    EXPECT_EQ(half->lblPrec->text(), "Dokładność gwarancji: 0,50000");
    ASSERT_EQ(half->Set->Count(), 4);
    // Half of C(8, h) drawn sets for 6, 5, 4 and 3 hits.
    const int64_t halves[] = {14, 28, 35, 28};
    for (int g = 0; g < 4; ++g) {
        int64_t counted = 0;
        for (const TGuarVector &vector : half->Set->GetItem(g).Vectors)
            counted += vector.Frequency;
        EXPECT_EQ(counted, halves[g]);
    }

    // A sample of no drawn set at all shows the guarantees' names with empty cells.
    TfrmGuarSysShort *none = Guarantee(system, 0.00001);
    WaitForGuarantee(none);
    ASSERT_EQ(none->State, 0);
    EXPECT_EQ(DetailRows(*none, 0), (std::vector<QStringList>{{" 6 liczb", "", "", "", "", "", ""}}));
    EXPECT_EQ(testsupport::GridRowTexts(*none->sgTotal, 3), (QStringList{" Min", "", "", "", "", "", ""}));

    // One row of 25 numbers: 1 of the C(25, 6) draws of six of them hits it wholly.
    TGenSysForm *wide = Generate(25, 6, 1);
    TfrmGuarSysShort *rare = Guarantee(wide, 1.0, [](TfrmParGuarSysShort &Params) {
        TTreeNTNode *root = Params.Tree->Items().GetFirstNode();
        for (int i = 1; i < root->Count(); ++i)
            ClickCheck(*Params.Tree, root->Item(i));
    });
    WaitForGuarantee(rare);
    ASSERT_EQ(rare->Set->Count(), 1);
    EXPECT_EQ(DetailRows(*rare, 0).front(), (QStringList{Caption(6), "1", "", "", "", "< 0,00001", Zloty(2000000)}));
}

TEST_F(GuaranteeWindowTest, AFullSystemInOrderOpensWithoutTheDialogAndShowsNoSummary)
{
    TGenSysForm *system = Generate(8, 6, 28);
    ASSERT_TRUE(system->System->IsFullInOrder());
    TfrmGuarSysShort *window = OpenGuarantee(system); // a dialog would find nothing queued
    ASSERT_NE(window, nullptr);
    WaitForGuarantee(window);
    ASSERT_EQ(window->State, 0);
    EXPECT_FALSE(window->PageControl1->isTabVisible(window->PageControl1->indexOf(window->TabSheet2)));
    // h of the eight numbers drawn: C(h, t) x C(8 - h, 6 - t) rows have t hits, with certainty.
    for (int h = 6; h >= 3; --h) {
        HitVector vector;
        for (int t = 6; t >= 3; --t)
            vector.push_back(t <= h && 6 - t <= 8 - h ? int(Newton[size_t(h)][size_t(t)] * Newton[size_t(8 - h)][size_t(6 - t)]) : 0);
        EXPECT_EQ(DetailRows(*window, 6 - h), std::vector<QStringList>{ResultRow(Caption(h), vector, false, "1,00000")});
    }

    // Its report holds the details only, without asking.
    const std::vector<testsupport::XlsxSheet> sheets = Report(window, {});
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].At("B9").Text, "6 liczb");
}

TEST_F(GuaranteeWindowTest, WithItsResultsTheWindowLiesWhereANewWindowOpensBesideItsSystemWindow)
{
    frame->resize(1400, 900);
    const auto [system, beside] = GenerateInCorner();
    TfrmGuarSysShort *window = Guarantee(system, 1.0);
    ASSERT_NE(window, nullptr);
    WaitForGuarantee(window);
    ASSERT_EQ(window->State, 0);
    EXPECT_EQ(window->parentWidget()->pos(), beside);
}

TEST_F(GuaranteeWindowTest, StopAndTheSystemWindowClosingEndTheComputation)
{
    TGenSysForm *system = Generate(20, 6, 20);
    const auto start = [&] { return QPointer<TfrmGuarSysShort>(Guarantee(system, 1.0)); };
    // Stop, however far the worker has come: nothing is shown and the window closes.
    QPointer<TfrmGuarSysShort> stopped = start();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->State, 2);
    Activate(system);
    EXPECT_EQ(EnabledMask() & (cmdParams | cmdKey | cmdFilter | cmdAdd), 0) << "the system may not change";
    sendCommand(stopped, WM_TASK_STOP);
    FlushDeletes();
    EXPECT_FALSE(stopped);
    EXPECT_EQ(system->ChildWindows.Count(), 0);
    Activate(system);
    EXPECT_EQ(EnabledMask() & (cmdParams | cmdKey | cmdFilter | cmdAdd), cmdParams | cmdKey | cmdFilter | cmdAdd);

    // The system window closing stops its computing guarantee and closes it.
    QPointer<TfrmGuarSysShort> orphan = start();
    ASSERT_TRUE(orphan);
    system->Close();
    FlushDeletes();
    EXPECT_FALSE(orphan);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(frame->ChildForms().empty());
}

TEST_F(GuaranteeWindowTest, ReportsQueuedForABusyGuiThreadAreShownAsTheNewestAndTheOverallBarNeverGoesBack)
{
    TGenSysForm *system = Generate(20, 6, 20);
    auto variants = std::make_unique<TAllGuars>(Lotto(), system->System->K, system->SysKind);
    variants->Categories = system->System->GetNumberGroups();
    variants->Build();
    ASSERT_GE(variants->List1.Count(), 2);
    for (int i = 0; i < 2; ++i)
        variants->List1.GetItem(i)->Selected = true;
    auto *window = new WatchedGuarantee;
    window->Init(Lotto(), *system->System, 1.0, std::move(variants));
    ASSERT_EQ(window->Count, 2);
    window->ParentWindow = system;
    window->WindowNo = system->WindowNo;
    AddChildForm(window);
    // The worker waits past half of the first guarantee, and again at the second one's first report.
    TReportHold half;
    TReportHold second;
    for (int g = 0; g < 2; ++g) {
        TProgressProc &handler = window->Set->GetItem(g).Progress.OnProgress;
        handler = [&half, &second, g, forward = handler](int32_t Pos, int32_t Step) {
            forward(Pos, Step);
            if (g == 0 && Pos >= 5000 && !half.Reached)
                half.Wait(Pos);
            else if (g == 1 && !second.Reached)
                second.Wait(Pos);
        };
    }
    window->Start();

    half.AwaitReached();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_EQ(window->Shown, 1) << "the reports that waited, taken as the newest";
    EXPECT_EQ(window->ProgressBar2->Position(), half.Pos.load());
    half.Released = true;

    // The rest of the first guarantee, its step, and the next one's first report wait for the GUI thread.
    second.AwaitReached();
    ASSERT_LT(second.Pos.load(), half.Pos.load());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_EQ(window->Shown, 2);
    EXPECT_FALSE(window->OverallWentBack);
    second.Released = true;
    WaitForGuarantee(window);
    EXPECT_EQ(window->State, 0);
    EXPECT_FALSE(window->OverallWentBack);
}

TEST_F(GuaranteeWindowTest, ASavedGuaranteeKeepsTheRowsItWasComputedFor)
{
    TGenSysForm *system = Generate(9, 6, 6);
    const Positions rows = RowsOf(*system->System);
    TfrmGuarSysShort *window = Guarantee(system, 1.0);
    WaitForGuarantee(window);

    // The user deletes rows of the system; the guarantee is saved with the rows it was computed for.
    system->sgSystem->setSelection({0, 1, 1, 3});
    sendCommand(system, WM_COMB_DELETE);
    ASSERT_EQ(system->ViewCount(), 3);
    SaveGuarantee(window, "Sobota");
    TGuarantyFile file;
    ASSERT_TRUE(LoadGuarantyFile(DataDir + "L1.dat", Lotto(), 0, file));
    EXPECT_EQ(file.Info.Title, "Sobota");
    EXPECT_EQ(RowsOf(*file.System), rows);

    // The set read from the file shows at once, as computed, beside the system read with it; the system's
    // window changing that system leaves the set's rows alone too.
    auto *reopened = qobject_cast<TGenSysForm *>(NewSysWindow(file.System->Kind));
    reopened->OpenWithGuarantee(Lotto(), std::move(file.System), std::move(file.Set));
    ASSERT_EQ(reopened->ChildWindows.Count(), 1);
    auto *shown = qobject_cast<TfrmGuarSysShort *>(reopened->ChildWindows.GetItem(0)->Form);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->State, 0);
    EXPECT_EQ(reopened->ChildWindows.GetItem(0)->State, 0);
    ASSERT_EQ(shown->Count, window->Count);
    for (int g = 0; g < window->Count; ++g)
        EXPECT_EQ(DetailRows(*shown, g), DetailRows(*window, g));
    reopened->sgSystem->setSelection({0, 1, 1, 5});
    sendCommand(reopened, WM_COMB_DELETE);
    ASSERT_EQ(reopened->ViewCount(), 1);
    SaveGuarantee(shown, "Niedziela");
    TGuarantyFile again;
    ASSERT_TRUE(LoadGuarantyFile(DataDir + "L2.dat", Lotto(), 0, again));
    EXPECT_EQ(RowsOf(*again.System), rows);

    // A file that cannot be written says so.
    fs::create_directories(folder->path() / "Data" / "L3.dat");
    script.answerBox(platform::IDOK);
    SaveGuarantee(shown, "Poniedziałek");
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie można zapisać pliku.\n" + QString::fromStdString(DataDir + "L3.dat"));
}

// The combination check, the check details and the number distribution on the shipped Lotto history.
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "engine/UFilters.h"
#include "engine/USysShort.h"
#include "syswindows/FCheckComb.h"
#include "syswindows/FCheckSysDetails.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FFrequency.h"
#include "syswindows/SysFormats.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/support/HangGuard.h"
#include "tests/syswindows/LottoBetsTestSupport.h"
#include "tests/syswindows/SysWindowTestSupport.h"
#include "tools/LottoHistoryImport.h"

#include <QLineEdit>
#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <random>
#include <set>

namespace {

using Rows = std::vector<std::vector<int>>;

const std::vector<uint8_t> TenNumbers = {3, 7, 11, 19, 23, 28, 31, 36, 42, 47};

QString Money(int64_t Zloty)
{
    return MoneyText(Currency::fromCount(Zloty * Currency::Scale));
}

QString Count(int64_t Value)
{
    return Value == 0 ? QString() : QString::number(Value);
}

} // namespace

class CheckWindowsTest : public SysWindowTest {
protected:
    void PrepareFolder() override
    {
        MakeLottoDraws(std::string(KORVANTILE_SHARED_DATA) + "/lotto-6z49-history.txt",
                       (folder->path() / "Draws" / "LottoDraws").string());
        folder->writeDraws("MiniLotto", {{EncodeDate(2024, 3, 1), {1, 2, 3, 4, 5}},
                                         {EncodeDate(2024, 3, 2), {1, 2, 3, 40, 41}},
                                         {EncodeDate(2024, 3, 9), {10, 11, 12, 13, 14}}});
    }

    void StoreComb(const std::vector<uint8_t> &Comb, int From, int To, int Group)
    {
        store().setValue("Tools\\1\\1", "Comb", platform::RegValue(platform::Bytes(Comb.begin(), Comb.end())));
        store().setValue("Tools\\1\\1", "HitFrom", platform::RegValue(uint32_t(From)));
        store().setValue("Tools\\1\\1", "HitTo", platform::RegValue(uint32_t(To)));
        store().setValue("Tools\\1\\1", "GroupType", platform::RegValue(uint32_t(Group)));
    }

    // The tools menu's combination check, active.
    TfrmCheckComb *OpenCheckComb()
    {
        frame->mToolCheckComb->trigger();
        auto *window = qobject_cast<TfrmCheckComb *>(frame->ChildForms().back());
        EXPECT_NE(window, nullptr);
        if (window)
            Activate(window);
        return window;
    }

    const TDrawsManager &History() const { return *Games.GameById(LottoId)->DrawsMan; }

    // A classic window of Lotto showing the rows, and its check window on the last draw, checked.
    TfrmCheckSystem *CheckLastDraw(int N, const Rows &Combs)
    {
        TGenSysForm *window = OpenRows(LottoId, N, Combs);
        sendCommand(window, WM_SYS_CHECK);
        auto *check = qobject_cast<TfrmCheckSystem *>(frame->ChildForms().back());
        Activate(check);
        check->rbLastDraw->setChecked(true);
        sendCommand(check, WM_TASK_START);
        const QDeadlineTimer guard(testsupport::HangGuardMs);
        while ((check->CheckPending() || check->Checking() || !check->HasResults()) && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        EXPECT_TRUE(check->HasResults());
        return check;
    }

    static Rows RandomRows(int N, int K, size_t Count, unsigned Seed)
    {
        std::mt19937 random(Seed);
        std::uniform_int_distribution<int> number(1, N);
        std::set<std::vector<int>> rows;
        while (rows.size() < Count) {
            std::set<int> row;
            while (int(row.size()) < K)
                row.insert(number(random));
            rows.insert(std::vector<int>(row.begin(), row.end()));
        }
        return Rows(rows.begin(), rows.end());
    }
};

TEST_F(CheckWindowsTest, AStoredCombinationLongerThanAnyBetIsCheckedShownAndWrittenBack)
{
    const std::vector<uint8_t> thirteen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    StoreComb(thirteen, 3, 6, 0);
    TfrmCheckComb *window = OpenCheckComb();
    ASSERT_EQ(window->eComb->text(), " 1  2  3  4  5  6  7  8  9 10 11 12 13 ");
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);
    sendCommand(window, WM_TASK_START);
    ASSERT_TRUE(window->HasResults());
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart | cmdReport);

    const TDrawsManager &history = History();
    ASSERT_EQ(window->Grid1->RowCount(), history.Count() + 5);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 0).mid(1),
              QStringList({"'6'", "'5'", "'4'", "'3'", "Suma", "Wygrana"}));
    std::array<int64_t, 7> total{};
    for (int i = 0; i < history.Count(); ++i)
        ++total[size_t(Common(thirteen, history.GetDraw(i).Numbers))];
    // Its 1716 bets of six paid over the history.
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 2),
              QStringList({"Suma", Count(total[6]), Count(total[5]), Count(total[4]), Count(total[3]),
                           Count(total[3] + total[4] + total[5] + total[6]), Money(3452360)}));
    // Newest first.
    const TDraw &last = history.GetDraw(history.Count() - 1);
    const int hits = Common(thirteen, last.Numbers);
    QStringList newest = {QString::fromStdString(DateToStr(last.Date))};
    for (int level = 6; level >= 3; --level)
        newest << (hits == level ? "1" : "");
    newest << (hits >= 3 ? "1" : "") << (hits >= 3 ? Money(WinOf(13, hits)) : "");
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 5), newest);
    EXPECT_EQ(window->Grid2->RowCount(), 14);

    window->rbMonth->setChecked(true);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 5).front(), "11/2019");
    EXPECT_EQ(window->Grid1->RowCount(), int(window->Outcome().Shown.size()) + 5);

    // The values are written back when the window closes.
    window->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(store().value("Tools\\1\\1", "Comb"), platform::RegValue(platform::Bytes(thirteen.begin(), thirteen.end())));
    EXPECT_EQ(store().value("Tools\\1\\1", "GroupType"), platform::RegValue(uint32_t(2)));
    EXPECT_EQ(store().value("Tools\\1\\1", "HitFrom"), platform::RegValue(uint32_t(3)));
}

TEST_F(CheckWindowsTest, TheWindowOpensWhereANewWindowOpensBesideTheActiveOne)
{
    frame->resize(1400, 900);
    const QPoint beside = GenerateInCorner().second;
    EXPECT_EQ(OpenCheckComb()->parentWidget()->pos(), beside);
}

TEST_F(CheckWindowsTest, StoredCombinationsThatCannotBeUsedAreIgnoredAndEscClosesTheWindow)
{
    const std::vector<std::vector<uint8_t>> refused = {
        {0, 3, 7, 11}, {3, 7, 11, 50}, {3, 7, 7, 11}, {11, 7, 3}, {3, 7}};
    for (const std::vector<uint8_t> &comb : refused) {
        StoreComb(comb, 1, 2, 1);
        TfrmCheckComb *window = OpenCheckComb();
        EXPECT_TRUE(window->EnteredComb().empty());
        EXPECT_EQ(window->eComb->text(), "");
        EXPECT_FALSE(window->seHitFrom->isEnabled());
        EXPECT_TRUE(window->rbWeek->isChecked()) << "the grouping is read all the same";
        EXPECT_EQ(EnabledMask(), cmdRead) << "nothing to check";
        const size_t open = frame->ChildForms().size();
        QApplication::setActiveWindow(frame.get());
        window->eComb->setFocus();
        QTest::keyClick(window->eComb, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(frame->ChildForms().size(), open - 1);
    }
}

TEST_F(CheckWindowsTest, SortingByEachColumnBreaksTiesByTheLaterDateOrTheSmallerNumber)
{
    StoreComb(TenNumbers, 2, 5, 0);
    TfrmCheckComb *window = OpenCheckComb();
    sendCommand(window, WM_TASK_START);
    ASSERT_TRUE(window->HasResults());
    ASSERT_EQ(testsupport::GridRowTexts(*window->Grid1, 0).mid(1),
              QStringList({"'5'", "'4'", "'3'", "'2'", "Suma", "Wygrana"}));
    // The band's elements of a row: levels 5 down to 2.
    const auto band = [](const TCheckRow &Row) { return std::vector<int64_t>(Row.Hits.begin() + 1, Row.Hits.begin() + 5); };
    const auto sortBy = [](TStringAlignGrid *Grid, int Col, int Key, int Direction) {
        TSortCol entry{int8_t(Direction), Key};
        Grid->OnSortColumn(Grid, Col, entry);
    };
    // The key of a row for each code, as the order wants it: larger first for direction 1.
    for (const int direction : {1, -1}) {
        sortBy(window->Grid1, 1, ckHits, direction);
        EXPECT_TRUE(std::is_sorted(window->Outcome().Shown.begin(), window->Outcome().Shown.end(),
                                   [&](const TCheckRow &A, const TCheckRow &B) {
                                       const auto a = band(A), b = band(B);
                                       return a != b ? (direction > 0 ? a > b : a < b) : A.Date > B.Date;
                                   }))
            << direction;
        sortBy(window->Grid1, 5, ckSum, direction);
        EXPECT_TRUE(std::is_sorted(window->Outcome().Shown.begin(), window->Outcome().Shown.end(),
                                   [&](const TCheckRow &A, const TCheckRow &B) {
                                       return A.Sum != B.Sum ? (direction > 0 ? A.Sum > B.Sum : A.Sum < B.Sum)
                                                             : A.Date > B.Date;
                                   }))
            << direction;
        sortBy(window->Grid1, 6, ckWin, direction);
        EXPECT_TRUE(std::is_sorted(window->Outcome().Shown.begin(), window->Outcome().Shown.end(),
                                   [&](const TCheckRow &A, const TCheckRow &B) {
                                       return A.Win != B.Win ? (direction > 0 ? A.Win > B.Win : A.Win < B.Win)
                                                             : A.Date > B.Date;
                                   }))
            << direction;
        sortBy(window->Grid2, 5, ckSum, direction);
        EXPECT_TRUE(std::is_sorted(window->Outcome().NumberRows.begin(), window->Outcome().NumberRows.end(),
                                   [&](const TCheckRow &A, const TCheckRow &B) {
                                       return A.Sum != B.Sum ? (direction > 0 ? A.Sum > B.Sum : A.Sum < B.Sum)
                                                             : A.Index < B.Index;
                                   }))
            << direction;
        sortBy(window->Grid2, 1, ckHits, direction);
        EXPECT_TRUE(std::is_sorted(window->Outcome().NumberRows.begin(), window->Outcome().NumberRows.end(),
                                   [&](const TCheckRow &A, const TCheckRow &B) {
                                       const auto a = band(A), b = band(B);
                                       return a != b ? (direction > 0 ? a > b : a < b) : A.Index < B.Index;
                                   }))
            << direction;
    }
    // The draws by date, oldest first; the grid shows what the rows hold.
    sortBy(window->Grid1, 0, ckDate, -1);
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 5).front(),
              QString::fromStdString(DateToStr(History().GetDraw(0).Date)));
    // Wins, largest first, ties on the later date: the levels of 5 lead, then of 4 and 3 (2 pays nothing).
    sortBy(window->Grid1, 6, ckWin, 1);
    EXPECT_GE(window->Outcome().Shown.front().Win, Currency::fromCount(WinOf(10, 5) * Currency::Scale));
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, window->Grid1->RowCount() - 1).last(), "");
}

TEST_F(CheckWindowsTest, SetCombForAnotherGameChecksThatGame)
{
    TfrmCheckComb *window = OpenCheckComb();
    TGameData *mini = Games.GameById(2);
    ASSERT_NE(mini, nullptr);
    window->SetComb(mini, mini->DefRange, {1, 2, 3, 4, 40, 41});
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("<MiniLotto #")));
    ASSERT_TRUE(window->HasResults());
    EXPECT_EQ(window->Outcome().HitsInfo.HighHits, 5) << "levels of Mini Lotto's five";
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 0).mid(1),
              QStringList({"'5'", "'4'", "'3'", "Suma", "Wygrana"}));
    ASSERT_EQ(window->Grid1->RowCount(), 3 + 5);
    // Newest first: none, five (1 2 3 40 41), four (1 2 3 4); prizes 200 000 and 200.
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 5), QStringList({"09.03.2024", "", "", "", "", ""}));
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 6),
              QStringList({"02.03.2024", "1", "", "", "1", Money(200000)}));
    EXPECT_EQ(testsupport::GridRowTexts(*window->Grid1, 7),
              QStringList({"01.03.2024", "", "1", "", "1", Money(200)}));

    // The report: the check's parameters and the draws table on one sheet, the numbers on another.
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].Name, "Kombinacja");
    EXPECT_EQ(sheets[1].Name, "Liczby kombinacji");
    const std::vector<std::string> header = {
        "Gra       : Mini Lotto 5 z 42", "Narzędzie : Sprawdzenie kombinacji", " ", "Parametry", " Zakres danych",
        "  Liczba losowań : 3", "  Okres czasu    : 01.03.2024 - 09.03.2024", "  Ograniczenia   : brak", " ",
        " Kombinacja         :  1  2  3  4 40 41", " Stopnie wygranych  : Od 3 do 5", " Rodzaj grupowania  : Dzień"};
    for (size_t i = 0; i < header.size(); ++i)
        EXPECT_EQ(sheets[0].At("B" + std::to_string(i + 2)).Text, header[i]) << i;
    EXPECT_EQ(sheets[0].At("B18").Text, "Suma");
    EXPECT_EQ(sheets[0].At("G18").Text, Money(200200).toStdString());
    EXPECT_EQ(sheets[1].At("B3").Text, "1");
    EXPECT_EQ(sheets[1].At("F3").Text, "2");
    window->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(store().value("Tools\\2\\1", "Comb"), platform::RegValue(platform::Bytes({1, 2, 3, 4, 40, 41})));
}

TEST_F(CheckWindowsTest, DetailsListEveryCombinationAgainstTheDrawAndAddUpToTheCheckRow)
{
    // Rows of the last draw's numbers and six others, so that many of them win.
    const TDraw &last = History().GetDraw(History().Count() - 1);
    std::vector<int> pool(last.Numbers.begin(), last.Numbers.end());
    for (int n = 1; pool.size() < 12; ++n)
        if (std::find(pool.begin(), pool.end(), n) == pool.end())
            pool.push_back(n);
    Rows rows;
    for (const auto &positions : RandomRows(12, 6, 400, 46)) {
        std::vector<int> row;
        for (const int p : positions)
            row.push_back(pool[size_t(p) - 1]);
        std::sort(row.begin(), row.end());
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    TfrmCheckSystem *check = CheckLastDraw(49, rows);
    script.onDialog([&](QDialog &Dialog) {
        auto &details = dynamic_cast<TfrmCheckSysDetails &>(Dialog);
        EXPECT_EQ(details.Grid->RowCount(), 400 + 4);
        EXPECT_EQ(details.Totals.Hits, check->Results.Totals.Hits);
        EXPECT_EQ(details.Totals.Win, check->Results.Totals.Win);
        EXPECT_EQ(testsupport::GridRowTexts(*details.Grid, 2).first(), "Razem");
        EXPECT_EQ(details.Grid->TopRow(), 1) << "the totals in view";
        TSortCol byWin{1, ckWin};
        details.Grid->OnSortColumn(details.Grid, details.Grid->ColCount() - 1, byWin);
        EXPECT_TRUE(std::is_sorted(details.Rows.begin(), details.Rows.end(), [](const TCheckRow &A, const TCheckRow &B) {
            return A.Win != B.Win ? A.Win > B.Win : A.Index < B.Index;
        }));
        ASSERT_GT(details.Rows.front().Win, Currency()) << "some combination wins";
        // The selected row shows its combination.
        const int first = details.Rows.front().Index;
        QString numbers;
        for (const int n : rows[size_t(first) - 1])
            numbers += QStringLiteral("  %1").arg(n);
        details.Grid->setRow(4);
        EXPECT_EQ(details.eSelComb->text(), numbers);
    });
    ASSERT_TRUE(check->btnDetails->isEnabled());
    check->btnDetails->click();
    EXPECT_EQ(script.dialogs().size(), 1u);
}

TEST_F(CheckWindowsTest, DetailsOfASevenNumberSystemCountItsSimpleBets)
{
    const Rows rows = RandomRows(12, 7, 60, 7);
    TfrmCheckSystem *check = CheckLastDraw(12, rows);
    const TDraw &last = History().GetDraw(History().Count() - 1);
    const std::vector<uint8_t> drawn(last.Numbers.begin(), last.Numbers.end());
    script.onDialog([&](QDialog &Dialog) {
        auto &details = dynamic_cast<TfrmCheckSysDetails &>(Dialog);
        ASSERT_EQ(details.Rows.size(), rows.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            const std::vector<uint8_t> comb(rows[i].begin(), rows[i].end());
            const int hits = int(std::count_if(comb.begin(), comb.end(), [&](uint8_t N) {
                return std::find(drawn.begin(), drawn.end(), N) != drawn.end();
            }));
            const std::array<int64_t, 7> bets = Bets(7, hits);
            // Levels 6 to 3 expanded; a combination of 1 or 2 hits keeps its own level.
            TDynInt64Arr expected = {bets[6], bets[5], bets[4], bets[3], hits == 2 ? 1 : 0, hits == 1 ? 1 : 0};
            if (hits < 3)
                std::fill(expected.begin(), expected.begin() + 4, 0);
            EXPECT_EQ(details.Rows[i].Hits, expected) << i;
            EXPECT_EQ(details.Rows[i].Win, Currency::fromCount(WinOf(7, hits) * Currency::Scale)) << i;
        }
        EXPECT_EQ(details.Totals.Hits, check->Results.Totals.Hits);
        EXPECT_EQ(details.Totals.Win, check->Results.Totals.Win);
    });
    check->btnDetails->click();
}

TEST_F(CheckWindowsTest, DistributionCountsTheVisibleRowsUnderAShuffledKey)
{
    TGameData *lotto = Games.GameById(LottoId);
    auto system = std::make_unique<TSysShort>(lotto);
    system->SetParams(49, 6, 300);
    TDynByteArr key(49);
    std::iota(key.begin(), key.end(), uint8_t(1));
    std::shuffle(key.begin(), key.end(), std::mt19937(49));
    system->SetKey(key);
    for (const auto &row : RandomRows(49, 6, 300, 145)) {
        const std::vector<uint8_t> numbers(row.begin(), row.end());
        system->AddComb(numbers.data());
    }
    // A filter that shows every third row: the rows lose their by-hand mark, a third pass.
    for (int rec = 0; rec < 300; ++rec)
        *system->Combs.FlagsPtr(rec) = rec % 3 == 0 ? cfPassed : 0;
    system->Filter = std::make_unique<TGroupFilter>(lotto, 49, 6, system->Key);
    system->Filter->FindType = true;
    system->HasFilter = system->FilterApplied = true;
    system->RefreshView(false);
    ASSERT_EQ(system->ViewCount(), 100);
    std::array<int, 50> counts{};
    for (int i = 0; i < system->ViewCount(); ++i)
        for (int j = 0; j < 6; ++j)
            ++counts[system->GetComb(i, true)[j]];
    const int least = *std::min_element(counts.begin() + 1, counts.end());
    const int most = *std::max_element(counts.begin() + 1, counts.end());

    TGenSysForm *window = OpenClassic();
    window->OpenSystem(lotto, std::move(system));
    script.onDialog([&](QDialog &Dialog) {
        auto &freq = dynamic_cast<TfrmFreq &>(Dialog);
        ASSERT_EQ(freq.sgFreq->ColCount(), 8) << "three groups: 20, 20 and 9 numbers";
        ASSERT_EQ(freq.sgFreq->RowCount(), 21);
        for (int n = 1; n <= 49; ++n) {
            const int col = (n - 1) / 20 * 3;
            const int row = (n - 1) % 20 + 1;
            EXPECT_EQ(freq.sgFreq->Cells(col, row), QString::number(n));
            EXPECT_EQ(freq.sgFreq->Cells(col + 1, row), QString::number(counts[size_t(n)])) << n;
        }
        EXPECT_EQ(freq.sgFreq->Cells(6, 10), "");
        EXPECT_EQ(freq.txtMin->text(), QString::number(least));
        EXPECT_EQ(freq.txtMax->text(), QString::number(most));
        EXPECT_EQ(freq.txtDiff->text(), QString::number(most - least));
    });
    sendCommand(window, WM_SYS_DISTRIBUTION);
    EXPECT_EQ(script.dialogs().size(), 1u);

    // A row added by hand with a number outside the key keeps it above N: it is not counted.
    auto small = std::make_unique<TSysShort>(lotto);
    small->SetParams(20, 6, 2);
    const std::vector<uint8_t> inside = {1, 2, 3, 4, 5, 6};
    const std::vector<uint8_t> outside = {1, 2, 3, 4, 5, 30};
    small->AddComb(inside.data());
    small->AddComb(outside.data());
    TfrmFreq freq;
    freq.Init(*small);
    ASSERT_EQ(freq.Items.size(), 20u);
    EXPECT_EQ(freq.Items[0].Count, 2u);
    EXPECT_EQ(freq.Items[5].Count, 1u);
    EXPECT_EQ(freq.txtMax->text(), "2");

    // Eight numbers take eight rows below the header, none left empty.
    auto eight = std::make_unique<TSysShort>(lotto);
    eight->SetParams(8, 6, 1);
    eight->AddComb(inside.data());
    TfrmFreq few;
    few.Init(*eight);
    ASSERT_EQ(few.sgFreq->RowCount(), 9);
    for (int row = 1; row <= 8; ++row)
        EXPECT_EQ(few.sgFreq->Cells(0, row), QString::number(row));
}

// "Optymalne kombinacje" on the user's roads over the real Lotto history: the exact search checked
// against a plain evaluation of every combination, the genetic search stopped and reported, a length
// without prizes, the combination check of a row, and the stored parameters.
#include "controls/FloatSpin.h"
#include "core/UGlobalUtils.h"
#include "engine/UDrawsDB.h"
#include "shell/FGlobalControls.h"
#include "shell/NumberPad.h"
#include "statwindows/FStatBestComb.h"
#include "syswindows/FCheckComb.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/support/FontScales.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <tuple>

namespace {

// Draws with 3 to 6 hits (index 0 three) and the prize of one Lotto combination over the history.
struct TScore {
    std::array<int, 4> Hits{};
    int64_t Prize = 0; // zł
};

struct TListedRow {
    std::vector<int> Comb;
    QStringList Texts; // hit columns from six down to three, then the win
};

std::vector<int> ParseNumbers(const QString &Text)
{
    std::vector<int> numbers;
    for (const QString &part : Text.split(' ', Qt::SkipEmptyParts))
        numbers.push_back(part.toInt());
    return numbers;
}

// Every combination of Length numbers of Key, in lexicographic order.
void ForEachComb(const std::vector<int> &Key, int Length, const std::function<void(const std::vector<int> &)> &Visit)
{
    std::vector<int> comb;
    std::function<void(size_t)> extend = [&](size_t From) {
        if (int(comb.size()) == Length) {
            Visit(comb);
            return;
        }
        for (size_t i = From; i < Key.size(); ++i) {
            comb.push_back(Key[i]);
            extend(i + 1);
            comb.pop_back();
        }
    };
    extend(0);
}

QString Money(int64_t Zloty)
{
    return QString::fromStdString(MoneyToStr(Currency::fromCount(Zloty * Currency::Scale))) + ' ';
}

} // namespace

class StatBestCombWindowTest : public StatWindowTest {
protected:
    TfrmStatBestComb *Open()
    {
        OpenStatWindow(TfrmStatBestComb::BestCombStatIndex);
        return NewestChild<TfrmStatBestComb>();
    }

    TScore Score(const std::vector<int> &Comb)
    {
        static constexpr std::array<int64_t, 4> prizes = {24, 150, 4000, 2000000};
        if (DrawMasks.empty()) {
            const TDrawsManager &draws = *Lotto().DrawsMan;
            for (int i = 0; i < draws.Count(); ++i) {
                uint64_t mask = 0;
                for (int k = 0; k < 6; ++k)
                    mask |= uint64_t{1} << draws.GetDraw(i).Numbers[size_t(k)];
                DrawMasks.push_back(mask);
            }
        }
        uint64_t comb = 0;
        for (int number : Comb)
            comb |= uint64_t{1} << number;
        TScore score;
        for (uint64_t drawn : DrawMasks) {
            const int hits = std::popcount(drawn & comb);
            if (hits >= 3) {
                ++score.Hits[size_t(hits - 3)];
                score.Prize += prizes[size_t(hits - 3)];
            }
        }
        return score;
    }

    // The order of weighted hits from 3 to 6: the higher levels' counts first.
    static std::tuple<int, int, int, int> Weighted(const TScore &Score)
    {
        return std::tuple(Score.Hits[3], Score.Hits[2], Score.Hits[1], Score.Hits[0]);
    }

    static QStringList Texts(const TScore &Score)
    {
        QStringList texts;
        for (int level = 3; level >= 0; --level)
            texts << (Score.Hits[size_t(level)] ? QString::number(Score.Hits[size_t(level)]) + ' ' : QString());
        return texts << Money(Score.Prize);
    }

    static std::vector<TListedRow> Listed(const TfrmStatBestComb &Window)
    {
        std::vector<TListedRow> rows;
        const QStringList combs = testsupport::GridColumnTexts(*Window.Grid, 6);
        for (int row = 0; row < combs.size() && size_t(row) < Window.Results.size(); ++row) {
            TListedRow listed{ParseNumbers(combs[row]), {}};
            for (int col = 1; col <= 5; ++col)
                listed.Texts << testsupport::GridColumnTexts(*Window.Grid, col)[row];
            rows.push_back(listed);
        }
        return rows;
    }

    std::vector<uint64_t> DrawMasks; // a bit per number drawn

    void Compute(TfrmStatBestComb *Window)
    {
        sendCommand(Window, WM_TASK_START);
        WaitForResults(Window);
        ASSERT_EQ(Window->State, 0);
    }

    // Each listed row scores more than the one before, shows its own hits and win, and the last is the
    // first of the key's combinations (those Admitted) with the highest score.
    template <typename TRank>
    void ExpectImprovingToTheBest(const TfrmStatBestComb &Window, const std::vector<int> &Key, TRank Rank,
                                  const std::function<bool(const std::vector<int> &)> &Admitted)
    {
        const std::vector<TListedRow> rows = Listed(Window);
        ASSERT_FALSE(rows.empty());
        for (size_t i = 0; i < rows.size(); ++i) {
            const TScore score = Score(rows[i].Comb);
            EXPECT_TRUE(Admitted(rows[i].Comb)) << i;
            EXPECT_EQ(rows[i].Texts, Texts(score)) << i;
            if (i > 0) {
                EXPECT_GT(Rank(score), Rank(Score(rows[i - 1].Comb))) << i;
            }
        }
        std::vector<int> best;
        decltype(Rank(TScore{})) bestRank{};
        ForEachComb(Key, 6, [&](const std::vector<int> &Comb) {
            if (!Admitted(Comb))
                return;
            const auto rank = Rank(Score(Comb));
            if (best.empty() || rank > bestRank) {
                best = Comb;
                bestRank = rank;
            }
        });
        EXPECT_EQ(rows.back().Comb, best);
    }
};

TEST_F(StatBestCombWindowTest, ExactSearchListsEachImprovementUpToTheBest)
{
    OpenFrame();
    TfrmStatBestComb *window = Open();
    ASSERT_NE(window, nullptr);

    // Five numbers are no Lotto bet: nothing is searched.
    window->seCombLen->SetValue(5);
    script.answerBox(platform::IDOK);
    sendCommand(window, WM_TASK_START);
    ProcessPosted();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Tabela wygranych dla tej gry jest niewypełniona.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(window->State, 1);
    EXPECT_TRUE(window->Results.empty());

    const std::vector<int> key = {3, 7, 11, 19, 23, 28, 31, 36, 42, 49};
    window->seCombLen->SetValue(6);
    window->seKeyLen->SetValue(10);
    EnterCombination(QStringLiteral("49 3 7 11 19 23 28 31 36 42"));
    window->btnKey->click();
    EXPECT_EQ(window->txtKey->text(), " 3  7 11 19 23 28 31 36 42 49");
    EXPECT_EQ(window->seCombCount->text(), "210");
    window->rbAlg1->setChecked(true);
    Compute(window);
    EXPECT_EQ(window->PageControl1->currentWidget(), window->tsResults);
    const auto prize = [](const TScore &Score) { return Score.Prize; };
    ExpectImprovingToTheBest(*window, key, prize, [](const std::vector<int> &) { return true; });

    // The second row in the combination check.
    const std::vector<TListedRow> rows = Listed(*window);
    ASSERT_GE(rows.size(), 2u);
    window->Grid->setRow(2);
    window->btnCheckComb->click();
    auto *check = NewestChild<TfrmCheckComb>();
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->EnteredComb(), TDynByteArr(rows[1].Comb.begin(), rows[1].Comb.end()));
    EXPECT_TRUE(check->HasResults());

    // Two constants: the smallest key numbers, in every row; C(8, 4) combinations.
    window->seConstLen->SetValue(2);
    EXPECT_EQ(window->txtConsts->text(), " 3  7");
    EXPECT_EQ(window->seCombCount->text(), "70");
    Compute(window);
    ExpectImprovingToTheBest(*window, key, prize, [](const std::vector<int> &Comb) {
        return Comb[0] == 3 && Comb[1] == 7;
    });

    // Weighted hits from 3 to 6: one hit more at a higher level outweighs any at the levels below.
    window->seConstLen->SetValue(0);
    window->rbHit->setChecked(true);
    window->seHitFrom->SetValue(3);
    window->seHitTo->SetValue(6);
    Compute(window);
    ExpectImprovingToTheBest(*window, key, Weighted, [](const std::vector<int> &) { return true; });
}

TEST_F(StatBestCombWindowTest, TheLargestWinAndCountsShowWhole)
{
    testsupport::ForEachFontScale([this](double) {
        OpenFrame();
        // The combination of every number is paid as the largest system the prize table holds: its six
        // worth so much that one in every draw adds up to nearly the most money.
        TGameInfo &info = Lotto().Info;
        info.Prizes[size_t(info.MaxK) - 1][5] = Currency::fromCount(INT64_MAX / 4000);
        TfrmStatBestComb *window = Open();
        ASSERT_NE(window, nullptr);
        // Every number in the one combination: each draw hits six.
        window->seCombLen->SetValue(49);
        window->rbAlg1->setChecked(true);
        Compute(window);
        ASSERT_EQ(window->Results.size(), 1u);
        ASSERT_GT(window->Results[0].Win, Currency::fromCount(INT64_MAX / 2));
        EXPECT_EQ(testsupport::CutCells(*window->Grid), std::vector<std::string>());
        frame.reset();
    });
}

TEST_F(StatBestCombWindowTest, DetailsOfACombinationOfEveryNumberCheckAllItsBets)
{
    OpenFrame();
    TfrmStatBestComb *window = Open();
    window->seCombLen->SetValue(49);
    window->seKeyLen->SetValue(49);
    window->rbAlg1->setChecked(true);
    Compute(window);
    ASSERT_EQ(window->Results.size(), 1u);
    window->Grid->setRow(window->Grid->FixedRows());
    window->btnCheckComb->click();
    auto *check = NewestChild<TfrmCheckComb>();
    ASSERT_NE(check, nullptr);
    ASSERT_EQ(check->EnteredComb().size(), 49u);
    ASSERT_TRUE(check->HasResults());
    // Every draw holds six of the 49: C(6, j) x C(43, 6 - j) of the bets hit j.
    const int64_t eachDraw = 2000000 + 6 * 43 * 4000 + 15 * 903 * 150 + 20 * 12341 * 24;
    EXPECT_EQ(check->Outcome().Totals.Win,
              Currency::fromCount(eachDraw * int64_t(check->Outcome().Draws.size()) * Currency::Scale));
}

TEST_F(StatBestCombWindowTest, ConstantsStayKeyNumbersWhenTheKeyChanges)
{
    OpenFrame();
    TfrmStatBestComb *window = Open();
    window->seCombLen->SetValue(6);
    window->seConstLen->SetValue(2);
    const auto choose = [&](QPushButton *Button, const QString &Typed) {
        EnterCombination(Typed);
        Button->click();
    };
    choose(window->btnConsts, QStringLiteral("45 40"));
    EXPECT_EQ(window->Consts, (TDynByteArr{40, 45}));
    // A shorter key of the smallest numbers: both constants give way to the first key numbers.
    window->seKeyLen->SetValue(10);
    EXPECT_EQ(window->Consts, (TDynByteArr{1, 2}));
    // A chosen key without 1: it gives way to the first key number that is no constant.
    choose(window->btnKey, QStringLiteral("2 3 5 8 13 21 34 40 44 49"));
    EXPECT_EQ(window->Consts, (TDynByteArr{2, 3}));
    EXPECT_EQ(window->txtConsts->text(), " 2  3");
    EXPECT_EQ(window->seCombCount->text(), "70");
}

TEST_F(StatBestCombWindowTest, GeneticSearchStoppedKeepsItsRowsForTheReport)
{
    OpenFrame();
    TfrmStatBestComb *window = Open();
    window->seCombLen->SetValue(6);
    ASSERT_TRUE(window->rbAlg2->isChecked());
    window->seMaxIter->SetValue(999999);
    // Weighted hits never reach the optimiser's stop value: the search runs until it is stopped.
    window->rbHit->setChecked(true);
    window->seHitFrom->SetValue(3);
    window->seHitTo->SetValue(6);
    sendCommand(window, WM_TASK_START);
    ASSERT_EQ(window->State, 2);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
    ASSERT_TRUE(ProcessUntil([&] { return window->Results.size() >= 2; }));
    sendCommand(window, WM_TASK_STOP);
    ProcessPosted();
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart | cmdReport);
    const std::vector<TListedRow> rows = Listed(*window);
    ASSERT_EQ(rows.size(), window->Results.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Texts, Texts(Score(rows[i].Comb))) << i;
        if (i > 0) {
            EXPECT_GT(Weighted(Score(rows[i].Comb)), Weighted(Score(rows[i - 1].Comb))) << i;
        }
    }

    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 1u);
    const testsupport::XlsxSheet &sheet = sheets[0];
    const std::vector<std::string> header = {
        "Gra        : " + Lotto().Info.Name,
        "Statystyka : Optymalne kombinacje",
        " ",
        "Parametry",
        " Zakres losowań",
        "  Liczba losowań : " + std::to_string(Lotto().DrawsMan->Count()),
    };
    for (size_t i = 0; i < header.size(); ++i)
        EXPECT_EQ(sheet.At("B" + std::to_string(i + 2)).Text, header[i]);
    const std::vector<std::string> params = {
        " Długość kombinacji   : 6",
        " Ilość liczb          : 49",
        " Klucz                : Wszystkie liczby",
        " Ilość liczb stałych  : 0",
        " Rodzaj optymalizacji : Trafienia (3 - 6)",
        " Algorytm             : Przybliżony (liczba iteracji = 999999)",
    };
    for (size_t i = 0; i < params.size(); ++i)
        EXPECT_EQ(sheet.At("B" + std::to_string(i + 11)).Text, params[i]);
    EXPECT_FALSE(sheet.At("B17").HasValue);
    // The grid three rows below the last line.
    EXPECT_EQ(sheet.At("B19").Text, "Lp.");
    EXPECT_EQ(sheet.At("H19").Text, "Kombinacja");
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::string row = std::to_string(20 + i);
        EXPECT_EQ(sheet.At("B" + row).Text, std::to_string(i + 1));
        EXPECT_EQ(ParseNumbers(QString::fromStdString(sheet.At("H" + row).Text)), rows[i].Comb) << row;
    }
    EXPECT_FALSE(sheet.At("B" + std::to_string(20 + rows.size())).HasValue);
}

TEST_F(StatBestCombWindowTest, ParametersAreStoredAsTheRecordAndDamagedKeysIgnored)
{
    OpenFrame();
    TfrmStatBestComb *window = Open();
    window->seCombLen->SetValue(7);
    window->seKeyLen->SetValue(10);
    EnterCombination(QStringLiteral("2 4 6 8 10 12 14 16 18 20"));
    window->btnKey->click();
    window->seConstLen->SetValue(2);
    window->rbHit->setChecked(true);
    window->seHitFrom->SetValue(4);
    window->seHitTo->SetValue(5);
    window->rbAlg1->setChecked(true);
    window->seMaxIter->SetValue(5000);
    window->chkShowEqualCombs->setChecked(true);
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    platform::Bytes expected = {1, 7, 10, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
    expected.resize(83, 0);
    expected.insert(expected.end(), {2, 2, 4});
    expected.resize(164, 0);
    expected.insert(expected.end(), {0, 4, 5, 1, 0x88, 0x13, 0, 0, 1});
    ASSERT_EQ(expected.size(), 173u);
    EXPECT_EQ(store().value("Stats\\1\\5", "Params"), platform::RegValue(expected));

    window = Open();
    EXPECT_EQ(window->Key, (TDynByteArr{2, 4, 6, 8, 10, 12, 14, 16, 18, 20}));
    EXPECT_EQ(window->Consts, (TDynByteArr{2, 4}));
    EXPECT_EQ(SpinValue(window->seConstLen), 2);
    EXPECT_EQ(SpinValue(window->seHitFrom), 4);
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    // A key out of order, a constant outside the key, a key shorter than the combination: the default
    // key of every number and no constants; the rest is taken.
    platform::Bytes unordered = expected;
    std::swap(unordered[3], unordered[4]);
    platform::Bytes stranger = expected;
    stranger[84] = 1;
    platform::Bytes shorter = expected;
    shorter[2] = 5;
    for (const platform::Bytes &stored : {unordered, stranger, shorter}) {
        store().setValue("Stats\\1\\5", "Params", stored);
        window = Open();
        EXPECT_EQ(window->KeyCount, 49);
        EXPECT_EQ(window->Key.size(), 49u);
        EXPECT_TRUE(window->Consts.empty());
        EXPECT_EQ(SpinValue(window->seCombLen), 7);
        EXPECT_TRUE(window->rbAlg1->isChecked());
        ASSERT_TRUE(window->Close());
        ProcessPosted();
    }
}

// "Częstotliwości" on the user's roads: over the real Lotto history from the main window, over a short
// range or none, over a classic system, and its stored parameters.
#include "controls/FloatSpin.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "engine/USysGeneral.h"
#include "output/FRowsRange.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalControls.h"
#include "shell/FSelectComb.h"
#include "shell/NumberPad.h"
#include "shell/ParamsRecord.h"
#include "stats/UStatFreq.h"
#include "statwindows/FStatFreq.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysShort.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

struct TPlainRow {
    std::vector<int> Comb;
    int Freq = 0;
    int Newest = -1; // history index of the newest draw holding it
};

// Every K-subset of every combination counted, in the window's order: frequency down, then the
// numbers up.
std::vector<TPlainRow> PlainCount(const std::vector<std::vector<int>> &Combs, int K)
{
    std::map<std::vector<int>, TPlainRow> counts;
    for (size_t i = 0; i < Combs.size(); ++i) {
        const std::vector<int> &numbers = Combs[i];
        std::vector<bool> pick(numbers.size(), false);
        std::fill(pick.begin(), pick.begin() + K, true);
        do {
            std::vector<int> subset;
            for (size_t j = 0; j < numbers.size(); ++j)
                if (pick[j])
                    subset.push_back(numbers[j]);
            TPlainRow &row = counts[subset];
            row.Comb = subset;
            ++row.Freq;
            row.Newest = int(i);
        } while (std::prev_permutation(pick.begin(), pick.end()));
    }
    std::vector<TPlainRow> rows;
    for (const auto &[comb, row] : counts)
        rows.push_back(row);
    std::stable_sort(rows.begin(), rows.end(), [](const TPlainRow &A, const TPlainRow &B) { return A.Freq > B.Freq; });
    return rows;
}

QString CombText(const std::vector<int> &Comb)
{
    QString text;
    for (int number : Comb)
        text += QString::asprintf("%2d ", number);
    return text;
}

QString ParityText(const std::vector<int> &Comb)
{
    const auto even = [](int Number) { return Number % 2 == 0; };
    if (std::all_of(Comb.begin(), Comb.end(), even))
        return "P";
    if (std::none_of(Comb.begin(), Comb.end(), even))
        return "N";
    return "-";
}

QString Grouped(int64_t Value)
{
    return QString::fromStdString(FormatFloat("#,##", double(Value))) + ' ';
}

QString Real(double Value)
{
    return QString::fromStdString(FormatFloat("0.00", Value)) + ' ';
}

std::vector<int> ColumnNumbers(const QStringList &Texts)
{
    std::vector<int> values;
    for (QString text : Texts)
        values.push_back(text.remove(QChar(0x00A0)).trimmed().toInt());
    return values;
}

} // namespace

class StatFreqWindowTest : public StatWindowTest {
protected:
    TfrmStatFreq *OpenFromFrame()
    {
        frame->mStat->actions().at(0)->trigger(); // "Częstotliwości"
        return NewestChild<TfrmStatFreq>();
    }

    void Compute(TfrmStatFreq *Window, int Length, int MinFreq)
    {
        Window->seCombLen->SetValue(Length);
        Window->seMinFreq->SetValue(MinFreq);
        Window->chkMaxRows->setChecked(false);
        sendCommand(Window, WM_TASK_START);
        WaitForResults(Window);
    }

    // The history's draws, oldest first.
    std::vector<std::vector<int>> HistoryDraws() const
    {
        std::vector<std::vector<int>> draws;
        const TDrawsManager &history = *Lotto().DrawsMan;
        for (int i = 0; i < history.Count(); ++i)
            draws.emplace_back(history.GetDraw(i).Numbers.begin(), history.GetDraw(i).Numbers.end());
        return draws;
    }
};

TEST_F(StatFreqWindowTest, PairsOverTheLottoHistoryAreAPlainCount)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(StatWindow(0), window);
    EXPECT_EQ(window->windowTitle(), "<Lotto #1> Częstotliwości");
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);

    Compute(window, 2, 1);
    ASSERT_EQ(window->State, 0);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdReport | cmdStart);
    EXPECT_TRUE(window->btnCombProp->isEnabled());

    const std::vector<std::vector<int>> draws = HistoryDraws();
    const int drawCount = int(draws.size());
    ASSERT_GT(drawCount, 3000);
    const std::vector<TPlainRow> expected = PlainCount(draws, 2);
    ASSERT_EQ(window->grid->RowCount(), int(expected.size()) + 1);
    const QStringList combs = ColumnTexts(*window->grid, 1);
    const QStringList freqs = ColumnTexts(*window->grid, 2);
    const QStringList parities = ColumnTexts(*window->grid, 3);
    const QStringList lasts = ColumnTexts(*window->grid, 4);
    int64_t sum = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const TPlainRow &row = expected[i];
        sum += row.Freq;
        const int ago = drawCount - 1 - row.Newest; // the window counts newest first
        const QString last = QString::asprintf("%5d (", ago) +
                             QString::fromStdString(DateToStr(Lotto().DrawsMan->GetDraw(row.Newest).Date)) + ')';
        ASSERT_EQ(combs[int(i)], CombText(row.Comb)) << i;
        ASSERT_EQ(freqs[int(i)], Grouped(row.Freq)) << i;
        ASSERT_EQ(parities[int(i)], ParityText(row.Comb)) << i;
        ASSERT_EQ(lasts[int(i)], last) << i;
    }
    const double mean = double(sum) / double(expected.size());
    double squares = 0;
    for (const TPlainRow &row : expected)
        squares += (row.Freq - mean) * (row.Freq - mean);
    EXPECT_EQ(ColumnTexts(*window->sgTotal, 1),
              (QStringList{Grouped(expected.back().Freq), Grouped(expected.front().Freq), Real(mean),
                           Real(drawCount * 15.0 / 1176.0), Real(std::sqrt(squares / double(expected.size())))}));
    EXPECT_EQ(window->grid->Cells(2, 0), "Częst. -");

    // By frequency, up, then down again.
    ClickHeader(*window->grid, 2);
    std::vector<int> shown = ColumnNumbers(ColumnTexts(*window->grid, 2));
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_EQ(shown.front(), expected.back().Freq);
    EXPECT_EQ(window->grid->Cells(2, 0), "Częst. +");
    ClickHeader(*window->grid, 2);
    shown = ColumnNumbers(ColumnTexts(*window->grid, 2));
    EXPECT_TRUE(std::is_sorted(shown.rbegin(), shown.rend()));
    EXPECT_EQ(window->SortMan.GetSortDir(1, 2), 1);

    // Stopped half-way: no rows, the commands of a window without results.
    sendCommand(window, WM_TASK_START);
    ASSERT_TRUE(ProcessUntil([&] { return window->StatFreq->Thread != nullptr; }));
    sendCommand(window, WM_TASK_STOP);
    ProcessPosted();
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(window->grid->RowCount(), 2);
    EXPECT_EQ(ColumnTexts(*window->grid, 1), QStringList{QString()});
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);

    // Closed while computing: the worker stops first, the parameters are kept.
    sendCommand(window, WM_TASK_START);
    ASSERT_TRUE(ProcessUntil([&] { return window->StatFreq->Thread != nullptr; }));
    QPointer<TfrmStatFreq> watched(window);
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(store().value("Stats\\1\\0", "Params").has_value());
}

TEST_F(StatFreqWindowTest, NeverDrawnNumbersAndRanges)
{
    OpenFrame();
    Lotto().DefRange.Mode = drLast;
    TfrmStatFreq *window = OpenFromFrame();
    ASSERT_EQ(window->Range.Range.Count, 1u);

    Compute(window, 1, 0);
    ASSERT_EQ(window->State, 0);
    std::set<int> drawn;
    for (uint8_t number : Lotto().DrawsMan->GetDraw(Lotto().DrawsMan->Count() - 1).Numbers)
        drawn.insert(number);
    QStringList never;
    for (int number = 1; number <= 49; ++number)
        if (!drawn.count(number))
            never << CombText({number});
    EXPECT_EQ(ColumnTexts(*window->grid, 1), never);
    EXPECT_EQ(ColumnTexts(*window->grid, 4), QStringList(never.size(), QString()));
    EXPECT_FALSE(window->btnCombProp->isEnabled());
    // Neither frequency nor last occurrence sorts; the numbers do.
    ClickHeader(*window->grid, 2);
    ClickHeader(*window->grid, 4);
    EXPECT_EQ(ColumnTexts(*window->grid, 1), never);
    EXPECT_EQ(window->SortMan.GetSortDir(1, 4), 2);
    ClickHeader(*window->grid, 1);
    EXPECT_EQ(ColumnTexts(*window->grid, 1).front(), never.back());

    // A new range shows in the range line; the results stay.
    script.onDialog([](QDialog &Dialog) {
        auto &dialog = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        dialog.rbFltTypeAll->setChecked(true);
        dialog.btnOK->click();
    });
    EXPECT_EQ(sendCommand(window, WM_DRAWS_RANGE), 1);
    EXPECT_EQ(window->Range.Range.Count, uint32_t(Lotto().DrawsMan->Count()));
    EXPECT_EQ(window->grid->RowCount(), never.size() + 1);

    // A game without draws: Start stays off and does nothing.
    frame->cbGame->setCurrentIndex(Games.GameIndexOfId(Games.GetGame(0)->Info.Id == LottoId ? Games.GetGame(1)->Info.Id
                                                                                         : Games.GetGame(0)->Info.Id));
    TfrmStatFreq *empty = OpenFromFrame();
    ASSERT_TRUE(empty->Range.Empty());
    EXPECT_EQ(EnabledMask(), cmdRead);
    sendCommand(empty, WM_TASK_START);
    ProcessPosted();
    EXPECT_EQ(empty->State, 1);
    EXPECT_EQ(StatWindow(0), empty);
}

TEST_F(StatFreqWindowTest, OverAClassicSystemCountsItsRowsAndClosesWithIt)
{
    OpenFrame();
    OpenSystemWindow(0);
    auto *system = NewestChild<TfrmSysShort>();
    ASSERT_NE(system, nullptr);
    script.onDialog([](QDialog &Dialog) {
        auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
        params.seCDraws->setText("6");
        params.seCNum->setText("10");
        params.seCComb->setText("12");
        params.btnOk->click();
    });
    sendCommand(system, WM_SYS_PARAMS);
    ASSERT_TRUE(ProcessUntil([&] { return !system->Generating(); }));
    ASSERT_EQ(system->State, 0);

    sendCommand(system, WM_SYS_STATS, 0);
    auto *window = NewestChild<TfrmStatFreq>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ParentWindow, system);
    EXPECT_EQ(window->WindowNo, system->WindowNo);
    EXPECT_EQ(window->grid->ColCount(), 4);
    Compute(window, 1, 1);
    ASSERT_EQ(window->State, 0);

    std::vector<std::vector<int>> rows;
    for (int i = 0; i < system->ViewCount(); ++i) {
        const uint8_t *comb = system->System->GetComb(i, true);
        rows.emplace_back(comb, comb + 6);
    }
    const std::vector<TPlainRow> expected = PlainCount(rows, 1);
    QStringList combs;
    QStringList freqs;
    for (const TPlainRow &row : expected) {
        combs << CombText(row.Comb);
        freqs << Grouped(row.Freq);
    }
    EXPECT_EQ(ColumnTexts(*window->grid, 1), combs);
    EXPECT_EQ(ColumnTexts(*window->grid, 2), freqs);

    QPointer<TfrmStatFreq> watched(window);
    ASSERT_TRUE(system->Close());
    ProcessPosted();
    EXPECT_TRUE(watched.isNull());
}

TEST_F(StatFreqWindowTest, ParametersAreStoredAsTheRecordAndReadByItsRules)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    // The defaults of a game without a record.
    EXPECT_EQ(SpinValue(window->seMinFreq), 2);
    EXPECT_EQ(SpinValue(window->seTo), 49);
    EXPECT_EQ(window->txtComb->text(), " 1 ");

    window->seCombLen->SetValue(2);
    window->chkAllWithAll->setChecked(true);
    window->seMinFreq->SetValue(300);
    window->seMaxRows->SetValue(70000);
    window->rbRange->setChecked(true);
    window->seFrom->SetValue(5);
    window->seTo->SetValue(40);
    window->rbSpecComb->setChecked(true);
    window->rbEvenNo->setChecked(true);
    window->chkSucc->setChecked(true);
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    platform::Bytes expected = {1, 2, 1, 0x2C, 0x01, 1, 0x70, 0x11, 0x01, 0x00, 1, 5, 40, 1, 1, 1};
    expected.resize(95, 0);
    expected.push_back(2);
    expected.push_back(1);
    EXPECT_EQ(store().value("Stats\\1\\0", "Params"), platform::RegValue(expected));

    window = OpenFromFrame();
    EXPECT_EQ(SpinValue(window->seCombLen), 2);
    EXPECT_TRUE(window->chkAllWithAll->isChecked());
    EXPECT_TRUE(window->chkAllWithAll->isEnabled());
    EXPECT_EQ(SpinValue(window->seMinFreq), 300);
    EXPECT_EQ(SpinValue(window->seMaxRows), 70000);
    EXPECT_TRUE(window->rbRange->isChecked());
    EXPECT_TRUE(window->seFrom->isEnabled());
    EXPECT_EQ(SpinValue(window->seFrom), 5);
    EXPECT_EQ(SpinValue(window->seTo), 40);
    EXPECT_TRUE(window->rbSpecComb->isChecked());
    EXPECT_TRUE(window->rbEvenNo->isChecked());
    EXPECT_TRUE(window->chkSucc->isChecked());
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    // "To" beyond N keeps 49; a count of 200 keeps the one number 1.
    platform::Bytes outside = expected;
    outside[12] = 60;
    outside[14] = 200;
    outside[15] = 7;
    store().setValue("Stats\\1\\0", "Params", outside);
    window = OpenFromFrame();
    EXPECT_EQ(SpinValue(window->seFrom), 5);
    EXPECT_EQ(SpinValue(window->seTo), 49);
    EXPECT_TRUE(window->rbSpecComb->isChecked());
    EXPECT_EQ(window->txtComb->text(), " 1 ");
    EXPECT_EQ(window->ReqCount, 1);
    ASSERT_TRUE(window->Close());
    ProcessPosted();

    // "From" above "to" comes down to it; a valid stored combination is taken.
    platform::Bytes crossed = expected;
    crossed[11] = 30;
    crossed[12] = 20;
    crossed[14] = 2;
    crossed[15] = 9;
    crossed[16] = 3;
    store().setValue("Stats\\1\\0", "Params", crossed);
    window = OpenFromFrame();
    EXPECT_EQ(SpinValue(window->seFrom), 20);
    EXPECT_EQ(SpinValue(window->seTo), 20);
    EXPECT_EQ(window->txtComb->text(), " 9  3 ");
}

TEST_F(StatFreqWindowTest, ReportOfRowsTenToTwentyFollowsItsHeader)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    Compute(window, 2, 1);
    ASSERT_EQ(window->State, 0);
    ASSERT_GT(window->grid->RowCount(), 21);

    script.onDialog([](QDialog &Dialog) {
        auto &rows = dynamic_cast<TfrmRowsRange &>(Dialog);
        rows.sbFrom->setText("10");
        rows.sbTo->setText("20");
        rows.btnOK->click();
    });
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 2u);
    const testsupport::XlsxSheet &details = sheets[0];
    EXPECT_EQ(details.Name, "Szczegóły");
    EXPECT_EQ(sheets[1].Name, "Podsumowanie");

    // Eleven header lines (no row limit, no constraint), the grid three rows below them, from row 15.
    EXPECT_EQ(details.At("B2").Text, "Gra        : " + Lotto().Info.Name);
    EXPECT_EQ(details.At("B3").Text, "Statystyka : Częstotliwości");
    EXPECT_EQ(details.At("B6").Text, " Zakres danych");
    EXPECT_EQ(details.At("B7").Text, "  Liczba losowań : " + std::to_string(window->Range.Range.Count));
    EXPECT_EQ(details.At("B11").Text, " Długość kombinacji    : 2");
    EXPECT_EQ(details.At("B12").Text, " Min. częstotliwość    : 1");
    EXPECT_FALSE(details.At("B13").HasValue);
    EXPECT_EQ(details.At("B15").Text, "Lp.");
    const auto shown = [&](int Col, int Row) {
        QString text;
        window->grid->GetCellText(Col, Row, text);
        return text.remove(QChar(0x00A0)).trimmed().toStdString();
    };
    for (int k = 0; k < 11; ++k)
        for (int col = 0; col < window->grid->ColCount(); ++col) {
            const std::string ref = std::string(1, char('B' + col)) + std::to_string(16 + k);
            std::string text = details.At(ref).Text;
            std::erase(text, ' ');
            std::string expected = shown(col, 10 + k);
            std::erase(expected, ' ');
            EXPECT_EQ(text, expected) << ref;
        }
    EXPECT_EQ(details.At("B16").Text, "10");
    EXPECT_FALSE(details.At("B27").HasValue);
    EXPECT_EQ(sheets[1].At("B3").Text, window->sgTotal->Cells(0, 1).trimmed().toStdString());
    EXPECT_EQ(sheets[1].At("C3").Text, window->sgTotal->Cells(1, 1).trimmed().toStdString());
}

TEST_F(StatFreqWindowTest, TheRequiredCombinationIsChosenInTheCombinationDialog)
{
    OpenFrame();
    TfrmStatFreq *window = OpenFromFrame();
    window->seCombLen->SetValue(2);
    window->rbSpecComb->setChecked(true);
    script.onDialog([](QDialog &Dialog) {
        auto &entry = dynamic_cast<TfrmSelectComb &>(Dialog);
        EXPECT_EQ(entry.gbKey->Chosen(), TDynByteArr{1}) << "the current combination";
        EXPECT_EQ(entry.lblToSelect->text(), QStringLiteral("1 -  2"));
        entry.eInput->setPlainText(QStringLiteral("30 17 5"));
        entry.btnReadNums->click();
        entry.btnOK->click();
    });
    window->btnComb->click();
    EXPECT_EQ(window->ReqCount, 2);
    EXPECT_EQ(window->txtComb->text(), "17 30 ");
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelectComb &>(Dialog).btnCancel->click(); });
    window->btnComb->click();
    EXPECT_EQ(window->txtComb->text(), "17 30 ") << "cancelled";
}

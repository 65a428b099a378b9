// The frequency ranges window over the real Lotto history: each draw's zones against counts of the
// draws before it made by plain loops, the selected draw's views, the stored record and the colours, and
// the chart painted at once after each redraw.
#include "controls/FloatSpin.h"
#include "controls/Graphics.h"
#include "core/ProgramLocale.h"
#include "engine/UDrawsDB.h"
#include "shell/FGlobalControls.h"
#include "statwindows/ClassTablePage.h"
#include "output/FSelRepItems.h"
#include "statwindows/FStatRangeFreqs.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <cmath>
#include <cstring>

namespace {

constexpr int N = 49;
constexpr int K = 6;
constexpr int W = 30;

QString Coefficient(int Hundredths)
{
    return Hundredths == 0 ? QString() : QString::fromStdString(FormatFloat("0.00", Hundredths / 100.0)) + ' ';
}

template <typename T>
void Put(platform::Bytes &Record, T Value)
{
    std::array<uint8_t, sizeof(T)> bytes{};
    std::memcpy(bytes.data(), &Value, sizeof(T));
    Record.insert(Record.end(), bytes.begin(), bytes.end());
}

platform::Bytes Record(uint16_t BackDraws, uint8_t ByPercent, float PercentFrom, float PercentTo, uint16_t CountFrom,
                       uint16_t CountTo, std::array<uint32_t, 3> Colors, uint8_t ChartKind, uint8_t GroupChart)
{
    platform::Bytes record = {1};
    Put(record, BackDraws);
    Put(record, ByPercent);
    Put(record, PercentFrom);
    Put(record, PercentTo);
    Put(record, CountFrom);
    Put(record, CountTo);
    for (const uint32_t color : Colors)
        Put(record, color);
    Put(record, ChartKind);
    Put(record, GroupChart);
    return record;
}

} // namespace

class StatRangeFreqsWindowTest : public StatWindowTest {
protected:
    TfrmStatRangeFreqs *Open()
    {
        frame->mStat->actions().at(TfrmStatRangeFreqs::RangeFreqsStatIndex)->trigger();
        return NewestChild<TfrmStatRangeFreqs>();
    }
    const TDrawsManager &History() const { return *Lotto().DrawsMan; }

    // Each number's count in the W draws before history entry Index.
    std::array<int, N + 1> WindowCounts(int Index) const
    {
        std::array<int, N + 1> counts{};
        for (int i = std::max(0, Index - W); i < Index; ++i)
            for (const uint8_t v : History().GetDraw(i).Numbers)
                ++counts[v];
        return counts;
    }
};

TEST_F(StatRangeFreqsWindowTest, ZonesOfDrawsAndTheSelectedDrawsCountsByCountAndByPercent)
{
    OpenFrame();
    TfrmStatRangeFreqs *window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SpinValue(window->seDrawCount), W);
    const double mean = static_cast<float>(double(K) / N * W);
    struct TMode {
        QRadioButton *Button;
        int Lower, Upper;
    };
    const std::array<TMode, 2> modes = {
        TMode{window->rbRangeType2, int(std::trunc(mean - 1)), int(std::trunc(mean + 1))},
        TMode{window->rbRangeType1, int(std::trunc(mean - 0.1 * mean)), int(std::trunc(0.1 * mean + mean))}};
    const TStringAlignGrid &details = *window->Classes->sgDetails;
    const int count = History().Count();
    for (const TMode &mode : modes) {
        mode.Button->setChecked(true);
        sendCommand(window, WM_TASK_START);
        ASSERT_FALSE(window->NoResults);
        ASSERT_EQ(details.RowCount() - 1, count);
        const auto zoneOf = [&](int Freq) { return Freq > mode.Upper ? 0 : Freq < mode.Lower ? 2 : 1; };
        // Per zone: the draw's numbers in it and the numbers of 1..N in it, at the draw's window.
        const auto zoneCounts = [&](int Index, std::array<int, 3> &In, std::array<int, 3> &Len) {
            const std::array<int, N + 1> counts = WindowCounts(Index);
            In = {};
            Len = {};
            for (int v = 1; v <= N; ++v)
                ++Len[size_t(zoneOf(counts[size_t(v)]))];
            for (const uint8_t v : History().GetDraw(Index).Numbers)
                ++In[size_t(zoneOf(counts[v]))];
        };
        for (const int row : {1, 2, 40, count - 3, count}) {
            const int index = count - row; // latest first
            std::array<int, 3> in{}, len{};
            zoneCounts(index, in, len);
            QStringList expected;
            for (const int z : {0, 1, 2})
                expected << Count(in[size_t(z)]);
            for (const int z : {0, 1, 2})
                expected << Count(len[size_t(z)]);
            for (const int z : {0, 1, 2})
                expected << Coefficient(len[size_t(z)] > 0 ? in[size_t(z)] * 100 / len[size_t(z)] : 0);
            QStringList shown;
            for (int col = 1; col <= 9; ++col) {
                QString text;
                details.GetCellText(col, row, text);
                shown << text;
            }
            EXPECT_EQ(shown, expected) << "row " << row;
        }
        // The summary's coefficients on the scale of the details: least, most and mean over every draw.
        std::array<int, 3> least{100, 100, 100}, most{}, sum{};
        for (int index = 0; index < count; ++index) {
            std::array<int, 3> in{}, len{};
            zoneCounts(index, in, len);
            for (const size_t z : {0u, 1u, 2u}) {
                const int coefficient = len[z] > 0 ? in[z] * 100 / len[z] : 0;
                least[z] = std::min(least[z], coefficient);
                most[z] = std::max(most[z], coefficient);
                sum[z] += coefficient;
            }
        }
        for (const size_t z : {0u, 1u, 2u})
            EXPECT_EQ(testsupport::GridRowTexts(*window->Classes->sgTotal, 7 + int(z)).mid(1, 3),
                      (QStringList{Real(least[z] / 100.0), Real(most[z] / 100.0),
                                   Real(double(sum[z]) / count / 100)}))
                << z;

        // The selected draw: each number's count in its window, coloured by its zone; its numbers too.
        const int row = 3;
        window->Classes->sgDetails->setRow(row);
        const std::array<int, N + 1> counts = WindowCounts(count - row);
        const TStringAlignGrid &freqs = *window->sgFreqs;
        ASSERT_EQ(freqs.RowCount() - 1, N);
        int previous = W + 1;
        for (int r = 1; r <= N; ++r) {
            TCellFormat number, freq;
            freqs.OnGetCellFormat(0, r, number);
            freqs.OnGetCellFormat(1, r, freq);
            const int v = number.Text.toInt();
            ASSERT_TRUE(v >= 1 && v <= N);
            EXPECT_EQ(freq.Text, QString::fromStdString(FormatFloat("#,##", counts[size_t(v)]))) << v;
            EXPECT_EQ(freq.Brush.Color, window->Colors[size_t(zoneOf(counts[size_t(v)]))]) << v;
            EXPECT_LE(counts[size_t(v)], previous); // the most frequent first
            previous = counts[size_t(v)];
        }
        const TStringAlignGrid &selected = *window->sgSelDraw;
        ASSERT_EQ(selected.ColCount(), K);
        const TDynByteArr &numbers = History().GetDraw(count - row).Numbers;
        for (int pos = 0; pos < K; ++pos) {
            TCellFormat cell;
            selected.OnGetCellFormat(pos, 1, cell);
            EXPECT_EQ(cell.Text, QString::number(numbers[size_t(pos)]));
            EXPECT_EQ(cell.Brush.Color, window->Colors[size_t(zoneOf(counts[numbers[size_t(pos)]]))]);
        }
    }
}

TEST_F(StatRangeFreqsWindowTest, TheStoredRecordByteByByteAndTheDefaultColours)
{
    using Colors = std::array<uint32_t, 3>;
    const Colors defaults = {0x9B9BFF, 0xBBFFFF, 0xFFCD9B};
    OpenFrame();
    TfrmStatRangeFreqs *window = Open();
    EXPECT_EQ(SpinValue(window->seDrawCount), W);
    EXPECT_EQ(window->Colors, defaults);
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_EQ(store().value("Stats\\1\\11", "Params"),
              platform::RegValue(Record(30, 1, 10.0f, 10.0f, 1, 1, defaults, 0, 0)));

    // A hand-built record restores every control.
    const Colors chosen = {0x102030, 0x405060, 0x708090};
    store().setValue("Stats\\1\\11", "Params", Record(50, 0, 5.0f, 7.0f, 2, 3, chosen, 2, 4));
    window = Open();
    EXPECT_EQ(SpinValue(window->seDrawCount), 50);
    EXPECT_TRUE(window->rbRangeType2->isChecked());
    EXPECT_FALSE(window->seFrom1->isEnabled());
    EXPECT_EQ(SpinValue(window->seFrom2), 2);
    EXPECT_EQ(SpinValue(window->seTo2), 3);
    EXPECT_EQ(window->Colors, chosen);
    EXPECT_TRUE(window->rbDetCharts[2]->isChecked());
    EXPECT_EQ(window->Classes->lbGDetChart->currentRow(), 4);
    // "Kolory domyślne" brings back all three colours at once.
    window->btnDefColors->click();
    EXPECT_EQ(window->Colors, defaults);
    EXPECT_EQ(window->eColors[2]->text(), "#9BCDFF");
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    EXPECT_EQ(store().value("Stats\\1\\11", "Params"),
              platform::RegValue(Record(50, 0, 10.0f, 10.0f, 2, 3, defaults, 2, 4)));

    // Values out of range are ignored: W above the draws, a bound over 1000, a chart kind of 3, a
    // grouping item of 9, a colour that is none; so is a record not marked valid.
    store().setValue("Stats\\1\\11", "Params",
                     Record(60000, 1, 1500.0f, 20.0f, 0, 0, {0x1000000, 0x405060, 0x708090}, 3, 9));
    window = Open();
    EXPECT_EQ(SpinValue(window->seDrawCount), W);
    EXPECT_EQ(window->seFrom1->Value(), 10.0);
    EXPECT_EQ(window->seTo1->Value(), 20.0);
    EXPECT_EQ(window->Colors, (Colors{0x9B9BFF, 0x405060, 0x708090}));
    EXPECT_TRUE(window->rbDetCharts[0]->isChecked());
    EXPECT_EQ(window->Classes->lbGDetChart->currentRow(), 0);
    ASSERT_TRUE(window->Close());
    ProcessPosted();
    platform::Bytes unmarked = Record(50, 0, 5.0f, 7.0f, 2, 3, chosen, 2, 4);
    unmarked[0] = 0;
    store().setValue("Stats\\1\\11", "Params", unmarked);
    window = Open();
    EXPECT_EQ(SpinValue(window->seDrawCount), W);
    EXPECT_TRUE(window->rbRangeType1->isChecked());
    EXPECT_EQ(window->Colors, defaults);
}

TEST_F(StatRangeFreqsWindowTest, TheReportNamesTheStatisticAndTheLookBack)
{
    OpenFrame();
    TfrmStatRangeFreqs *window = Open();
    sendCommand(window, WM_TASK_START);
    ASSERT_FALSE(window->NoResults);
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelRepItems &>(Dialog).btnOK->click(); });
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0].At("B3").Text, "Statystyka : Zakresy częstotliwości");
    EXPECT_EQ(sheets[0].At("B10").Text, " Liczba losowań wstecz : 30");
    EXPECT_EQ(sheets[0].At("B12").Text, "Los.");
    EXPECT_EQ(sheets[0].At("C12").Text, "Z1");
}

TEST_F(StatRangeFreqsWindowTest, TheChartShownPaintsAtOnceAfterEachKindAndAnotherStart)
{
    OpenFrame();
    TfrmStatRangeFreqs *window = Open();
    sendCommand(window, WM_TASK_START);
    ASSERT_FALSE(window->NoResults);
    window->PageControl1->setCurrentIndex(1);
    window->Classes->DetailsPage->setCurrentIndex(1); // "Wykres"
    QCoreApplication::processEvents();
    // More draws than pixels: the zones are areas painted by columns.
    ASSERT_NE(qobject_cast<QAreaSeries *>(window->Chart1->chart()->series().front()), nullptr);

    // Painted before the event loop runs again, each chart shows the third zone (bars as narrow as a
    // pixel show their borders' colour).
    const QRgb third = toQColor(window->Colors[2]).darker(130).rgb();
    const auto paintsThird = [&] {
        const QImage image = window->Chart1->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == third)
                    return true;
        return false;
    };
    EXPECT_TRUE(paintsThird());
    for (const size_t kind : {1u, 2u, 0u}) {
        window->rbDetCharts[kind]->click();
        EXPECT_TRUE(paintsThird()) << kind;
    }
    sendCommand(window, WM_TASK_START);
    EXPECT_TRUE(paintsThird()) << "started again";
}

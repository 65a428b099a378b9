// Timings of the aligned grid with a million rows whose texts come from OnGetCellFormat: painting one
// viewport at the end of the grid, scrolling it 1,000 times with and without a paint after each step,
// and setting its row count. Run from a Release build; the widgets paint offscreen.
#include "bench/BenchSupport.h"
#include "controls/StringAlignGrid.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int kRows = 1000001;

std::unique_ptr<TStringAlignGrid> makeMillionRowGrid(int &formatCalls)
{
    auto grid = std::make_unique<TStringAlignGrid>();
    grid->setColCount(6);
    grid->setRowCount(kRows);
    grid->setDefaultRowHeight(18);
    grid->setDefaultColWidth(100);
    grid->resize(640, 480);
    grid->SetAlignCol(2, alRight);
    grid->SetColorCol(3, clYellow);
    for (int col = 0; col < 6; ++col)
        grid->setCells(col, 0, QStringLiteral("Kolumna %1").arg(col));
    grid->OnGetCellFormat = [&formatCalls](int col, int row, TCellFormat &format) {
        ++formatCalls;
        if (row > 0)
            format.Text = QString::number(int64_t(row) * 7 + col);
    };
    grid->show();
    return grid;
}

void BM_PaintViewportAtTheEnd(benchmark::State &state)
{
    int calls = 0;
    auto grid = makeMillionRowGrid(calls);
    grid->setRow(kRows - 1);
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    calls = 0;
    for (auto _ : state) {
        grid->viewport()->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["cells"] = benchmark::Counter(double(calls) / double(state.iterations()));
}
BENCHMARK(BM_PaintViewportAtTheEnd)->Unit(benchmark::kMicrosecond);

void BM_Scroll1000Times(benchmark::State &state)
{
    int calls = 0;
    auto grid = makeMillionRowGrid(calls);
    QImage image(grid->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        for (int step = 0; step < 1000; ++step) {
            grid->setTopRow(1 + (step * 997) % (kRows - 30));
            grid->viewport()->render(&image);
        }
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["top"] = grid->TopRow();
}
BENCHMARK(BM_Scroll1000Times)->Unit(benchmark::kMillisecond);

// The scrolling alone: top row, scroll bar and the editor's place, without painting.
void BM_Scroll1000TimesWithoutPainting(benchmark::State &state)
{
    int calls = 0;
    auto grid = makeMillionRowGrid(calls);
    for (auto _ : state)
        for (int step = 0; step < 1000; ++step)
            grid->setTopRow(1 + (step * 997) % (kRows - 30));
    state.counters["formatCalls"] = calls;
}
BENCHMARK(BM_Scroll1000TimesWithoutPainting)->Unit(benchmark::kMicrosecond);

void BM_SetMillionRowCount(benchmark::State &state)
{
    TStringAlignGrid grid;
    grid.resize(640, 480);
    for (auto _ : state) {
        grid.setRowCount(kRows);
        grid.setRowCount(2);
    }
}
BENCHMARK(BM_SetMillionRowCount)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}

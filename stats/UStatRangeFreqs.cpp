#include "stats/UStatRangeFreqs.h"

#include "core/ProgramLocale.h"
#include "core/USort.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace {

constexpr int32_t ZoneCols = 3;

std::string ZoneValueText(int32_t Col, int32_t Value)
{
    return Col >= 2 * ZoneCols ? FormatFloat("0.00", Value / 100.0) : std::to_string(Value);
}

} // namespace

TStatRangeFreqs::TStatRangeFreqs(const TGameInfo *Game, TProgressProc OnProgress)
    : TSingleTableStat(Game, nullptr, std::move(OnProgress)), Freqs(static_cast<size_t>(N))
{
    AddDetailTable(Details, Groups, ZoneValueText);
}

void TStatRangeFreqs::SetParams(const TDrawsManager &AManager, int32_t AWindow, bool Percent, float Lower,
                                float Upper)
{
    Manager = &AManager;
    Window = AWindow;
    const auto mean = static_cast<float>(static_cast<double>(K) / N * Window);
    const double low = Percent ? mean - Lower / 100.0 * mean : static_cast<double>(mean) - Lower;
    const double high = Percent ? Upper / 100.0 * mean + mean : static_cast<double>(mean) + Upper;
    LowerBound = static_cast<int32_t>(std::trunc(low));
    UpperBound = static_cast<int32_t>(std::trunc(high));
}

void TStatRangeFreqs::Calculate()
{
    if (!Manager)
        throw std::logic_error("TStatRangeFreqs::Calculate before SetParams");
    TDrawsRange every;
    StatDrawsMan.LoadRange(AllDraws, *Manager, every);
    StatDrawsMan.SortByDate(AllDraws, -1);
    WindowCounts.assign(static_cast<size_t>(N), 0);
    WindowFirst = 0;
    WindowLast = -1;

    NewDetails(Details, 3 * ZoneCols);
    ZoneCodes.assign(static_cast<size_t>(DrawCount) * static_cast<size_t>(K), 0);
    Progress.Init(10000.0, DrawCount, 0);
    for (int32_t i = 0; i < DrawCount; ++i) {
        CountWindowOf(i);
        ClassifyDraw(i);
        Progress.Advance(1);
    }
    TTDets().swap(SummaryRows);
    Group(Details, Groups, 3 * ZoneCols);
    Summarize(Details, SummaryRows, 3 * ZoneCols);
    SortDetailsByDraw(1);
}

void TStatRangeFreqs::CalcNumberFreqs(int32_t DrawIndex)
{
    if (WindowCounts.size() != static_cast<size_t>(N)) {
        WindowCounts.assign(static_cast<size_t>(N), 0);
        WindowFirst = 0;
        WindowLast = -1;
    }
    CountWindowOf(DrawIndex);
}

void TStatRangeFreqs::CountFreqs(int32_t From, int32_t To)
{
    const auto count = [this](int32_t Entry, int32_t Delta) {
        for (const uint8_t v : AllDraws[static_cast<size_t>(Entry)].Numbers)
            if (v >= 1 && v <= N)
                WindowCounts[v - 1u] += Delta;
    };
    if (From <= To && From >= WindowFirst && From <= WindowLast + 1 && To >= WindowLast) {
        for (int32_t e = WindowFirst; e < From; ++e)
            count(e, -1);
        for (int32_t e = WindowLast + 1; e <= To; ++e)
            count(e, 1);
    } else {
        std::fill(WindowCounts.begin(), WindowCounts.end(), 0);
        for (int32_t e = From; e <= To; ++e)
            count(e, 1);
    }
    WindowFirst = From;
    WindowLast = std::max(To, From - 1);

    ZoneLen = {0, 0, 0};
    for (int32_t v = 1; v <= N; ++v) {
        const int32_t freq = WindowCounts[static_cast<size_t>(v) - 1];
        Freqs[static_cast<size_t>(v) - 1] = {static_cast<uint8_t>(v), freq};
        ++ZoneLen[ZoneOf(freq)];
    }
}

void TStatRangeFreqs::CountWindowOf(int32_t DrawIndex)
{
    // The draw before this one in the whole history, and the Window draws up to it.
    const int32_t last =
        std::min(Draws[static_cast<size_t>(DrawIndex)].No - 2, static_cast<int32_t>(AllDraws.size()) - 1);
    const int32_t first = std::max(0, last - Window + 1);
    CountFreqs(first, last);
}

uint8_t TStatRangeFreqs::ZoneOf(int32_t Freq) const
{
    return Freq > UpperBound ? 0 : Freq < LowerBound ? 2 : 1;
}

void TStatRangeFreqs::ClassifyDraw(int32_t DrawIndex)
{
    TDetRow &row = Details[static_cast<size_t>(DrawIndex)];
    const TDynByteArr &numbers = Draws[static_cast<size_t>(DrawIndex)].Numbers;
    for (int32_t j = 0; j < K; ++j) {
        const uint8_t v = numbers[static_cast<size_t>(j)];
        const uint8_t zone = ZoneOf(Freqs[v - 1u].Freq);
        ++row[zone].Value;
        ZoneCodes[static_cast<size_t>(DrawIndex) * static_cast<size_t>(K) + static_cast<size_t>(j)] = zone;
    }
    for (int32_t z = 0; z < ZoneCols; ++z) {
        const int32_t size = ZoneLen[static_cast<size_t>(z)];
        row[static_cast<size_t>(ZoneCols + z)].Value = size;
        row[static_cast<size_t>(2 * ZoneCols + z)].Value = size > 0 ? row[static_cast<size_t>(z)].Value * 100 / size : 0;
    }
}

// ---------------------------------------------------------------------------------------------------
// The frequencies of a draw's window

int TStatRangeFreqs::CompareFreqNumbers(int32_t I, int32_t J, int32_t Param) const
{
    return CompareKeys(Freqs[static_cast<size_t>(I)].Number, Freqs[static_cast<size_t>(J)].Number, Param);
}

int TStatRangeFreqs::CompareFreqs(int32_t I, int32_t J, int32_t Param) const
{
    const int result = CompareKeys(Freqs[static_cast<size_t>(I)].Freq, Freqs[static_cast<size_t>(J)].Freq, Param);
    return result != 0 ? result : CompareFreqNumbers(I, J, -1);
}

void TStatRangeFreqs::SwapFreqs(int32_t I, int32_t J)
{
    std::swap(Freqs[static_cast<size_t>(I)], Freqs[static_cast<size_t>(J)]);
}

void TStatRangeFreqs::SortFreqsByNumber(int32_t Dir)
{
    Sort.SetCallbacks(
        Dir, [this](int I, int J) { SwapFreqs(I, J); },
        [this](int I, int J, int Param) { return CompareFreqNumbers(I, J, Param); });
    Sort.Sort(0, static_cast<int>(Freqs.size()) - 1);
}

void TStatRangeFreqs::SortFreqsByFreq(int32_t Dir)
{
    Sort.SetCallbacks(
        Dir, [this](int I, int J) { SwapFreqs(I, J); },
        [this](int I, int J, int Param) { return CompareFreqs(I, J, Param); });
    Sort.Sort(0, static_cast<int>(Freqs.size()) - 1);
}

uint8_t TStatRangeFreqs::GetNumberOrZone(int32_t Col, int32_t Row, int32_t Pos, bool IsNumber) const
{
    const int32_t draw = Details[static_cast<size_t>(Row)][static_cast<size_t>(Col)].Draw;
    if (IsNumber)
        return Draws[static_cast<size_t>(draw)].Numbers[static_cast<size_t>(Pos)];
    return ZoneCodes[static_cast<size_t>(draw) * static_cast<size_t>(K) + static_cast<size_t>(Pos)];
}

#include "statwindows/FStatWindows.h"

#include "engine/UGameMan.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainSelectors.h"
#include "shell/WindowOpeners.h"
#include "statwindows/FPredReduct.h"
#include "statwindows/FStatBestComb.h"
#include "statwindows/FStatConseq.h"
#include "statwindows/FStatDiffs.h"
#include "statwindows/FStatDigits.h"
#include "statwindows/FStatFreq.h"
#include "statwindows/FStatIntervals.h"
#include "statwindows/FStatMisc.h"
#include "statwindows/FStatRangeFreqs.h"
#include "statwindows/FStatSerieBreak.h"
#include "statwindows/FStatSuccNums.h"
#include "statwindows/FStatWait.h"
#include "syswindows/FSysGeneral.h"

#include <QPointer>

#include <algorithm>
#include <array>

namespace {

std::array<QPointer<TGenStatForm>, StatItems.size()> &NewestWindows()
{
    static std::array<QPointer<TGenStatForm>, StatItems.size()> windows;
    return windows;
}

void OpenOverDraws(int StatIndex)
{
    TGameData *game = Games.CurrentGame();
    if (!game || StatIndex < 0 || size_t(StatIndex) >= NewestWindows().size())
        return;
    TGenStatForm *window = NewStatWindow(StatIndex);
    if (!window)
        return;
    // The statistics that can run over a system are set up here; the others take the current game
    // themselves when they are first shown.
    if (std::find(SystemStatIndexes.begin(), SystemStatIndexes.end(), StatIndex) != SystemStatIndexes.end())
        window->Init(true, game, nullptr, nullptr);
    NewestWindows()[size_t(StatIndex)] = window;
    AddChildForm(window);
}

void OpenOverSystem(int StatIndex, TGenSysForm &Parent)
{
    if (!Parent.System)
        return;
    TGenStatForm *window = NewStatWindow(StatIndex);
    if (!window)
        return;
    window->Init(false, Parent.Game, &Parent, Parent.System.get());
    Parent.AddChildWindow(window, 1);
    AddChildForm(window);
}

} // namespace

TGenStatForm *NewStatWindow(int StatIndex)
{
    switch (StatIndex) {
    case TfrmStatFreq::FreqStatIndex:
        return new TfrmStatFreq;
    case TfrmStatMisc::MiscStatIndex:
        return new TfrmStatMisc;
    case TfrmStatSucc::SuccStatIndex:
        return new TfrmStatSucc;
    case TfrmStatIntervals::IntervalsStatIndex:
        return new TfrmStatIntervals;
    case TfrmStatDigits::DigitsStatIndex:
        return new TfrmStatDigits;
    case TfrmStatDiffs::DiffsStatIndex:
        return new TfrmStatDiffs;
    case TfrmStatBestComb::BestCombStatIndex:
        return new TfrmStatBestComb;
    case TfrmStatSerieBreak::SeriesStatIndex:
        return new TfrmStatSerieBreak(SeriesTexts);
    case TfrmStatSerieBreak::BreakStatIndex:
        return new TfrmStatSerieBreak(BreakTexts);
    case TfrmStatConseq::ConseqStatIndex:
        return new TfrmStatConseq;
    case TfrmStatWait::WaitStatIndex:
        return new TfrmStatWait;
    case TfrmStatRangeFreqs::RangeFreqsStatIndex:
        return new TfrmStatRangeFreqs;
    default:
        return nullptr;
    }
}

TGenStatForm *StatWindow(int StatIndex)
{
    if (StatIndex < 0 || size_t(StatIndex) >= NewestWindows().size())
        return nullptr;
    return NewestWindows()[size_t(StatIndex)];
}

void InstallStatWindows(TWindowOpeners &Openers)
{
    Openers.StatWindow = [](int StatIndex, TGenForm *Parent) {
        if (!Parent)
            OpenOverDraws(StatIndex);
        else if (auto *system = qobject_cast<TGenSysForm *>(Parent))
            OpenOverSystem(StatIndex, *system);
    };
    // The window takes the current game when it is first shown.
    Openers.PredReduct = [] {
        if (Games.CurrentGame())
            AddChildForm(new TfrmPredReduct);
    };
}

#include "syswindows/FParSysFull.h"

#include "core/ProgramParams.h"
#include "platform/gui/HelpContext.h"

TfrmParSysFull::TfrmParSysFull(QWidget *parent)
    : TGenParSysForm(parent, QStringLiteral("Parametry - System pełny - prosty"), {.Count = false, .Hits = true, .WholeHits = true})
{
    platform::setHelpContext(this, 305);
}

bool TfrmParSysFull::Listed() const
{
    return AllCombinations() <= Limits.MaxComb;
}

std::optional<int64_t> TfrmParSysFull::CostedCombinations() const
{
    if (!Listed())
        return std::nullopt;
    return AllCombinations();
}

std::optional<double> TfrmParSysFull::HitScale() const
{
    if (!Listed())
        return std::nullopt;
    return 1.0;
}

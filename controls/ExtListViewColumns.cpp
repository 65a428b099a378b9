#include "controls/ExtListView.h"

#include <algorithm>

void TdfsExtListColumn::SetImageIndex(int value)
{
    FImageIndex = value;
    FOwner.Changed(Index());
}

void TdfsExtListColumn::SetImageAlignment(TColumnImageAlign value)
{
    FImageAlignment = value;
    FOwner.Changed(Index());
}

void TdfsExtListColumn::SetAllowResize(bool value)
{
    FAllowResize = value;
    FOwner.Changed(Index());
}

int TdfsExtListColumn::Index() const { return FOwner.IndexOf(this); }

int TdfsExtListColumns::IndexOf(const TdfsExtListColumn *item) const
{
    const auto found = std::find_if(FItems.begin(), FItems.end(), [&](const auto &own) { return own.get() == item; });
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

TdfsExtListColumn &TdfsExtListColumns::Add()
{
    FItems.push_back(std::make_unique<TdfsExtListColumn>(*this));
    Changed(Count() - 1);
    return *FItems.back();
}

void TdfsExtListColumns::Clear()
{
    FItems.clear();
    Changed(-1);
}

void TdfsExtListColumns::Assign(const TdfsExtListColumns &source)
{
    FItems.clear();
    for (const auto &item : source.FItems) {
        auto copy = std::make_unique<TdfsExtListColumn>(*this);
        copy->FImageIndex = item->FImageIndex;
        copy->FImageAlignment = item->FImageAlignment;
        FItems.push_back(std::move(copy));
    }
    Changed(-1);
}

#include "statwindows/FStatClassPatterns.h"

#include "controls/RichView.h"
#include "core/UGlobalSort.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/ProgressPanel.h"
#include "statwindows/ClassTableSource.h"
#include "statwindows/PatternTablePage.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// SortMan entries: the class details and grouping, the pattern details and grouping.
enum TEntry { seDetails = 1, seGroups, sePatterns, sePatternGroups };
// The statistic leaves its tables latest draw first.
constexpr int NewestFirst = 1;

} // namespace

TfrmStatClassPatterns::TfrmStatClassPatterns(const TClassPatternsDescriptor &Descriptor, QWidget *Owner)
    : TGenStatForm(Descriptor.StatIndex, Descriptor.CaptionText, false, 4, Owner), FDescriptor(Descriptor)
{
    resize(ScaledSize(620, 440));
    TClassTableLayout layout = FDescriptor.Classes;
    layout.DetailsEntry = seDetails;
    layout.GroupsEntry = seGroups;
    Classes = NewClassPage(layout);
    Patterns = NewPatternPage(sePatterns, sePatternGroups);

    PageControl2 = new QTabWidget(this);
    const std::array<QWidget *, 5> pages = {Classes->DetailsPage, Classes->GroupsPage, Classes->SummaryPage,
                                            Patterns->DetailsPage, Patterns->GroupsPage};
    for (size_t i = 0; i < pages.size(); ++i)
        PageControl2->addTab(pages[i], FDescriptor.PageCaptions[i]);
    ShowWholeTabs(PageControl2);

    auto *layoutBox = new QVBoxLayout(this);
    if (!FDescriptor.RangeCaption.isEmpty())
        lblDateDesc = BuddyLabel(FDescriptor.RangeCaption, txtDateDesc, this);
    layoutBox->addLayout(NewRangeLine(lblDateDesc));
    layoutBox->addWidget(PageControl2, 1);
    Panel1->hide();
}

TfrmStatClassPatterns::~TfrmStatClassPatterns()
{
    FreeStat();
}

void TfrmStatClassPatterns::SetupControls()
{
    SortMan.SetSort(seDetails, 1, 1);
    SortMan.SetSort(seGroups, 1, -1);
    SortMan.SetSort(sePatterns, 1, 1);
    SortMan.SetSort(sePatternGroups, 1, -1);
    if (!FromDraws && !FDescriptor.SystemDrawCaption.isEmpty()) {
        Classes->SetDrawCaption(FDescriptor.SystemDrawCaption);
        Patterns->SetDrawCaption(FDescriptor.SystemDrawCaption);
    }
    ClearResults();
}

void TfrmStatClassPatterns::SetSources(std::unique_ptr<TClassTableSource> AClasses,
                                       std::unique_ptr<TPatternTableSource> APatterns)
{
    FClassSource = std::move(AClasses);
    FPatternSource = std::move(APatterns);
    Classes->SetSource(FClassSource.get());
    Patterns->SetSource(FPatternSource.get());
    ClearResults();
}

void TfrmStatClassPatterns::ClearResults()
{
    Classes->Clear();
    Patterns->Clear();
}

bool TfrmStatClassPatterns::ShowResults()
{
    if (!HasClasses())
        return false;
    Classes->Show(NewestFirst);
    Patterns->Show(NewestFirst);
    return true;
}

void TfrmStatClassPatterns::Report()
{
    const std::array<const TStringAlignGrid *, 5> grids = {Classes->sgDetails, Classes->sgAggr, Classes->sgTotal,
                                                           Patterns->sgDetails, Patterns->sgAggr};
    std::vector<TReportItem> items;
    for (size_t i = 0; i < grids.size(); ++i)
        items.push_back({FDescriptor.ReportItems[i], FDescriptor.SheetNames[i], grids[i]});
    ReportTables(items, ReportHeader(FDescriptor.StatName, " Zakres danych"), FromDraws ? 11 : 7);
}

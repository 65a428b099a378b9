#pragma once
// The pages of a per-draw class table: the details (a row per draw, a value column per class, as a table
// and as a chart of one class), their grouping (the draws of each value per class, as a table and as a
// bar chart) and the summary (a row per class). Sorted by draw the details have one draw column before
// the classes; sorted by value every class is sorted by itself and stands beside a draw column of its
// own. A window places the three pages in its page control, gives the statistic's source and shows the
// tables after each computation.

#include "shell/ResultGrid.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QListWidget;
class QTabWidget;
class QVBoxLayout;
class QWidget;
class TClassTableSource;
class TDeferredDraw;
class TMyThread;
class TSortMan;
class TStringAlignGrid;

// The columns of a summary after the class label.
enum class TSummaryField { Min, Max, Mean, Expected, StdDev, Sum, Percent };

// The header's sort marks set and every column widened by the width rule to its marked caption and
// to Values(Col).
void FitColumns(TStringAlignGrid *Grid, const std::vector<TResultColumn> &Columns,
                const std::function<QStringList(int Col)> &Values);

// What differs between the windows' class tables.
struct TClassTableLayout {
    int DetailsEntry = 1; // SortMan entries of the details and of the grouping
    int GroupsEntry = 2;
    int DrawWidth = 65; // design widths of the details' draw and value columns
    int ValueWidth = 42;
    bool TallDetailsHeader = false; // the details' header row is as tall as the grouping's
    QString GroupValuePrefix;       // before the class label in the grouping's value columns
    int GroupValueWidth = 48;
    int GroupCountWidth = 48;
    QString SummaryCaption; // over the class labels
    std::vector<TSummaryField> SummaryFields;
    bool ExpectedSeries = true; // the details chart draws the class's expected value
    bool MeanSeries = true;     // and its running mean
    QString ChartTitlePrefix;   // before the class label in the chart titles
    // A computation keeps the classes chosen for the charts while there are as many; otherwise both
    // lists start at the first class.
    bool KeepChartChoices = false;
};

class TClassTablePage : public QObject {
    Q_OBJECT

public:
    // Runs Sort over the statistic's tables (on the window's worker, given its thread to poll, or at once,
    // given none), then Sorted on the GUI thread once Sort is done.
    using TSortWork = std::function<void(const TMyThread *Thread)>;
    using TSortRoad = std::function<void(TSortWork Sort, std::function<void()> Sorted)>;

    // Sorts go to SortMan's entries of Layout and run on SortRoad; HasResults tells whether the source
    // holds results.
    TClassTablePage(QWidget *Owner, TSortMan &SortMan, TClassTableLayout Layout, std::function<bool()> HasResults,
                    TSortRoad SortRoad);
    ~TClassTablePage() override;

    // Every read goes through Source; the window owns it.
    void SetSource(const TClassTableSource *Source) { FSource = Source; }
    // The caption of draw columns ("Los."; a window over a system may say otherwise).
    void SetDrawCaption(const QString &Caption) { FDrawCaption = Caption; }

    // Every table back to its headers, the lists and charts empty.
    void Clear();
    // After a computation: the stored sorts applied again (the statistic leaves its details by draw in
    // NativeDrawDir), then ShowSorted.
    void Show(int NativeDrawDir);
    // After a computation whose tables stand in the stored sorts already: the tables laid out, the
    // summary, the chart lists and both charts (a hidden one in an event of its own), the cursor back on
    // the selected class, the selected draw's numbers.
    void ShowSorted();
    // The classes the charts show, when there are so many (stored choices).
    void SetChartClasses(int Chart, int GroupChart);

    // The class of details column Col (-1 for the draw column before all classes), and whether the
    // column shows draws.
    int ColumnClass(int Col) const;
    bool IsDrawColumn(int Col) const;
    // The details are sorted by value, a column pair per class.
    bool SortedByValue() const;

    // The three pages: details and grouping with their inner pages "Tabela" and "Wykres".
    QTabWidget *DetailsPage;
    QTabWidget *GroupsPage;
    QWidget *SummaryPage;
    QVBoxLayout *DetailsChartControls; // below the chart's list: a window's own controls

    QLabel *lblSelComb;
    QLineEdit *eSelComb;
    TStringAlignGrid *sgDetails;
    QListWidget *lbDetChart;
    QChartView *DetChart;
    // DetChart's series; ExpectedSeries and MeanSeries only with a layout that draws them.
    QLineSeries *StatSeries;
    QLineSeries *ExpectedSeries = nullptr;
    QLineSeries *MeanSeries = nullptr;
    TStringAlignGrid *sgAggr;
    QListWidget *lbGDetChart;
    QChartView *GroupChart;
    TStringAlignGrid *sgTotal;

    // After the selected draw's numbers are shown: a window's own views of the selected details cell.
    std::function<void(int Col, int Row)> OnSelectDraw;

    int SelClass = 0;   // the class of the details column selected last
    int ChartClass = 0; // the classes of the two charts
    int GroupChartClass = 0;

private:
    struct TColumnTag {
        int Class = -1;
        bool Draw = false;
    };

    void CreateDetailsPage(QWidget *Owner);
    void CreateGroupsPage(QWidget *Owner);
    void CreateSummaryPage(QWidget *Owner);
    int Classes() const;
    void LayoutDetails();
    void LayoutGroups();
    void LayoutSummary();
    void FillChartLists();
    void DrawDetailsChart();
    void DrawGroupChart();
    // SelClass := Class, a class of the results shown; nothing for another.
    void SelectClass(int Class);
    // The cursor on the selected class's value column.
    void PlaceCursor();
    void ShowSelectedDraw(int Col, int Row);
    void DetailsCell(int Col, int Row, TCellFormat &Format) const;
    void GroupsCell(int Col, int Row, TCellFormat &Format) const;
    void SummaryCell(int Col, int Row, TCellFormat &Format) const;
    bool SortDetails(int SortKey, int Direction);
    bool SortGroups(int SortKey, int Direction);

    TSortMan &FSortMan;
    const TClassTableLayout FLayout;
    std::function<bool()> FHasResults;
    TSortRoad FSortRoad;
    const TClassTableSource *FSource = nullptr;
    QString FDrawCaption = QStringLiteral("Los.");
    QString FSelLabel; // the header of the class selected last
    std::vector<TColumnTag> FColumns;
    int FDetailRows = 0; // the draws the details show: none without a class
    std::unique_ptr<TResultGrid> FDetails;
    std::unique_ptr<TResultGrid> FGroups;
    std::unique_ptr<TResultGrid> FTotal;
    // Draw the two charts, a hidden one in an event of its own.
    TDeferredDraw *FDetailsChartDrawer;
    TDeferredDraw *FGroupChartDrawer;
};

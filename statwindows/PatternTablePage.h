#pragma once
// The pages of a per-draw pattern table: the details (each draw's pattern, with the numbers of the
// selected draw) and their grouping (the draws of each pattern, as a table and as a bar chart). A window
// places both pages in its page control, gives the statistic's source and shows the tables after each
// computation.

#include "shell/ResultGrid.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QChartView;
class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;
class TPatternTableSource;
class TSortMan;
class TStringAlignGrid;

class TPatternTablePage : public QObject {
    Q_OBJECT

public:
    // Sorts go to SortMan's entries DetailsEntry and GroupsEntry; HasResults tells whether the source
    // holds results.
    TPatternTablePage(QWidget *Owner, TSortMan &SortMan, int DetailsEntry, int GroupsEntry,
                      std::function<bool()> HasResults);
    ~TPatternTablePage() override;

    void SetSource(const TPatternTableSource *Source) { FSource = Source; }
    void SetDrawCaption(const QString &Caption) { FDrawCaption = Caption; }

    // Both tables back to their headers, the chart empty.
    void Clear();
    // After a computation: the stored sorts applied again (the statistic leaves its patterns by draw in
    // NativeDrawDir), then ShowSorted.
    void Show(int NativeDrawDir);
    // After a computation whose tables stand in the stored sorts already: the tables laid out, the
    // chart, the selected draw's numbers.
    void ShowSorted();

    QWidget *DetailsPage;
    QTabWidget *GroupsPage; // inner pages "Tabela" and "Wykres"

    QLabel *lblSelComb;
    QLineEdit *eSelComb;
    TStringAlignGrid *sgDetails;
    TStringAlignGrid *sgAggr;
    QChartView *Chart;

private:
    bool Shown() const;
    void Layout();
    void DrawChart();
    void ShowSelectedDraw(int Row);
    void DetailsCell(int Col, int Row, TCellFormat &Format) const;
    void GroupsCell(int Col, int Row, TCellFormat &Format) const;
    bool SortDetails(int SortKey, int Direction);
    bool SortGroups(int SortKey, int Direction);

    TSortMan &FSortMan;
    const int FDetailsEntry;
    const int FGroupsEntry;
    std::function<bool()> FHasResults;
    const TPatternTableSource *FSource = nullptr;
    QString FDrawCaption = QStringLiteral("Los.");
    std::unique_ptr<TResultGrid> FDetails;
    std::unique_ptr<TResultGrid> FGroups;
};

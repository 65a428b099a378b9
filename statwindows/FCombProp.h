#pragma once
// "Właściwości kombinacji": one combination over the draws a statistics window works on: how often it
// occurred, how often it would be expected to, its parity and last occurrence, the distributions of its
// series and breaks, its cumulative frequency against the expected count, its occurrences over time and
// the draws table with them highlighted. Computed once, when opened; it does not follow later changes
// of the draws.

#include "core/DynArrays.h"
#include "engine/UDrawsRange.h"
#include "engine/UStatDrawsMan.h"

#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class QChartView;
class QGroupBox;
class QLabel;
class QLineSeries;
class QPushButton;
class QScrollBar;
class QTabWidget;
class QValueAxis;
class TPBEdit;
class TRichView;
class TStatSerieBreak;
class TStringAlignGrid;
struct TCellFormat;
struct TGameData;

class TfrmCombProp : public QWidget {
    Q_OBJECT

public:
    explicit TfrmCombProp(QWidget *Owner = nullptr);
    ~TfrmCombProp() override;

    // Computes everything for Comb (ascending numbers of 1..N, at least one) over a copy of Draws, the
    // working draws of the calling statistic; Range only describes them.
    void Init(TGameData &AGame, const TDynByteArr &AComb, const TDrawsRange &Range, const TStatDraws &ADraws);

    bool Initialising = true;
    TGameData *Game = nullptr;
    TDynByteArr Comb;
    int CombLen = 0;
    TStatDraws Draws; // newest first once set up
    int DrawCount = 0;
    std::unique_ptr<TStatSerieBreak> SeriesStat;
    std::unique_ptr<TStatSerieBreak> BreakStat;
    bool ScrollReady = false;

    QLabel *Label10;
    TRichView *txtDateDesc;
    QLabel *Label11;
    TPBEdit *eComb;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    TPBEdit *eCombFreq;
    TPBEdit *eAllCombFreq;
    TPBEdit *eExpFreq;
    TPBEdit *eParity;
    TPBEdit *eLastDate;
    QGroupBox *GroupBox1;
    TStringAlignGrid *sgSerie1;
    TStringAlignGrid *sgSerie2;
    QGroupBox *GroupBox2;
    TStringAlignGrid *sgBreak1;
    TStringAlignGrid *sgBreak2;
    QWidget *TabSheet4;
    QChartView *Chart1;
    QLineSeries *FastLineSeries1; // the cumulative count
    QLineSeries *Series2;         // the expected count
    QWidget *TabSheet2;
    QPushButton *btnZoom;
    QPushButton *btnDeZoom;
    QPushButton *btnUndoZoom;
    QScrollBar *ScrollBar1;
    QChartView *Chart;
    QLineSeries *OccurSeries; // the upper line of the occurrence area
    QWidget *TabSheet3;
    TStringAlignGrid *sgDraws;

    // The occurrence chart's view over the draws: [Minimum, Maximum] of its bottom axis; the whole
    // extent when not zoomed.
    double ViewMinimum() const;
    double ViewMaximum() const;
    double ChartExtent() const;

    void btnZoomClick();
    void btnDeZoomClick();
    void btnUndoZoomClick();

private:
    void CreateControls();
    QWidget *CreateBasicPage();
    void SetupGrids();

    // Whether the draw holds every number of the combination.
    bool Holds(const TStatDraw &Draw) const;
    void ShowBasicData(const std::vector<bool> &Held);
    // The series or breaks of the one combination into its distribution and summary grids.
    void ShowRuns(TStatSerieBreak &Stat, TStringAlignGrid *Distribution, TStringAlignGrid *Summary);
    void FillDistribution(const TStatSerieBreak &Stat, TStringAlignGrid *Distribution);
    void SortDistribution(TStatSerieBreak &Stat, TStringAlignGrid *Distribution, int SortKey, int Direction);
    void sgDrawsGetCellFormat(int Col, int Row, TCellFormat &Format);

    // FCombPropCharts.cpp
    void CreateCharts();
    void ShowOccurrenceChart(const std::vector<bool> &Held);
    void ShowFrequencyChart(const std::vector<bool> &Held);
    // Zooms the occurrence chart's bottom axis by Percent about its middle, within the extent.
    void ZoomPercent(double Percent);
    // A view Width draws wide about the middle of the one in view, within the extent.
    void CenterView(double Width);
    // A view zoomed in too far for a point and a label widened to the narrowest that holds them, else the
    // scroll bar following the view.
    void OccurViewChanged();
    void SetView(double Minimum, double Maximum);
    void UpdateScrollBar();
    void ScrollBar1Change(int Position);

    // The charts' point labels, oldest draw first, and the occurrences charted (the closing zero last).
    QStringList FPointLabels;
    std::vector<double> FOccurrences;
    QValueAxis *FOccurAxis = nullptr;
};

// Opens the combination properties window in the main window for Comb over Draws, the working draws
// of the calling statistic (their range Range).
void ShowCombProperties(TGameData &Game, const TDynByteArr &Comb, const TDrawsRange &Range, const TStatDraws &Draws);

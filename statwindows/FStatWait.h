#pragma once
// "Oczekiwanie": over the draws of the current game's range, either how many draws it takes from each
// draw on until a share of all K-combinations has been drawn, or how many distinct K-combinations n
// draws in a row hold; per draw, grouped, summarised and charted.

#include "statwindows/FStatGeneral.h"

#include <memory>

class QChartView;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class TFloatSpin;
class TResultGrid;
class TStatWait;
class TStringAlignGrid;
struct TCellFormat;
struct TStatWaitParams;

class TfrmStatWait : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int WaitStatIndex = 9;

    explicit TfrmStatWait(QWidget *Owner = nullptr);
    ~TfrmStatWait() override;

    TStatWait *StatWait = nullptr; // the window's statistic (Stat)

    QLabel *lblDateDesc;
    TFloatSpin *seCombLen;
    QRadioButton *cbStat1;
    TFloatSpin *seCombPrecent;
    QRadioButton *cbStat2;
    TFloatSpin *seDrawsCount;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    TStringAlignGrid *sgDetails;
    QLineEdit *eSelComb;
    QChartView *Chart1;
    TStringAlignGrid *sgAggr;
    TStringAlignGrid *sgTotal;

protected:
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void ClearResults() override;
    void PrepareCompute() override;
    bool StartStat() override;
    bool ShowResults() override;
    void Report() override;
    bool HandleCommand(CommandEvent &Command) override;

private:
    // The sort manager's grids and their sort keys.
    static constexpr int DetailsEntry = 1;
    static constexpr int GroupsEntry = 2;
    static constexpr int DrawSortKey = 1;  // details by draw
    static constexpr int ValueSortKey = 2; // details by value
    static constexpr int GroupValueSortKey = 1;
    static constexpr int GroupCountSortKey = 2;

    // FStatWaitLayout.cpp
    void CreateControls();
    QWidget *CreateParamsBox();
    void SetupTotal();
    // The columns of both tables for the statistic's mode.
    void LayoutGrids();

    // FStatWaitChart.cpp: the values and expected value in the details' order, and the running mean
    // while that is ByDraw.
    void DrawChart(bool ByDraw);

    void ApplyParams(const TStatWaitParams &Params);
    void ReapplySorts();
    void ShowSummary();
    void sgDetailsGetCellFormat(int Col, int Row, TCellFormat &Format);
    void sgAggrGetCellFormat(int Col, int Row, TCellFormat &Format);
    bool sgDetailsSortColumn(int SortKey, int Direction);
    bool sgAggrSortColumn(int SortKey, int Direction);
    void sgDetailsSelectCell(int Row);
    std::string ReportHeaderText() const;

    std::unique_ptr<TResultGrid> Details;
    std::unique_ptr<TResultGrid> Groups;
};

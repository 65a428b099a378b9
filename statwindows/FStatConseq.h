#pragma once
// "Następstwa": the draws that follow (or precede) the draws holding a chosen combination, the one draw
// n places on ("Skok") or every draw up to n places on ("Przedział"), and how often each combination
// of a chosen length occurs among them. Over the draws of the current game only.

#include "core/DynArrays.h"
#include "statwindows/FStatGeneral.h"

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TFloatSpin;
class TResultGrid;
class TStatConseq;
class TStringAlignGrid;
struct TCellFormat;
struct TStatConseqParams;

class TfrmStatConseq : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int ConseqStatIndex = 7;

    explicit TfrmStatConseq(QWidget *Owner = nullptr);
    ~TfrmStatConseq() override;

    TStatConseq *StatConseq = nullptr; // the window's statistic (Stat)
    int CombLen = 1;                   // of the last computation
    TDynByteArr CurComb;               // the combination of the chosen result row
    TDynByteArr Comb{1};               // the combination analysed

    QLabel *lblDateDesc;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QWidget *TabSheet3;
    TFloatSpin *seCombLen;
    TFloatSpin *seMinFreq;
    QCheckBox *chkMaxRows;
    TFloatSpin *seMaxRows;
    QLineEdit *txtComb;
    QPushButton *btnSelComb;
    QGroupBox *gbDraws;
    QRadioButton *rbDrawsRange;
    QRadioButton *rbDrawsStep;
    TFloatSpin *seDrawsCount;
    QGroupBox *gbKind;
    QRadioButton *rbConseq;
    QRadioButton *rbPreced;
    TStringAlignGrid *sgDraws;
    TStringAlignGrid *grid;
    QPushButton *btnCombProp;

protected:
    void SetupControls() override;
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void ClearResults() override;
    void PrepareCompute() override;
    int LoadDirection() const override { return 1; }
    bool StartStat() override;
    bool ShowResults() override;
    void Report() override;
    bool HandleCommand(CommandEvent &Command) override;

private:
    // The result grid's sort keys.
    static constexpr int CombSortKey = 1;
    static constexpr int FreqSortKey = 2;

    // FStatConseqLayout.cpp
    void CreateControls();
    QWidget *CreateParamsPage();
    void SetupGrids();

    void ApplyParams(const TStatConseqParams &Params);
    void ShowComb();
    void btnCombClick();
    // The properties of result row Row (from 0); nothing for another row or without results.
    void ShowCombProperties(int Row);
    void gridGetCellFormat(int Col, int Row, TCellFormat &Format);
    bool gridSortColumn(int SortKey, int Direction);
    void sgDrawsGetCellFormat(int Col, int Row, TCellFormat &Format);
    void WidenForCombinations();
    std::string ReportHeaderText() const;

    // The combination of the cell being drawn, kept between cells.
    TDynByteArr FCellComb;
    std::unique_ptr<TResultGrid> AnalysedDraws;
    std::unique_ptr<TResultGrid> Results;
};

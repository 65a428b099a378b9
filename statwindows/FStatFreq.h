#pragma once
// "Częstotliwości": how often each combination of a chosen length occurs in the draws of the window's
// range or among a system's combinations, with its parity and last occurrence, optionally only the
// combinations that hold given numbers, lie in a range of numbers, have a parity or run on by one.

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
class TStatFreq;
class TStringAlignGrid;
struct TCellFormat;
struct TStatFreqParams;

class TfrmStatFreq : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int FreqStatIndex = 0;

    explicit TfrmStatFreq(QWidget *Owner = nullptr);
    ~TfrmStatFreq() override;

    TStatFreq *StatFreq = nullptr; // the window's statistic (Stat)
    int CombLen = 1;               // of the last computation
    TDynByteArr CurComb;
    TDynByteArr ReqComb{1};        // the required combination
    int ReqCount = 1;

    QLabel *lblDateDesc;
    QGroupBox *GroupBox1;
    QLabel *lblCombLen;
    TFloatSpin *seCombLen;
    QCheckBox *chkAllWithAll;
    QLabel *lblMinFreq;
    TFloatSpin *seMinFreq;
    QCheckBox *chkMaxRows;
    TFloatSpin *seMaxRows;
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QWidget *TabSheet3;
    QGroupBox *gbComb;
    QRadioButton *rbAnyComb;
    QRadioButton *rbSpecComb;
    QLineEdit *txtComb;
    QPushButton *btnComb;
    QGroupBox *gbRange;
    QRadioButton *rbAll;
    QRadioButton *rbRange;
    QLabel *lblFrom;
    TFloatSpin *seFrom;
    QLabel *lblTo;
    TFloatSpin *seTo;
    QGroupBox *gbParity;
    QRadioButton *rbEvenAny;
    QRadioButton *rbEvenYes;
    QRadioButton *rbEvenNo;
    QCheckBox *chkSucc;
    TStringAlignGrid *grid;
    QPushButton *btnCombProp;
    TStringAlignGrid *sgTotal;

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

private:
    // FStatFreqLayout.cpp
    void CreateControls();
    QWidget *CreateParamsPage();
    void SetupGrid();
    void SetupTotal();

    void ApplyParams(const TStatFreqParams &Params);
    TStatFreqParams ParamsFromControls() const;
    void ShowReqComb();
    void btnCombClick();
    void gridGetCellFormat(int Col, int Row, TCellFormat &Format);
    bool gridSortColumn(int SortKey, int Direction);
    void WidenForCombinations();
    void ShowSummary();
    // The combination properties of result row Row (from 0) over the counted draws.
    void ShowCombProperties(int Row);
    void seCombLenChange();
    void seMinFreqChange();
    void UpdateEnabling();
    // The report's header: the common lines, then the statistic's own parameters.
    std::string ReportHeaderText() const;

    std::unique_ptr<TResultGrid> Results;
    // The combination of the cell being drawn, kept between cells.
    TDynByteArr FCellComb;
    int FCombLenLimit = 1; // the longest combination with a minimum frequency above 0
    bool FReadingParams = false;
};

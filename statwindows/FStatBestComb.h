#pragma once
// "Optymalne kombinacje": the combination of a chosen length, taken from a key set of numbers and
// holding chosen constant numbers, that would have scored best over the draws of the window's range, by
// its prize or by its weighted hits, found exhaustively or by the genetic search. Every new best is
// listed as it is found; a listed combination opens in the combination check.

#include "core/DynArrays.h"
#include "statwindows/BestCombRows.h"
#include "statwindows/FStatGeneral.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TFloatSpin;
class TResultGrid;
class TStatBestComb;
class TStringAlignGrid;
struct TCellFormat;
struct TStatBestCombParams;

class TfrmStatBestComb : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int BestCombStatIndex = 5;

    explicit TfrmStatBestComb(QWidget *Owner = nullptr);
    ~TfrmStatBestComb() override;

    TStatBestComb *StatBest = nullptr; // the window's statistic (Stat)
    int CombLen = 0;                   // of the last computation
    TDynByteArr Key;                   // the candidates, ascending
    int KeyCount = 0;
    TDynByteArr KeyChosen;             // as last chosen in the key dialog
    TDynByteArr Consts;                // the constant numbers, ascending, all of them key numbers
    int ConstCount = 0;
    TDynByteArr ConstsChosen;          // as last chosen in their dialog
    int MinWin = 0;                    // of CombLen
    int LevelCount = 0;
    std::vector<TBestCombRow> Results; // every new best, in the order found
    uint32_t NextNo = 1;

    QTabWidget *PageControl1;
    QWidget *tsParams;
    QWidget *tsResults;
    QLabel *lblCombLen;
    TFloatSpin *seCombLen;
    QLabel *lblCombCount;
    QLineEdit *seCombCount;
    QGroupBox *gbAlg;
    QRadioButton *rbAlg1;
    QRadioButton *rbAlg2;
    QLabel *lblMaxIter;
    TFloatSpin *seMaxIter;
    QGroupBox *gbKey;
    QLabel *lblKeyLen;
    TFloatSpin *seKeyLen;
    QLineEdit *txtKey;
    QPushButton *btnKey;
    QGroupBox *gbOpt;
    QRadioButton *rbWin;
    QRadioButton *rbHit;
    QLabel *lblHitFrom;
    TFloatSpin *seHitFrom;
    QLabel *lblHitTo;
    TFloatSpin *seHitTo;
    QGroupBox *gbConsts;
    QLabel *lblConstLen;
    TFloatSpin *seConstLen;
    QLineEdit *txtConsts;
    QPushButton *btnConsts;
    QCheckBox *chkShowEqualCombs;
    TStringAlignGrid *Grid;
    QPushButton *btnCheckComb;

    // The listed row's combination in the combination check.
    void btnCheckCombClick();

protected:
    void SetupControls() override;
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void ClearResults() override;
    bool CheckCompute() override;
    void PrepareCompute() override;
    bool StartStat() override;
    bool ShowResults() override;
    bool Reportable() const override { return !Results.empty(); }
    void Report() override;
    void ResultsStopped() override;

private:
    // FStatBestCombLayout.cpp
    void CreateControls();
    QWidget *CreateParamsPage();
    // The columns of a computation of CombLen numbers.
    void SetupGrid();

    void ApplyParams(const TStatBestCombParams &Params);
    TStatBestCombParams ParamsFromControls() const;
    void seCombLenChange();
    void seKeyLenChange();
    void seConstLenChange();
    void btnKeyClick();
    void btnConstsClick();
    // Each constant outside the key gives way to the next key number that is no constant.
    void KeepConstsInKey();
    void ShowKey();
    void ShowConsts();
    void ShowCombCount();
    void UpdateAlgorithms();
    void UpdateEnabling();
    // Worker: the statistic's new best, copied. GUI thread: the rows found meanwhile listed.
    void NewBest(const TStatBestComb &Sender);
    void ListNewBests();
    void GridCellFormat(int Col, int Row, TCellFormat &Format) const;

    // FStatBestCombReport.cpp
    std::string ReportHeaderText() const;

    // What the listed rows were searched with, for the report.
    struct TSearchParams {
        int CombLen = 0;
        TDynByteArr Key;
        TDynByteArr Consts;
        bool Weighted = false;
        int HitFrom = 0;
        int HitTo = 0;
        bool Genetic = false;
        int MaxIter = 0;
    } Searched;

    std::unique_ptr<TResultGrid> ResultGrid;
    TBestCombBatches NewBests;
};

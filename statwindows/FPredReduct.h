#pragma once
// "Typowanie redukcyjne": the game's numbers ordered by how often they were drawn over the window's range
// and over a sub-range of its draws (or chosen by the user); the first numbers of that order are the
// key set, which the reduction prediction narrows by the past draws in its worker. The numbers left are
// the result set.

#include "core/DynArrays.h"
#include "engine/UGame.h"
#include "statwindows/FStatGeneral.h"

#include <cstdint>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TFloatSpin;
class TPredReduct;
class TResultGrid;
class TStatFreqOne;
class TStringAlignGrid;
struct TCellFormat;
struct TPredReductParams;

class TfrmPredReduct : public TGenStatForm {
    Q_OBJECT

public:
    // The number of the tool under "Tools\<game id>\".
    static constexpr int PredReductToolNo = 5;

    explicit TfrmPredReduct(QWidget *Owner = nullptr);
    ~TfrmPredReduct() override;

    // How often a number was drawn over the whole range (Freq1) and over the sub-range (Freq2).
    struct TNumberFreq {
        uint32_t Freq1 = 0;
        uint32_t Freq2 = 0;
    };

    // A permutation of 1..N whose first KeySize() numbers are the key set, in the grid's order.
    const TDynByteArr &NumberOrder() const { return KeyOrder; }
    int KeySize() const { return KeyCount; }
    // Indexed by number - 1.
    const std::vector<TNumberFreq> &Frequencies() const { return Freq; }

    QLabel *lblDateDesc;
    QLabel *lblHitWin;
    TFloatSpin *seHitWin;
    QLabel *lblCombLen;
    TFloatSpin *seCombLen;
    QGroupBox *gbDraws;
    QLabel *lblDrawFrom;
    TFloatSpin *seDrawFrom;
    QLabel *lblDrawTo;
    TFloatSpin *seDrawTo;
    QGroupBox *gbNumbers;
    QLabel *lblKeyLen;
    TFloatSpin *seKeyLen;
    QPushButton *btnKey;
    TStringAlignGrid *Grid;
    QLabel *lblResult;
    QLineEdit *txtResult;

protected:
    void SetupControls() override;
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void ClearResults() override;
    bool CheckCompute() override;
    bool StartStat() override;
    bool ShowResults() override;
    bool Reportable() const override { return false; }
    void RangeEdited() override;

private:
    TPredReduct *Pred = nullptr; // the window's statistic (Stat)
    std::unique_ptr<TStatFreqOne> FreqStat;
    THitsInfo HitsInfo;
    int CombLen = 0;
    TDynByteArr KeyOrder; // a permutation of 1..N; its first KeyCount numbers are the key set
    int KeyCount = 0;
    std::vector<TNumberFreq> Freq; // index number - 1

    // FPredReductLayout.cpp
    void CreateControls();
    void SetupGrid();

    void ApplyParams(const TPredReductParams &Params);
    TPredReductParams ParamsFromControls() const;
    // The sub-range spins over the draws of the range.
    void SetDrawLimits();
    void seCombLenChange();
    void seKeyLenChange();
    void seDrawFromChange();
    void seDrawToChange();
    void btnKeyClick();
    // Freq1 and Freq2 counted anew; Freq2 alone.
    void CountFrequencies();
    void CountSubRange();
    // Re-applies the recorded sort to the whole order and shows the key set.
    void ShowGrid();
    void SortKeyOrder(int SortKey, int Direction);
    void GridCellFormat(int Col, int Row, TCellFormat &Format) const;

    std::unique_ptr<TResultGrid> Results;
    // The controls' changes take effect once the window is set up.
    bool FReady = false;
};

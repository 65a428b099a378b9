#pragma once
// "Serie liczb" and "Przerwy": the series (runs of consecutive draws holding a combination) or the breaks
// (runs of draws without it) of every combination of a chosen length over the window's draws range: per
// number and run length (length 1 only), per combination, and the distribution of the lengths. A double
// click on a number or a combination opens its properties. The two windows differ only in their texts.

#include "core/DynArrays.h"
#include "statwindows/FStatGeneral.h"

#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QTabWidget;
class TFloatSpin;
class TPBEdit;
class TResultGrid;
class TStatSerieBreak;
class TStringAlignGrid;
struct TCellFormat;

// What the series window and the breaks window call things.
struct TSerieBreakTexts {
    int StatIndex;
    bool IsSeries;
    QString Caption;       // after the window tag
    QString Runs;          // "Serie": the statistic's name, in the details pages' names
    QString RunsOf;        // "serii": in the distribution's captions
    QString LengthHeader;  // "Seria": the distribution's length column
    QString CountPrefix;   // "S": before the length in the per-number count columns
    QString CombsCaption;  // above the combinations table
};

extern const TSerieBreakTexts SeriesTexts;
extern const TSerieBreakTexts BreakTexts;

class TfrmStatSerieBreak : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int SeriesStatIndex = 2;
    static constexpr int BreakStatIndex = 3;

    explicit TfrmStatSerieBreak(const TSerieBreakTexts &Texts, QWidget *Owner = nullptr);
    ~TfrmStatSerieBreak() override;

    const TSerieBreakTexts &Texts;
    TStatSerieBreak *StatSB = nullptr; // the window's statistic (Stat)
    int SelClass = -1;                 // the length class of the details column last selected

    QLabel *lblDateDesc;
    QTabWidget *PageControl2;
    QWidget *TabSheet1;
    QLabel *lblCombLen;
    TFloatSpin *seCombLen;
    QCheckBox *cbShowCombs;
    QCheckBox *cbCountStd;
    QWidget *TabSheet2;
    QLabel *lblSelComb;
    TPBEdit *eSelComb;
    TStringAlignGrid *sgDetails1;
    QWidget *TabSheet3;
    TStringAlignGrid *sgDetails2;
    QWidget *TabSheet4;
    QLabel *lblTotal1;
    TStringAlignGrid *sgTotal1;
    QLabel *lblTotal2;
    TStringAlignGrid *sgTotal2;
    QLabel *lblTotal3;
    TStringAlignGrid *sgTotal3;

protected:
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void ClearResults() override;
    bool StartStat() override;
    bool ShowResults() override;
    void Report() override;

private:
    // FStatSerieBreakLayout.cpp
    void CreateControls();
    QWidget *CreateParamsPage();
    QWidget *CreateSummaryPage();
    void SetupSummaryGrids();

    // The per-number tables, laid out by their sort.
    void ShowDetails1();
    void ShowDetails2();
    void ShowDetailPages(bool Shown);
    // The length class shown in column Col of sgDetails1; -1 for the fixed number column.
    int Details1Class(int Col) const;
    void sgDetails1SortColumn(int SortKey, int Direction);
    void sgDetails2SortColumn(int SortKey, int Direction);
    void sgDetails1SelectCell(int Col, int Row);
    void sgDetails1DblClick();
    void sgTotal1GetCellFormat(int Col, int Row, TCellFormat &Format);
    bool sgTotal1SortColumn(int SortKey, int Direction);
    void sgTotal1DblClick();
    void sgTotal2SortColumn(int SortKey, int Direction);
    void ShowTotal2();
    void ShowTotal3();
    void ReapplySorts();
    void ShowCombProperties(const TDynByteArr &Comb);
    void cbShowCombsClick();
    std::string ReportSheetName(const QString &PageName) const;

    std::unique_ptr<TResultGrid> Total1;
    int FCombLen = 1; // of the shown results
};

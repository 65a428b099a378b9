#pragma once
// "Zakresy częstotliwości": every number of each draw of the window's range classed by how often it was
// drawn in the W draws before it (zone 1 above the upper bound, zone 3 below the lower one, zone 2
// between); per draw the numbers in each zone, the zone sizes and their coefficients, grouped and
// summarised, as a stacked bar chart in the zone colours the user chooses. For the selected draw, every
// number's count in its look-back window and the draw's numbers coloured by zone. Computed on the GUI
// thread.

#include "controls/Graphics.h"
#include "statwindows/FStatGeneral.h"

#include <array>
#include <memory>

class QChartView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TClassTablePage;
class TClassTableSource;
class TFloatSpin;
class TResultGrid;
struct TCellFormat;
class TStatRangeFreqs;
class TStringAlignGrid;

class TfrmStatRangeFreqs : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int RangeFreqsStatIndex = 11;
    // The "Params" record: u8 valid, u16 W, u8 by percent, two singles (percent bounds), two u16 (count
    // bounds), three colours u32, u8 details chart kind, u8 grouping chart item.
    static constexpr size_t ParamsSize = 30;
    static constexpr int seFreqsEntry = 2; // SortMan entry of sgFreqs
    static constexpr std::array<TColor, 3> DefaultColors = {0x9B9BFF, 0xBBFFFF, 0xFFCD9B};

    explicit TfrmStatRangeFreqs(QWidget *Owner = nullptr);
    ~TfrmStatRangeFreqs() override;

    TStatRangeFreqs *StatRangeFreqs = nullptr; // the window's statistic (Stat)
    std::array<TColor, 3> Colors = DefaultColors;

    QTabWidget *PageControl1;
    TFloatSpin *seDrawCount;
    QGroupBox *gbRangeType;
    QRadioButton *rbRangeType1; // "Procentowo"
    QRadioButton *rbRangeType2; // "Ilościowo"
    QLabel *lblFrom1;
    TFloatSpin *seFrom1;
    QLabel *lblTo1;
    TFloatSpin *seTo1;
    QLabel *lblFrom2;
    TFloatSpin *seFrom2;
    QLabel *lblTo2;
    TFloatSpin *seTo2;
    std::array<QLineEdit *, 3> eColors{};
    std::array<QPushButton *, 3> btnColors{};
    QPushButton *btnDefColors;
    TClassTablePage *Classes;
    TStringAlignGrid *sgSelDraw;
    TStringAlignGrid *sgFreqs;
    QChartView *Chart1;
    std::array<QRadioButton *, 3> rbDetCharts{};

    void btnDefColorsClick();

protected:
    void SetupControls() override;
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void ClearResults() override;
    void Calculate() override;
    bool ShowResults() override;
    void Report() override;
    bool HandleCommand(CommandEvent &Command) override;

private:
    void CreateControls();
    QWidget *CreateParamsPage();
    QWidget *CreateChartPage();
    void rbRangeTypeClick();
    void ChooseColor(int Zone);
    void SetColor(int Zone, TColor Color);
    void UpdateDrawCountLimit();
    // The selected details cell's draw: the counts of its window and its numbers by zone.
    void ShowSelectedDraw(int Col, int Row);
    void LayoutFreqs();
    void DrawDetailsChart();
    int ChartKind() const;
    void FreqsCell(int Col, int Row, TCellFormat &Format) const;
    void SelDrawCell(int Col, int Row, TCellFormat &Format) const;
    bool SortFreqs(int SortKey, int Direction);

    std::unique_ptr<TClassTableSource> FSource;
    std::unique_ptr<TResultGrid> FSelDraw;
    std::unique_ptr<TResultGrid> FFreqs;
    int FSelDrawIndex = -1; // the details row of the selected draw, -1 before any
    int FSelDrawCol = 0;
};

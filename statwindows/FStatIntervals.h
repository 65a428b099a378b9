#pragma once
// "Przedziały liczbowe": the numbers 1..N cut into consecutive ranges by boundary buttons (a pressed
// button starts a range, "|" ends the last one); for every draw of the window's range (or row of a
// system) how many of its numbers fall into each range, grouped and summarised beside the expected
// counts.

#include "stats/UStatIntervals.h"
#include "statwindows/FStatGeneral.h"

#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolButton;
class TClassTablePage;
class TClassTableSource;
class TFloatSpin;
class TStringAlignGrid;

class TfrmStatIntervals : public TGenStatForm {
    Q_OBJECT

public:
    static constexpr int IntervalsStatIndex = 6;
    // The "Params" record: i32 first number, i32 range width, a byte per button (1 pressed) for the
    // buttons 0..N, the rest of 100 bytes unused.
    static constexpr size_t ParamsSize = 108;
    static constexpr size_t ButtonBytes = 100;

    explicit TfrmStatIntervals(QWidget *Owner = nullptr);
    ~TfrmStatIntervals() override;

    TStatIntervals *StatIntervals = nullptr; // the window's statistic (Stat)
    int PressedCount = 0;
    TIntervals Intervals; // from the pressed buttons

    QTabWidget *PageControl1;
    QLabel *lblIntervals;
    TStringAlignGrid *sgIntervals;
    QGroupBox *gbDefinition;
    QScrollArea *ScrollBox;
    // Button i starts a range at number i + 1; button N ("|") ends the last range.
    std::vector<QToolButton *> Buttons;
    QLabel *lblBegin;
    TFloatSpin *seBegin;
    QLabel *lblWidth;
    TFloatSpin *seWidth;
    QPushButton *btnFill;
    QPushButton *btnSelect;
    QPushButton *btnDeselect;
    TClassTablePage *Classes;

    // "&Wypełnij": a range of seWidth numbers from seBegin on, and so on to N.
    void btnFillClick();
    void btnSelectClick();
    void btnDeselectClick();

protected:
    void SetupControls() override;
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    bool CanStart() const override { return PressedCount >= 2; }
    void ClearResults() override;
    void Calculate() override;
    bool ShowResults() override;
    void Report() override;

private:
    void CreateControls();
    QWidget *CreateParamsPage();
    void CreateButtons();
    void PressAll(bool Pressed);
    // The ranges and their line from the pressed buttons; the commands follow.
    void Recount();

    std::unique_ptr<TClassTableSource> FSource;
};

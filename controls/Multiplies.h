#pragma once
// The grid of a system's variable numbers: one row per number with its weight ("Wielokrotność") and
// whether it is fixed ("Stała"). A weight is edited in a spin placed over its cell; the check column is
// drawn and toggled by a click, Enter or Space. Every change is asked of the owner first and undone
// when refused.

#include "controls/StringAlignGrid.h"

#include <QString>

#include <functional>
#include <vector>

class TFloatSpin;

// A weight as the grid and its editor show it: one decimal.
QString MultWeightText(double Weight);

class TMultiplies : public TStringAlignGrid {
    Q_OBJECT

public:
    explicit TMultiplies(QWidget *parent = nullptr);

    // The font of every cell; the header row shows it bold.
    void SetGridFont(const TFont &Font);

    // The number of variable rows; setting it ends an open edit and resets every row to weight 1.0, not
    // fixed, numbered 1..MultCount.
    int MultCount() const { return int(FWeights.size()); }
    void SetMultCount(int Value);
    // Row 1..MultCount.
    double Weight(int Row) const { return FWeights[size_t(Row) - 1]; }
    bool Fixed(int Row) const { return FFixed[size_t(Row) - 1]; }
    // Shows a row's values as given, asking nobody.
    void SetRowValues(int Row, double AWeight, bool AFixed);

    // The weight editor while it is shown over a cell, else nullptr.
    TFloatSpin *WeightEditor() const;
    // Opens the weight editor over Row (not over a fixed row) with the cell's text and gives it the focus.
    void EditWeight(int Row);
    // Ends an open edit: the value is asked once more, the cell takes the editor's text and the editor
    // hides; with FocusGrid the grid takes the focus back.
    void EndWeightEdit(bool FocusGrid);
    // A click on Row's check cell: the owner is asked, and the flag changes only when it accepts.
    void ToggleFixed(int Row);

    // Asked before a row takes a new weight.
    std::function<void(int Row, double Weight, bool &Accept)> OnAnySpinChange;
    // Asked before a row becomes fixed (Checked) or free; Weight is the row's weight.
    std::function<void(int Row, bool Checked, bool &Accept, double Weight)> OnAnyCheckClick;

protected:
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    void KeyDown(QKeyEvent *event) override;
    void TopLeftChanged() override;
    void ColWidthsChanged() override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    // The editor's value changed: kept as the row's weight when the owner accepts it, else undone.
    void editorChanged();
    bool askWeight(int Row, double Value);
    void showWeight(int Row);
    void drawCheck(const TRect &Rect, bool Checked);
    bool dataRow(int Row) const { return Row >= 1 && Row <= MultCount(); }

    TFloatSpin *FEditor;
    // The row the editor is open over, 0 while it is hidden.
    int FEditRow = 0;
    // True while the grid sets the editor's text itself.
    bool FUpdating = false;
    std::vector<double> FWeights;
    std::vector<bool> FFixed;
};

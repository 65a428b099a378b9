#pragma once
// The aligned grid's in-place editor: aligned like its cell, single- or multi-line, and the keys of the
// grid's editing protocol (Enter confirms, Esc restores the text and cancels).

#include "controls/CellProperties.h"
#include "controls/StringGrid.h"

class TStringAlignGrid;

class TNewInplaceEdit : public TInplaceEdit {
    Q_OBJECT
public:
    explicit TNewInplaceEdit(TStringAlignGrid *grid);

    TMyAlign Alignment() const { return FAlignment; }
    // Keeps the selection; the editor stays over its cell.
    void setAlignment(TMyAlign value);
    bool Multiline = false;
    // The cell being edited, (-1, -1) for none.
    int Col = -1;
    int Row = -1;
    // An edit has begun in this cell (OnBeforeEdit fired).
    bool Started = false;
    // The cell's text before the edit, which Esc puts back.
    QString SavedText;

    void UpdateContents() override;
    // Takes the cell's font and background.
    void setCellLook(const TMyFont &font, const TMyBrush &brush);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool keepsNavigationKey(const QKeyEvent *event) const override;

private:
    TStringAlignGrid *alignGrid() const;

    TMyAlign FAlignment = alLeft;
};

// The filter editor's kind editor: laid out per kind, filled from the kind's work filter and read back
// into it, with the relation and from-change rules of its two ranges.
#include "syswindows/FFilter.h"

#include "controls/FloatSpin.h"
#include "core/UComb.h"
#include "engine/FilterDigitSet.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalDrawsRange.h"
#include "shell/FSelectComb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>
#include <vector>

namespace {

struct TRangeControls {
    QComboBox *Combo;
    QLabel *FromLabel;
    TFloatSpin *From;
    QLabel *ToLabel;
    TFloatSpin *To;
};

// Bounds Min..Max, widened to a value the pool cannot reach, so that the filter is shown (and read
// back) with the limits it has.
void SetSpin(TFloatSpin *Spin, int32_t Min, int32_t Max, int32_t Value)
{
    Spin->SetMinValue(std::min(Min, Value));
    Spin->SetMaxValue(std::max({Min, Max, Value}));
    Spin->SetValue(Value);
}

int SelectedCode(const QComboBox *Combo)
{
    return Combo->currentIndex() < 0 ? 0 : Combo->currentData().toInt();
}

} // namespace

void TfrmFilter::lbFiltersClick()
{
    if (!FListEvents || lbFilters->currentRow() < 0)
        return;
    CurKind = lbFilters->currentItem()->data(Qt::UserRole).toInt();
    if (CurKind != LastKind) {
        if (LastKind > 0)
            ReadEditor(*WorkFilter(uint32_t(LastKind)));
        LastKind = CurKind;
        ShowEditor();
    }
    UpdateButtons();
}

void TfrmFilter::FillRelations(QComboBox *Combo, const std::vector<TRelationItem> &Items, int Code)
{
    Combo->clear();
    for (const TRelationItem &item : Items) {
        Combo->addItem(QString::fromStdString(item.Text), int(item.Code));
        if (item.Code == Code)
            Combo->setCurrentIndex(Combo->count() - 1);
    }
    if (Combo->currentIndex() < 0 && Combo->count() > 0)
        Combo->setCurrentIndex(0);
}

void TfrmFilter::ShowEditor()
{
    const TFilter &filter = *WorkFilter(uint32_t(CurKind));
    const TFilterEditorLayout layout = FilterEditorLayout(filter);
    const TFilterEditValues values = GetEditValues(filter);
    const QScopedValueRollback<bool> quiet(EditorEvents, false);

    // Row 1: the relation and its range, the position alone, or nothing.
    F_lblTitle1->setText(QString::fromStdString(layout.Title1));
    F_lblTitle1->setVisible(layout.Row1);
    F_cb1->setVisible(layout.Row1 && !layout.PositionOnly);
    EditorGrid->addWidget(F_seFrom1, 1, layout.PositionOnly ? 0 : 2);
    F_seFrom1->setVisible(layout.Row1 && (layout.Range1 || layout.PositionOnly));
    for (QWidget *control : {static_cast<QWidget *>(F_lblFrom1), static_cast<QWidget *>(F_lblTo1),
                             static_cast<QWidget *>(F_seTo1)})
        control->setVisible(layout.Row1 && layout.Range1 && !layout.PositionOnly);
    // Row 2.
    F_lblTitle2->setText(QString::fromStdString(layout.Title2));
    for (QWidget *control : {static_cast<QWidget *>(F_lblTitle2), static_cast<QWidget *>(F_cb2),
                             static_cast<QWidget *>(F_lblFrom2), static_cast<QWidget *>(F_seFrom2),
                             static_cast<QWidget *>(F_lblTo2), static_cast<QWidget *>(F_seTo2)})
        control->setVisible(layout.Row2);

    FillRelations(F_cb1, layout.Relations1, values.Relation1);
    FillRelations(F_cb2, layout.Relations2, values.Relation2);
    SetSpin(F_seFrom1, layout.Min1, layout.Max1, values.From1);
    SetSpin(F_seTo1, layout.Min1, layout.Max1, values.To1);
    SetSpin(F_seFrom2, layout.Min2, layout.Max2, values.From2);
    SetSpin(F_seTo2, layout.Min2, layout.Max2, values.To2);

    ShownDigits = layout.Digits;
    F_Digits->setVisible(layout.Digits != TDigitBoxes::None);
    for (uint32_t digit = 0; digit < 10; ++digit)
        F_cbD[digit]->setChecked(DigitChosen(values.Digits, digit));

    F_Comb->setVisible(layout.Comb);
    std::string comb;
    CombToStr(values.Comb.data(), uint8_t(values.Comb.size()), "%2d ", comb);
    F_eComb->setText(QString::fromStdString(comb));

    pFltDate->setVisible(layout.DrawsRange);
    if (layout.DrawsRange) {
        FltRange = values.Range;
        ShowFltDate();
    }
    chkExclusive->setVisible(layout.Exclusive);
    chkExclusive->setChecked(values.OthersAllowed);
    (values.AndMode ? rbAND : rbOR)->setChecked(true);
    // Below the combination or range panel when one is shown.
    EditorGrid->addWidget(gbLink, layout.Comb || layout.DrawsRange ? 2 : 0, 5, 2, 1, Qt::AlignTop);

    if (layout.Row1 && !layout.PositionOnly)
        RelationChange(1);
    if (layout.Row2)
        RelationChange(2);
    EnableDigitBoxes();
}

void TfrmFilter::ReadEditor(TFilter &Filter)
{
    TFilterEditValues values = GetEditValues(Filter);
    values.Relation1 = uint8_t(SelectedCode(F_cb1));
    values.From1 = SpinValue(F_seFrom1);
    values.To1 = SpinValue(F_seTo1);
    values.Relation2 = uint8_t(SelectedCode(F_cb2));
    values.From2 = SpinValue(F_seFrom2);
    values.To2 = SpinValue(F_seTo2);
    values.OthersAllowed = chkExclusive->isChecked();
    values.Digits.assign(10, '0');
    for (size_t digit = 0; digit < 10; ++digit)
        if (F_cbD[digit]->isEnabled() && F_cbD[digit]->isChecked())
            values.Digits[digit] = '1';
    if (Filter.Kind == fltComb)
        values.Comb = Parser.Parse(F_eComb->text().toStdString(), true, true) ? Parser.Comb : TDynByteArr();
    if (Filter.Kind == fltDBCN)
        values.Range = FltRange;
    values.AndMode = rbAND->isChecked();
    SetEditValues(Filter, values);
}

void TfrmFilter::RelationChange(int Row)
{
    if (Row == 1 && CurKind == fltDigit) {
        EnableDigitBoxes();
        return;
    }
    const TRangeControls range = Row == 1 ? TRangeControls{F_cb1, F_lblFrom1, F_seFrom1, F_lblTo1, F_seTo1}
                                          : TRangeControls{F_cb2, F_lblFrom2, F_seFrom2, F_lblTo2, F_seTo2};
    for (QWidget *control : {static_cast<QWidget *>(range.FromLabel), static_cast<QWidget *>(range.From),
                             static_cast<QWidget *>(range.ToLabel), static_cast<QWidget *>(range.To)})
        control->setEnabled(true);
    switch (SelectedCode(range.Combo)) {
    case rmExact:
    case rmAtLeast:
        range.ToLabel->setEnabled(false);
        range.To->setEnabled(false);
        break;
    case rmRange:
        FromChange(Row);
        break;
    case rmAtMost:
        range.FromLabel->setEnabled(false);
        range.From->setEnabled(false);
        range.To->SetMinValue(range.From->MinValue());
        break;
    default:
        for (QWidget *control : {static_cast<QWidget *>(range.FromLabel), static_cast<QWidget *>(range.From),
                                 static_cast<QWidget *>(range.ToLabel), static_cast<QWidget *>(range.To)})
            control->setEnabled(false);
        break;
    }
}

void TfrmFilter::FromChange(int Row)
{
    TFloatSpin *from = Row == 1 ? F_seFrom1 : F_seFrom2;
    TFloatSpin *to = Row == 1 ? F_seTo1 : F_seTo2;
    if (!from->isEnabled())
        return;
    const int value = SpinValue(from);
    if (SpinValue(to) < value)
        to->SetValue(value);
    to->SetMinValue(value);
}

void TfrmFilter::EnableDigitBoxes()
{
    const uint32_t usable = UsableDigitBoxes(ShownDigits, uint8_t(SelectedCode(F_cb1)), Game->Info.MaxNumber);
    for (uint32_t digit = 0; digit < 10; ++digit)
        F_cbD[digit]->setEnabled(digit < usable);
}

void TfrmFilter::SetDigits(bool Value)
{
    for (QCheckBox *box : F_cbD)
        box->setChecked(Value);
}

void TfrmFilter::ShowFltDate()
{
    // Resolved for its line only; the filter resolves its range itself when it runs.
    TDrawsRange shown = FltRange;
    std::vector<int32_t> indexes;
    DrawsMan->ResolveRange(shown, indexes);
    ShowDrawsRange(shown, txtFltDate, false);
}

void TfrmFilter::btnFltDateClick()
{
    if (Running())
        return;
    TfrmDrawsFilter dialog(this);
    dialog.Range = FltRange;
    dialog.Game = Game;
    dialog.DrawsMan = DrawsMan;
    const bool confirmed = platform::execModal(dialog) == 1;
    // The dialog resolves its ranges on the manager, whose marks a run over a draw history left.
    if (Mode == 0)
        Stale = true;
    if (!confirmed)
        return;
    FltRange = dialog.Range;
    ShowFltDate();
}

void TfrmFilter::F_btnCombClick()
{
    // As many reference numbers as the filter takes: up to the game's highest number.
    const int maxNumber = Game->Info.MaxNumber;
    const std::optional<TSelectedComb> chosen = SelectNumbers(this, {1, maxNumber, maxNumber, {}, {}});
    if (!chosen)
        return;
    std::string text;
    CombToStr(chosen->Numbers.data(), uint8_t(chosen->Numbers.size()), "%2d ", text);
    F_eComb->setText(QString::fromStdString(text));
}

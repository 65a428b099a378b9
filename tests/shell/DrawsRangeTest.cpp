#include "controls/RichView.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalDrawsRange.h"
#include "shell/FMain.h"
#include "tests/shell/ShellTestSupport.h"

#include <QComboBox>
#include <QCheckBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include <cstring>

namespace {

std::string Text(const TRichView *View)
{
    QString text;
    for (const TLineInfo &item : View->LineList())
        text += item.Text;
    return text.toStdString();
}

// The summary of KnownRange's index range: its month days leave out the 31st.
std::string KnownSummary()
{
    std::string days;
    for (int day = 1; day <= 30; ++day)
        days += std::to_string(day) + (day < 30 ? "," : "");
    return "Liczba losowań: 10;   Okres: 18.01.2020 - 21.03.2020;   Dni miesiąca: " + days + "; ";
}

std::vector<int> Styles(const TRichView *View)
{
    std::vector<int> styles;
    for (const TLineInfo &item : View->LineList())
        styles.push_back(item.StyleCode);
    return styles;
}

// Little-endian bytes of a value, as the record stores it.
template <typename T>
void Put(platform::Bytes &Bytes, size_t Offset, T Value)
{
    std::memcpy(Bytes.data() + Offset, &Value, sizeof Value);
}

} // namespace

class DrawsRangeDialogTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        folder->writeDraws("Lotto", SaturdayDraws(40));
        frame = std::make_unique<TfrmMain>();
        lotto = Games.GameById(1);
        ASSERT_NE(lotto, nullptr);
        ASSERT_EQ(lotto->DrawsMan->Count(), 40);
    }
    void TearDown() override
    {
        frame.reset();
        ShellTest::TearDown();
    }

    // Opens the dialog on Range and lets Step play it.
    int Open(const TDrawsRange &Range, bool DefaultMode, testsupport::ModalScript::DialogStep Step)
    {
        TfrmDrawsFilter dialog;
        dialog.Game = lotto;
        dialog.DrawsMan = lotto->DrawsMan.get();
        dialog.Range = Range;
        dialog.DefaultMode = DefaultMode;
        script.onDialog(std::move(Step));
        const int result = platform::execModal(dialog);
        shownRange = dialog.Range;
        return result;
    }

    static TDrawsRange KnownRange()
    {
        TDrawsRange r;
        r.Mode = drIndexes;
        r.UseStart = true;
        r.UseEnd = false;
        r.StartDate = EncodeDate(2020, 2, 1);
        r.EndDate = EncodeDate(2020, 6, 30);
        r.Backward = false;
        r.UseAnchor = true;
        r.AnchorDate = EncodeDate(2020, 3, 14);
        r.PeriodUnit = puWeek;
        r.PeriodCount = 5;
        r.FirstIndex = 3;
        r.LastIndex = 12;
        r.WeekDays.fill(true);
        r.MonthDays.fill(true);
        r.MonthDays[30] = false;
        r.Months.fill(true);
        r.Quarters.fill(true);
        return r;
    }

    std::unique_ptr<TfrmMain> frame;
    TGameData *lotto = nullptr;
    TDrawsRange shownRange;
};

TEST_F(DrawsRangeDialogTest, ShowsTheGameTheHistoryAndTheRange)
{
    const int result = Open(KnownRange(), true, [](QDialog &dialog) {
        auto &range = static_cast<TfrmDrawsFilter &>(dialog);
        EXPECT_EQ(range.windowTitle(), QStringLiteral("<Lotto> Zakres losowań"));
        EXPECT_EQ(Text(range.txtDrawsInfo), "Wszystkich losowań: 40;   Okres: 04.01.2020 - 03.10.2020;   ");
        EXPECT_TRUE(range.rbFltTypePos->isChecked());
        EXPECT_EQ(range.iseIndexFrom->value(), 3);
        EXPECT_EQ(range.iseIndexTo->value(), 12);
        EXPECT_EQ(range.pcbPeriodType->currentIndex(), int(puWeek));
        EXPECT_EQ(range.lbMonthDays->item(30)->checkState(), Qt::Unchecked);
        // Index mode: only the index controls are enabled.
        EXPECT_TRUE(range.iseIndexFrom->isEnabled());
        EXPECT_FALSE(range.ddtRange1->isEnabled());
        EXPECT_FALSE(range.psePeriodCount->isEnabled());
        EXPECT_EQ(Text(range.txtDateDesc), KnownSummary());
        range.rbFltTypePeriods->setChecked(true);
        EXPECT_TRUE(range.psePeriodCount->isEnabled());
        EXPECT_TRUE(range.pdtDate->isEnabled()) << "the fixed-date box is checked";
        EXPECT_FALSE(range.iseIndexFrom->isEnabled());
        range.pchkDate->setChecked(false);
        EXPECT_FALSE(range.pdtDate->isEnabled());
    });
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(DrawsRangeDialogTest, PeriodCountAndIndexesKeepTheirBounds)
{
    Open(KnownRange(), true, [](QDialog &dialog) {
        auto &range = static_cast<TfrmDrawsFilter &>(dialog);
        EXPECT_EQ(range.psePeriodCount->maximum(), 100) << "40 draws: raised to 100 on opening";
        range.rbFltTypePeriods->setChecked(true);
        range.pcbPeriodType->setCurrentIndex(puDraw);
        EXPECT_EQ(range.psePeriodCount->maximum(), 40);
        range.pcbPeriodType->setCurrentIndex(puMonth);
        EXPECT_EQ(range.psePeriodCount->maximum(), 609);

        range.rbFltTypePos->setChecked(true);
        range.iseIndexTo->setValue(10);
        range.iseIndexFrom->setValue(30);
        EXPECT_EQ(range.iseIndexTo->value(), 30);
        EXPECT_EQ(range.iseIndexTo->minimum(), 30);
        EXPECT_EQ(range.iseIndexFrom->maximum(), 40);
    });
}

TEST_F(DrawsRangeDialogTest, ARangeWithoutDrawsIsRefusedAndTheDialogStays)
{
    const TDrawsRange before = lotto->DefRange;
    script.answerBox(platform::IDOK);
    const int result = Open(KnownRange(), true, [this](QDialog &dialog) {
        auto &range = static_cast<TfrmDrawsFilter &>(dialog);
        range.PageControl1->setCurrentIndex(1);
        range.btnClearAll[0]->click();
        for (int day = 0; day < 7; ++day)
            EXPECT_EQ(range.lbWeekDays->item(day)->checkState(), Qt::Unchecked);
        EXPECT_EQ(Text(range.txtDateDesc), "Brak losowań");
        range.btnOK->click();
        ASSERT_EQ(script.boxes().size(), 1u);
        EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Przy takim ustawieniu parametrów filtru żadne losowanie nie "
                                                         "zostanie uwzględnione w obliczeniach."));
        EXPECT_EQ(script.boxes()[0].Caption, QStringLiteral("Korvantile"));
        EXPECT_EQ(script.boxes()[0].Flags, 48);
        EXPECT_TRUE(range.isVisible());
        range.btnSelectAll[0]->click();
        EXPECT_EQ(Text(range.txtDateDesc), KnownSummary());
        range.btnCancel->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(lotto->DefRange, before);
    EXPECT_FALSE(store().value("Filters\\FltDateDef\\1", "Params"));
}

TEST_F(DrawsRangeDialogTest, OkStoresTheDefaultRangeByteByByte)
{
    const int result = Open(KnownRange(), true, [](QDialog &dialog) {
        auto &range = static_cast<TfrmDrawsFilter &>(dialog);
        range.rbFltTypeLast->setChecked(true);
        range.lbQuarters->item(1)->setCheckState(Qt::Unchecked);
        range.btnOK->click();
    });
    ASSERT_EQ(result, QDialog::Accepted);

    // Mode 1 (the last draw, 3 October 2020); the other fields as the dialog was given them.
    platform::Bytes expected(116, 0);
    expected[0] = 1;
    expected[1] = 1;
    expected[2] = 0;
    Put(expected, 3, EncodeDate(2020, 2, 1));
    Put(expected, 11, EncodeDate(2020, 6, 30));
    expected[19] = 0;
    expected[20] = 1;
    Put(expected, 21, EncodeDate(2020, 3, 14));
    expected[29] = 1;
    Put(expected, 30, uint32_t(5));
    Put(expected, 34, int32_t(3));
    Put(expected, 38, int32_t(12));
    std::fill(expected.begin() + 42, expected.begin() + 96, uint8_t(1));
    expected[49 + 30] = 0; // the 31st day of the month
    expected[92 + 1] = 0;  // the second quarter
    Put(expected, 96, EncodeDate(2020, 10, 3));
    Put(expected, 104, EncodeDate(2020, 10, 3));
    Put(expected, 112, uint32_t(1));

    const auto stored = store().value("Filters\\FltDateDef\\1", "Params");
    ASSERT_TRUE(stored);
    const auto &bytes = std::get<platform::Bytes>(*stored);
    ASSERT_EQ(bytes.size(), 116u);
    for (size_t i = 0; i < 116; ++i)
        EXPECT_EQ(int(bytes[i]), int(expected[i])) << "byte " << i;
    EXPECT_EQ(lotto->DefRange.Mode, drLast);
    EXPECT_EQ(lotto->DefRange.Count, 1u);
    EXPECT_EQ(shownRange, lotto->DefRange);
    EXPECT_FALSE(store().value("Filters\\FltDateDraws\\1", "Params"));
}

TEST_F(DrawsRangeDialogTest, TheEditorsRangeLeavesTheDefaultRangeAlone)
{
    const TDrawsRange defaultBefore = lotto->DefRange;
    const int result = Open(KnownRange(), false, [](QDialog &dialog) {
        auto &range = static_cast<TfrmDrawsFilter &>(dialog);
        range.rbFltTypeAll->setChecked(true);
        range.btnOK->click();
    });
    ASSERT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(lotto->DefRange, defaultBefore);
    EXPECT_EQ(lotto->DrawsRange.Mode, drAll);
    EXPECT_EQ(lotto->DrawsRange.Count, 40u);
    ASSERT_TRUE(store().value("Filters\\FltDateDraws\\1", "Params"));
    EXPECT_FALSE(store().value("Filters\\FltDateDef\\1", "Params"));
    TDrawsRange reread;
    LoadDrawsRange(*lotto, DrawsRangeKey, reread);
    EXPECT_EQ(reread, lotto->DrawsRange);
}

TEST_F(DrawsRangeDialogTest, SummaryLineNamesTheRestrictedParts)
{
    TRichView view;
    view.SetStyle(frame->RVStyle1);
    TDrawsRange range;
    range.Count = 0;
    ShowDrawsRange(range, &view, true);
    EXPECT_EQ(Text(&view), "Brak losowań");

    range.Count = 12;
    range.From = EncodeDate(2020, 1, 4);
    range.To = EncodeDate(2020, 3, 21);
    ShowDrawsRange(range, &view, false);
    EXPECT_EQ(Text(&view), "Liczba losowań: 12;   Okres: 04.01.2020 - 21.03.2020;   ");
    EXPECT_EQ(Styles(&view), (std::vector<int>{0, 7, 0, 0, 6, 0}));

    range.WeekDays.fill(false);
    range.WeekDays[5] = true; // Saturday
    range.Months.fill(false);
    range.Months[0] = range.Months[11] = true;
    ShowDrawsRange(range, &view, true);
    EXPECT_EQ(Text(&view), "LL: 12;   O: 04.01.2020 - 21.03.2020;   DT: So; M: 1,12; ");
    EXPECT_EQ(DrawsRangePeriodText(range), "04.01.2020 - 21.03.2020");
}

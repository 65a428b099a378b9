// The item and row dialogs of the report commands, played as the user plays them.
#include "output/FGlobalReport.h"
#include "output/FRowsRange.h"
#include "output/FSelRepItems.h"

#include "controls/FloatSpin.h"
#include "platform/gui/MessageBox.h"
#include "tests/fixtures/ModalScript.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

using testsupport::ModalScript;

TEST(ReportDialogsTest, ItemsGiveAnAnswerPerNameAndOneMustBeTicked)
{
    ModalScript script;
    const std::vector<QString> names = {"Pierwsza", "Ukryta", "Trzecia", "Czwarta", "Piąta"};
    script.onDialog([&](QDialog &Dialog) {
        auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
        ASSERT_EQ(items.CheckListBox1->count(), 4);
        EXPECT_EQ(items.CheckListBox1->item(1)->text(), "Trzecia");
        items.btnDeselAll->click();
        items.btnOK->click();
        EXPECT_TRUE(items.isVisible());
        EXPECT_EQ(script.boxes().size(), 1u);
        items.btnSelAll->click();
        items.CheckListBox1->item(2)->setCheckState(Qt::Unchecked); // "Czwarta"
        items.btnOK->click();
    });
    script.answerBox(platform::IDOK);
    const std::optional<std::vector<bool>> chosen =
        AskReportItems(nullptr, names, {true, false, true, true, true});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_EQ(script.boxes()[0].Text, "Należy wybrać przynajmniej jedną pozycję.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);

    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelRepItems &>(Dialog).btnCancel->click(); });
    EXPECT_FALSE(AskReportItems(nullptr, names, {}));
}

TEST(ReportDialogsTest, TheItemsListShowsEveryItem)
{
    ModalScript script;
    std::vector<QString> names;
    for (int i = 1; i <= 11; ++i)
        names.push_back(QStringLiteral("Tabela %1").arg(i));
    script.onDialog([](QDialog &Dialog) {
        const QListWidget &list = *dynamic_cast<TfrmSelRepItems &>(Dialog).CheckListBox1;
        ASSERT_EQ(list.count(), 11);
        for (int row = 0; row < list.count(); ++row)
            EXPECT_TRUE(list.viewport()->rect().contains(list.visualItemRect(list.item(row)))) << row;
    });
    AskReportItems(nullptr, names, {});
}

// The row dialog over a grid of Rows rows, played by Play; the rows it answers.
std::optional<TReportRows> AskRows(int Rows, const std::function<void(TfrmRowsRange &Dialog)> &Play)
{
    ModalScript script;
    script.onDialog([&](QDialog &Dialog) { Play(dynamic_cast<TfrmRowsRange &>(Dialog)); });
    return AskReportRows(nullptr, Rows);
}

// Typed values confirmed with Enter, before either field has lost the focus.
void TypeAndConfirm(TfrmRowsRange &Dialog, const QString &From, const QString &To)
{
    Dialog.sbFrom->setText(From);
    Dialog.sbTo->setText(To);
    Dialog.btnOK->click();
}

TEST(ReportDialogsTest, RowsArePreselectedByTheGridsLengthAndKeptInRange)
{
    // 80 data rows: every row, the range edits off.
    std::optional<TReportRows> rows = AskRows(81, [](TfrmRowsRange &Dialog) {
        EXPECT_TRUE(Dialog.rbType1->isChecked());
        EXPECT_FALSE(Dialog.sbFrom->isEnabled());
        EXPECT_EQ(Dialog.sbTo->Value(), 80);
        Dialog.btnOK->click();
    });
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->From, -1);

    // 5,000 data rows: rows 1 to 100 offered.
    rows = AskRows(5001, [](TfrmRowsRange &Dialog) {
        EXPECT_TRUE(Dialog.rbType2->isChecked());
        EXPECT_TRUE(Dialog.sbFrom->isEnabled());
        EXPECT_EQ(Dialog.sbFrom->Value(), 1);
        EXPECT_EQ(Dialog.sbTo->Value(), 100);
        Dialog.btnOK->click();
    });
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->From, 1);
    EXPECT_EQ(rows->To, 100);

    // Past 64,000 rows the edits stop at 64,000; all rows still means all.
    rows = AskRows(70001, [](TfrmRowsRange &Dialog) {
        EXPECT_EQ(Dialog.sbFrom->MaxValue(), 64000);
        EXPECT_EQ(Dialog.sbTo->MaxValue(), 64000);
        Dialog.rbType1->setChecked(true);
        Dialog.btnOK->click();
    });
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->From, -1);

    // Raising "from" raises the least "to" the spin buttons reach.
    rows = AskRows(5001, [](TfrmRowsRange &Dialog) {
        Dialog.sbFrom->SetValue(300);
        EXPECT_EQ(Dialog.sbTo->MinValue(), 300);
        Dialog.sbTo->DownClick();
        EXPECT_EQ(Dialog.sbTo->Value(), 300);
        Dialog.btnOK->click();
    });
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->From, 300);
    EXPECT_EQ(rows->To, 300);

    // Typed and confirmed at once: 0, "from" above "to" and rows past the grid are brought into range.
    struct Typed {
        const char *From;
        const char *To;
        int ExpectedFrom;
        int ExpectedTo;
    };
    for (const Typed &typed : {Typed{"0", "20", 1, 20}, Typed{"50", "20", 50, 50},
                               Typed{"4990", "99999", 4990, 5000}, Typed{"70000", "80000", 5000, 5000}}) {
        rows = AskRows(5001, [&](TfrmRowsRange &Dialog) { TypeAndConfirm(Dialog, typed.From, typed.To); });
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->From, typed.ExpectedFrom) << typed.From << " " << typed.To;
        EXPECT_EQ(rows->To, typed.ExpectedTo) << typed.From << " " << typed.To;
    }

    EXPECT_FALSE(AskRows(5001, [](TfrmRowsRange &Dialog) { Dialog.btnCancel->click(); }));
}

} // namespace

// The combination dialog: the pad, typed numbers, the key, reordering by dragging and the checks of OK.
#include "controls/MessageBeep.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalStartup.h"
#include "shell/FSelectComb.h"
#include "ShellTestSupport.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class SelectCombTest : public ShellTest {
protected:
    // Runs the dialog set up by Setup; Play acts as the user.
    std::optional<TSelectedComb> Run(const std::function<void(TfrmSelectComb &)> &Setup,
                                     std::function<void(TfrmSelectComb &)> Play)
    {
        script.onDialog([Play = std::move(Play)](QDialog &Dialog) { Play(dynamic_cast<TfrmSelectComb &>(Dialog)); });
        return SelectComb(nullptr, Setup);
    }
};

TEST_F(SelectCombTest, TypedNumbersAreSortedWithoutRepeatsAndOkFollowsTheLengths)
{
    const auto setup = [](TfrmSelectComb &Dialog) {
        Dialog.MinLen = 1;
        Dialog.MaxLen = 6;
        Dialog.MaxNumber = 49;
    };
    const auto result = Run(setup, [](TfrmSelectComb &Dialog) {
        EXPECT_FALSE(Dialog.btnOK->isEnabled()) << "nothing chosen";
        for (int number : {1, 2, 3, 4, 5, 6, 7})
            Dialog.gbKey->Button(number)->click();
        EXPECT_FALSE(Dialog.btnOK->isEnabled()) << "seven chosen";
        Dialog.eInput->setPlainText(QStringLiteral("7 3 3 55"));
        Dialog.btnReadNums->click();
        EXPECT_EQ(Dialog.txtSelected->toPlainText(), QStringLiteral(" 3  7"));
        EXPECT_EQ(Dialog.gbKey->Chosen(), (TDynByteArr{3, 7}));
        Dialog.eInput->setPlainText(QStringLiteral("50 0 abc"));
        Dialog.btnReadNums->click();
        EXPECT_EQ(Dialog.txtSelected->toPlainText(), QStringLiteral(" 3  7")) << "no number of 1..49 typed";
        Dialog.btnOK->click();
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Numbers, (TDynByteArr{3, 7}));

    EXPECT_FALSE(Run(setup, [](TfrmSelectComb &Dialog) {
        Dialog.gbKey->Button(9)->click();
        Dialog.btnCancel->click();
    }));
}

TEST_F(SelectCombTest, OnlyTheKeysNumbersCanBeChosenEvenFromTheDefault)
{
    const TDynByteArr key = {2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
    const auto result = Run(
        [&](TfrmSelectComb &Dialog) {
            Dialog.MinLen = Dialog.MaxLen = 3;
            Dialog.MaxNumber = 49;
            Dialog.Mode = scmComb;
            Dialog.Key = key;
            Dialog.Default = {1, 4, 5, 16, 49};
        },
        [&](TfrmSelectComb &Dialog) {
            int enabled = 0;
            for (int number = 1; number <= 49; ++number)
                enabled += Dialog.gbKey->Button(number)->isEnabled();
            EXPECT_EQ(enabled, 10);
            EXPECT_EQ(Dialog.gbKey->Chosen(), (TDynByteArr{4, 16}));
            EXPECT_EQ(Dialog.eInput->toPlainText(), QStringLiteral("4 16"));
            EXPECT_FALSE(Dialog.btnOK->isEnabled());
            Dialog.eInput->setPlainText(QStringLiteral("3 20 6 4"));
            Dialog.btnReadNums->click();
            EXPECT_EQ(Dialog.gbKey->Chosen(), (TDynByteArr{6, 20})) << "3 of the three typed is not in the key";
            Dialog.gbKey->Button(3)->click();
            Dialog.gbKey->Button(4)->click();
            EXPECT_EQ(Dialog.gbKey->Chosen(), (TDynByteArr{4, 6, 20}));
            Dialog.btnOK->click();
        });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Numbers, (TDynByteArr{4, 6, 20}));
}

TEST_F(SelectCombTest, DraggingReordersOnlyWhenNotSorted)
{
    for (const bool sorted : {false, true}) {
        const auto result = Run(
            [&](TfrmSelectComb &Dialog) {
                Dialog.MinLen = 1;
                Dialog.MaxLen = 10;
                Dialog.MaxNumber = 20;
                Dialog.Sorted = sorted;
            },
            [&](TfrmSelectComb &Dialog) {
                for (int number : {5, 3, 9})
                    Dialog.gbKey->Button(number)->click();
                RightDrag(*Dialog.gbKey, 9, 5);
                RightDrag(*Dialog.gbKey, 3, 12); // 12 is not chosen: it takes no drop
                EXPECT_TRUE(Dialog.gbKey->Button(9)->isChecked());
                EXPECT_FALSE(Dialog.gbKey->Button(12)->isChecked());
                Dialog.btnOK->click();
            });
        ASSERT_TRUE(result);
        EXPECT_EQ(result->Numbers, sorted ? TDynByteArr({3, 5, 9}) : TDynByteArr({9, 3, 5})) << sorted;
    }
}

TEST_F(SelectCombTest, ADrawDateTheHistoryHoldsIsRefusedUnlessTheEditedDrawKeepsIt)
{
    folder->writeDraws("Lotto", SaturdayDraws(3));
    InitGlobals();
    const TDrawsManager *history = Games.GameById(1)->DrawsMan.get();
    const TDateTime second = EncodeDate(2020, 1, 11);
    const TDateTime free = EncodeDate(2020, 1, 12);
    const auto draw = [&](bool Editing) {
        return [=](TfrmSelectComb &Dialog) {
            Dialog.MinLen = Dialog.MaxLen = 6;
            Dialog.MaxNumber = 49;
            Dialog.Mode = scmDraw;
            Dialog.DrawsMan = history;
            Dialog.Editing = Editing;
            Dialog.Date = second;
            Dialog.Default = {1, 2, 3, 4, 5, 6};
        };
    };
    const auto pickDates = [](std::vector<TDateTime> Dates) {
        return [Dates](TfrmSelectComb &Dialog) {
            for (const TDateTime date : Dates) {
                Dialog.dtDateDraw->setDate(ToQDate(date));
                Dialog.btnOK->click();
            }
        };
    };

    script.answerBox(platform::IDOK);
    script.answerBox(platform::IDOK);
    // A new draw on the second draw's date is refused, then taken on a free date.
    auto result = Run(draw(false), pickDates({second, free}));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Date, free);
    // The edited draw keeps its date; moved onto the first draw's date it is refused.
    result = Run(draw(true), [&](TfrmSelectComb &Dialog) {
        EXPECT_EQ(FromQDate(Dialog.dtDateDraw->date()), second);
        pickDates({EncodeDate(2020, 1, 4), second})(Dialog);
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Date, second);
    EXPECT_EQ(result->Numbers, (TDynByteArr{1, 2, 3, 4, 5, 6}));
    ASSERT_EQ(script.boxes().size(), 2u);
    for (const auto &box : script.boxes())
        EXPECT_EQ(std::pair(box.Text, box.Flags), std::pair(QStringLiteral("Istnieje już losowanie o takiej dacie!"), 48));
    DoneGlobals();
}

TEST_F(SelectCombTest, ADrawDateTypedBefore1900IsRefusedAndNoDrawTakesIt)
{
    folder->writeDraws("Lotto", SaturdayDraws(3));
    InitGlobals();
    struct TBeeps {
        int Count = 0;
        TBeeps()
        {
            setMessageBeepHook([this](unsigned) { ++Count; });
        }
        ~TBeeps() { setMessageBeepHook({}); }
    } beeps;
    const auto setup = [](TfrmSelectComb &Dialog) {
        Dialog.MinLen = Dialog.MaxLen = 6;
        Dialog.MaxNumber = 49;
        Dialog.Mode = scmDraw;
        Dialog.DrawsMan = Games.GameById(1)->DrawsMan.get();
        Dialog.Editing = true;
        Dialog.Date = EncodeDate(2020, 2, 1);
        Dialog.Default = {1, 2, 3, 4, 5, 6};
    };
    const auto typeDates = [](std::vector<const char *> Dates) {
        return [Dates](TfrmSelectComb &Dialog) {
            QDateEdit *field = Dialog.dtDateDraw;
            field->setFocus();
            for (const char *date : Dates) {
                QTest::keyClick(field, Qt::Key_Home);
                QTest::keyClicks(field, date);
            }
            Dialog.btnOK->click();
        };
    };
    auto result = Run(setup, typeDates({"31010506", "31121899"}));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Date, EncodeDate(2020, 2, 1));
    EXPECT_EQ(beeps.Count, 2);
    result = Run(setup, typeDates({"01011900"}));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Date, EncodeDate(1900, 1, 1));
    // The text cleared from its end takes the whole date typed after it.
    result = Run(setup, [](TfrmSelectComb &Dialog) {
        QDateEdit *field = Dialog.dtDateDraw;
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, "05062017");
        Dialog.btnOK->click();
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Date, EncodeDate(2017, 6, 5));
    EXPECT_EQ(beeps.Count, 2);
    DoneGlobals();
}

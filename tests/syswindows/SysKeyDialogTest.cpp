#include "platform/gui/MessageBox.h"
#include "shell/NumberPad.h"
#include "syswindows/FSelectKey.h"
#include "tests/fixtures/PadDrag.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QPlainTextEdit>

#include <algorithm>
#include <vector>

namespace {

using Row = std::vector<int>;

// The rows shown through the default key (positions) as Key maps them: each position p becomes
// Key[p - 1], each row ascending, the rows in order.
QStringList MappedRows(const QStringList &Before, const Row &Key)
{
    std::vector<Row> mapped;
    for (const QString &text : Before) {
        Row row;
        for (const QString &position : text.section(QLatin1Char('|'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            row.push_back(Key[size_t(position.toInt()) - 1]);
        std::sort(row.begin(), row.end());
        mapped.push_back(row);
    }
    std::sort(mapped.begin(), mapped.end());
    QStringList rows;
    for (size_t i = 0; i < mapped.size(); ++i) {
        rows << QString::number(i + 1) + QLatin1Char('|');
        for (int number : mapped[i])
            rows.back() += QStringLiteral("%1 ").arg(number, 2);
    }
    return rows;
}

} // namespace

class SysKeyDialogTest : public SysWindowTest {
protected:
    // The key command through the frame; the dialog is then the active window.
    TfrmSelectKey *OpenKey(TGenSysForm *Window)
    {
        Activate(Window);
        frame->SendToActiveChild(WM_SYS_KEY);
        Settle();
        EXPECT_TRUE(Window->KeyDialog && frame->ActiveChildForm() == Window->KeyDialog);
        return Window->KeyDialog;
    }

    // Handles the notices and activations posted so far, and those they post in turn.
    static void Settle()
    {
        for (int pass = 0; pass < 4; ++pass)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static Row Chosen(const TfrmSelectKey &Dialog) { return Row(Dialog.gbKey->Chosen().begin(), Dialog.gbKey->Chosen().end()); }

    // The dialog has gone and its window is usable and active again.
    void ExpectBack(TGenSysForm *Window)
    {
        EXPECT_EQ(Window->KeyDialog, nullptr);
        EXPECT_EQ(frame->ChildForms(), std::vector<QWidget *>{Window});
        EXPECT_TRUE(Window->isEnabled());
        EXPECT_EQ(frame->ActiveChildForm(), Window);
        EXPECT_TRUE(EnabledMask() & cmdKey);
    }
};

TEST_F(SysKeyDialogTest, TypedNumbersAndRightDragGiveTheKeyInTheirOrder)
{
    // Not every pair: a full system would keep its key ascending.
    TGenSysForm *window = Generate(3, 2, 2);
    const QStringList before = RowTexts(*window);
    TfrmSelectKey *dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(window->isEnabled()) << "the system window waits for its dialog";
    EXPECT_EQ(dialog->eInput->toPlainText(), QStringLiteral(" 1  2  3 "));

    dialog->eInput->setPlainText(QStringLiteral("7 7 12 99 3"));
    dialog->btnReadNums->click();
    EXPECT_EQ(Chosen(*dialog), (Row{7, 12, 3})) << "repeats and numbers above 49 are skipped, the order kept";
    EXPECT_EQ(dialog->txtSelected->toPlainText(), QStringLiteral(" 7 12  3"));
    dialog->gbKey->Button(20)->click();
    EXPECT_FALSE(dialog->btnOK->isEnabled()) << "four numbers for a key of three";
    dialog->gbKey->Button(20)->click();
    testsupport::RightDrag(*dialog->gbKey, 12, 7);
    testsupport::RightDrag(*dialog->gbKey, 3, 30); // 30 is not chosen: it takes no drop
    EXPECT_EQ(Chosen(*dialog), (Row{12, 7, 3}));
    ASSERT_TRUE(dialog->btnOK->isEnabled());

    dialog->btnOK->click();
    Settle();
    EXPECT_EQ(testsupport::GridRowTexts(*window->sgKey, 1), (QStringList{"Klucz", "12", "7", "3"}));
    EXPECT_EQ(RowTexts(*window), MappedRows(before, {12, 7, 3}));
    ExpectBack(window);
}

TEST_F(SysKeyDialogTest, AKeyOfTwelveNumbersMapsEveryRowOfAClassicSystem)
{
    TGenSysForm *window = Generate(12, 6, 22);
    const QStringList before = RowTexts(*window);
    const Row key = {40, 3, 17, 25, 9, 33, 1, 48, 12, 21, 6, 30};
    TfrmSelectKey *dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    dialog->btnReset->click();
    for (int number : key)
        dialog->gbKey->Button(number)->click();
    dialog->btnOK->click();
    Settle();
    const QStringList mapped = MappedRows(before, key);
    EXPECT_EQ(RowTexts(*window), mapped);
    EXPECT_EQ(testsupport::GridRowTexts(*window->sgKey, 1),
              (QStringList{"Klucz", "40", "3", "17", "25", "9", "33", "1", "48", "12", "21", "6", "30"}));

    // The dialog opens again on the new key, in its order; closing it changes nothing.
    dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Chosen(*dialog), key);
    dialog->btnCancel->click();
    Settle();
    EXPECT_EQ(RowTexts(*window), mapped);
    ExpectBack(window);
}

TEST_F(SysKeyDialogTest, OkWithTheSameKeyLeavesTheSystemAndTheWindowUsable)
{
    TGenSysForm *window = Generate(12, 6, 22);
    const QStringList before = RowTexts(*window);
    const int commands = EnabledMask();
    TfrmSelectKey *dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    // Activating the system window brings its dialog forward again; the window offers nothing meanwhile.
    Activate(window);
    Settle();
    EXPECT_EQ(frame->ActiveChildForm(), dialog);
    EXPECT_EQ(EnabledMask() & (cmdParams | cmdKey | cmdAdd), 0);

    dialog->btnOK->click();
    Settle();
    EXPECT_EQ(RowTexts(*window), before);
    ExpectBack(window);
    EXPECT_EQ(EnabledMask(), commands);
    EXPECT_NE(OpenKey(window), nullptr) << "the key command works again";
}

TEST_F(SysKeyDialogTest, ClosingTheSystemWindowOrTheFrameWithTheDialogOpenIsSafe)
{
    // The system window closes its dialog.
    TGenSysForm *window = Generate(12, 6, 22);
    ASSERT_NE(OpenKey(window), nullptr);
    window->Close();
    Settle();
    EXPECT_TRUE(frame->ChildForms().empty());

    // A new key confirmed, and the window closed before the dialog's notices arrive.
    window = Generate(12, 6, 22);
    TfrmSelectKey *dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    dialog->eInput->setPlainText(QStringLiteral("12 11 10 9 8 7 6 5 4 3 2 1"));
    dialog->btnReadNums->click();
    dialog->btnOK->click();
    window->Close();
    Settle();
    EXPECT_TRUE(frame->ChildForms().empty());

    // The frame closes every child, in its own order.
    ASSERT_NE(OpenKey(Generate(12, 6, 22)), nullptr);
    ASSERT_NE(OpenKey(Generate(12, 6, 22)), nullptr);
    script.answerBox(platform::IDYES);
    EXPECT_TRUE(frame->close());
    Settle();
    EXPECT_TRUE(frame->ChildForms().empty());
}

#include "engine/USysGeneral.h"
#include "platform/gui/MessageBox.h"
#include "shell/NumberPad.h"
#include "syswindows/FSelectKey.h"
#include "tests/fixtures/PadDrag.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace {

using Row = std::vector<int>;

Row Numbers(const QString &RowText)
{
    Row numbers;
    for (const QString &part : RowText.section(QLatin1Char('|'), 1).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        numbers.push_back(part.toInt());
    return numbers;
}

QString RowText(int Number, const Row &Numbers)
{
    QString text = QString::number(Number) + QLatin1Char('|');
    for (int number : Numbers)
        text += QStringLiteral("%1 ").arg(number, 2);
    return text;
}

// The rows shown through the default key (positions) as the key maps them: each position p becomes
// Key[p - 1], each row ascending, the rows in order.
QStringList MappedRows(const QStringList &Before, const Row &Key)
{
    std::vector<Row> mapped;
    for (const QString &text : Before) {
        Row row;
        for (int position : Numbers(text))
            row.push_back(Key[size_t(position) - 1]);
        std::sort(row.begin(), row.end());
        mapped.push_back(row);
    }
    std::sort(mapped.begin(), mapped.end());
    QStringList rows;
    for (size_t i = 0; i < mapped.size(); ++i)
        rows << RowText(int(i) + 1, mapped[i]);
    return rows;
}

} // namespace

class SysKeyDialogTest : public SysWindowTest {
protected:
    // The key command through the frame, the dialog then the active window.
    TfrmSelectKey *OpenKey(TGenSysForm *Window)
    {
        Activate(Window);
        frame->SendToActiveChild(WM_SYS_KEY);
        Settle();
        TfrmSelectKey *dialog = Window->KeyDialog;
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(!dialog || frame->ActiveChildForm() == dialog) << "the dialog is the active window";
        return dialog;
    }

    // Handles the notices and activations posted so far, and those they post in turn.
    static void Settle()
    {
        for (int pass = 0; pass < 4; ++pass)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void Click(TfrmSelectKey &Dialog, int Number) { Dialog.gbKey->Button(Number)->click(); }

    static Row Chosen(const TfrmSelectKey &Dialog)
    {
        return Row(Dialog.gbKey->Chosen().begin(), Dialog.gbKey->Chosen().end());
    }

    static Row KeyShown(const TGenSysForm &Window)
    {
        Row key;
        const QStringList cells = GridRow(*Window.sgKey, 1);
        for (qsizetype col = 1; col < cells.size(); ++col)
            key.push_back(cells[col].toInt());
        return key;
    }

    bool KeyDialogShown() const
    {
        for (QWidget *form : frame->ChildForms())
            if (qobject_cast<TfrmSelectKey *>(form))
                return true;
        return false;
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
    EXPECT_EQ(dialog->txtSelected->toPlainText(), QStringLiteral(" 1  2  3"));
    EXPECT_EQ(dialog->eInput->toPlainText(), QStringLiteral(" 1  2  3 "));

    dialog->eInput->setPlainText(QStringLiteral("7 7 12 99 3"));
    dialog->btnReadNums->click();
    EXPECT_EQ(Chosen(*dialog), (Row{7, 12, 3})) << "repeats and numbers above 49 are skipped, the order kept";
    EXPECT_EQ(dialog->txtSelected->toPlainText(), QStringLiteral(" 7 12  3"));
    Click(*dialog, 20);
    EXPECT_FALSE(dialog->btnOK->isEnabled()) << "four numbers for a key of three";
    Click(*dialog, 20);
    EXPECT_TRUE(dialog->btnOK->isEnabled());

    testsupport::RightDrag(*dialog->gbKey, 12, 7);
    EXPECT_EQ(Chosen(*dialog), (Row{12, 7, 3}));
    testsupport::RightDrag(*dialog->gbKey, 3, 30); // 30 is not chosen: it takes no drop
    EXPECT_EQ(Chosen(*dialog), (Row{12, 7, 3}));
    dialog->btnPerm->click();
    Row shuffled = Chosen(*dialog);
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, (Row{3, 7, 12})) << "a permutation keeps the numbers";
    testsupport::RightDrag(*dialog->gbKey, 12, 7);
    dialog->eInput->setPlainText(QStringLiteral("12 7 3"));
    dialog->btnReadNums->click();

    dialog->btnOK->click();
    Settle();
    EXPECT_EQ(window->System->Key, (TDynByteArr{12, 7, 3}));
    EXPECT_EQ(KeyShown(*window), (Row{12, 7, 3}));
    EXPECT_EQ(RowTexts(*window), MappedRows(before, {12, 7, 3}));
    EXPECT_EQ(window->KeyDialog, nullptr);
    EXPECT_FALSE(KeyDialogShown());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(frame->ActiveChildForm(), window);
    EXPECT_TRUE(EnabledMask() & cmdKey);
}

TEST_F(SysKeyDialogTest, AKeyOfTwelveNumbersMapsEveryRowOfAClassicSystem)
{
    TGenSysForm *window = Generate(12, 6, 22);
    const QStringList before = RowTexts(*window);
    ASSERT_EQ(before.size(), 22);
    const Row key = {40, 3, 17, 25, 9, 33, 1, 48, 12, 21, 6, 30};
    TfrmSelectKey *dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    dialog->btnReset->click();
    EXPECT_FALSE(dialog->btnOK->isEnabled());
    for (int number : key)
        Click(*dialog, number);
    dialog->btnOK->click();
    Settle();

    const QStringList expected = MappedRows(before, key);
    EXPECT_EQ(RowTexts(*window), expected);
    EXPECT_EQ(KeyShown(*window), key);

    // The dialog opens again on the new key, in its order; closing it changes nothing.
    dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Chosen(*dialog), key);
    dialog->btnCancel->click();
    Settle();
    EXPECT_EQ(RowTexts(*window), expected);
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(SysKeyDialogTest, OkWithTheSameKeyLeavesTheSystemAndTheWindowUsable)
{
    TGenSysForm *window = Generate(12, 6, 22);
    const QStringList before = RowTexts(*window);
    const int commands = EnabledMask();
    TfrmSelectKey *dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(EnabledMask() & (cmdParams | cmdKey | cmdAdd), 0) << "the system window offers nothing meanwhile";
    // Reactivating the system window brings its dialog forward again.
    Activate(window);
    Settle();
    EXPECT_EQ(frame->ActiveChildForm(), dialog);
    EXPECT_EQ(EnabledMask() & (cmdParams | cmdKey | cmdAdd), 0);

    dialog->btnOK->click();
    Settle();
    EXPECT_EQ(RowTexts(*window), before);
    EXPECT_EQ(window->KeyDialog, nullptr);
    EXPECT_FALSE(KeyDialogShown());
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(frame->ActiveChildForm(), window);
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
    EXPECT_FALSE(KeyDialogShown());

    // The dialog confirmed a new key, and its window closed before the notices arrived.
    window = Generate(12, 6, 22);
    TfrmSelectKey *dialog = OpenKey(window);
    ASSERT_NE(dialog, nullptr);
    dialog->btnDef->click();
    dialog->eInput->setPlainText(QStringLiteral("12 11 10 9 8 7 6 5 4 3 2 1"));
    dialog->btnReadNums->click();
    dialog->btnOK->click();
    window->Close();
    Settle();
    EXPECT_TRUE(frame->ChildForms().empty());

    // The frame closes every child, in its own order.
    window = Generate(12, 6, 22);
    ASSERT_NE(OpenKey(window), nullptr);
    TGenSysForm *other = Generate(12, 6, 22);
    ASSERT_NE(OpenKey(other), nullptr);
    script.answerBox(platform::IDYES);
    EXPECT_TRUE(frame->close());
    Settle();
    EXPECT_TRUE(frame->ChildForms().empty());
}

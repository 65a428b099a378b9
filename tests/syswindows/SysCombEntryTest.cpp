// Combinations entered by hand in a system window: added, or in place of the current row, and the new
// row made the current one.
#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "shell/FSelectComb.h"
#include "shell/NumberPad.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QPlainTextEdit>
#include <QTest>

namespace {

// The dialog step that types Numbers and presses OK; Seen receives the numbers chosen when it opened.
testsupport::ModalScript::DialogStep Enter(QString Numbers, TDynByteArr *Seen = nullptr, QString *Title = nullptr)
{
    return [=](QDialog &Dialog) {
        auto &entry = dynamic_cast<TfrmSelectComb &>(Dialog);
        if (Seen)
            *Seen = entry.gbKey->Chosen();
        if (Title)
            *Title = entry.windowTitle();
        entry.eInput->setPlainText(Numbers);
        entry.btnReadNums->click();
        entry.btnOK->click();
    };
}

QString CurrentRow(const TGenSysForm &Window)
{
    QString numbers;
    Window.sgSystem->GetCellText(1, Window.sgSystem->Row(), numbers);
    return numbers;
}

} // namespace

using SysCombEntryTest = SysWindowTest;

TEST_F(SysCombEntryTest, AddedAndChangedCombinationsBecomeTheCurrentRow)
{
    TGenSysForm *window = Generate(12, 6, 22);
    const int rows = window->ViewCount();
    window->sgSystem->setRow(1);

    QString title;
    script.onDialog(Enter(QStringLiteral("12 11 10 9 8 7"), nullptr, &title));
    sendCommand(window, WM_COMB_ADD);
    EXPECT_EQ(title, QStringLiteral("Nowa kombinacja"));
    ASSERT_EQ(window->ViewCount(), rows + 1);
    EXPECT_EQ(window->sgSystem->RowCount(), rows + 2);
    EXPECT_EQ(CurrentRow(*window), QStringLiteral(" 7  8  9 10 11 12 "));
    EXPECT_NE(window->sgSystem->Row(), 1);

    // Row 1 changed: the dialog opens on its numbers, and the replacement sorts elsewhere.
    window->sgSystem->setRow(1);
    QString first;
    window->sgSystem->GetCellText(1, 1, first);
    TDynByteArr seen;
    script.onDialog(Enter(QStringLiteral("2 4 6 8 10 12"), &seen, &title));
    sendCommand(window, WM_COMB_EDIT);
    EXPECT_EQ(title, QStringLiteral("Edycja kombinacji"));
    std::string shown;
    CombToStr(seen.data(), uint8_t(seen.size()), "%2d ", shown);
    EXPECT_EQ(QString::fromStdString(shown), first);
    EXPECT_EQ(window->ViewCount(), rows + 1);
    EXPECT_EQ(CurrentRow(*window), QStringLiteral(" 2  4  6  8 10 12 "));
    EXPECT_NE(window->sgSystem->Row(), 1);

    // A double click on a row changes it too; cancelling changes nothing.
    const QStringList before = RowTexts(*window);
    const size_t dialogs = script.dialogs().size();
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelectComb &>(Dialog).btnCancel->click(); });
    const TRect cell = window->sgSystem->CellRect(1, 3);
    QTest::mouseDClick(window->sgSystem->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2));
    ASSERT_EQ(script.dialogs().size(), dialogs + 1);
    EXPECT_EQ(script.dialogs().back().Title, QStringLiteral("Edycja kombinacji"));
    EXPECT_EQ(RowTexts(*window), before);
}

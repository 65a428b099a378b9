// User systems imported through the frame, typed in the import dialog or read from a text file, and
// the user system window's rows.
#include "syswindows/FImportSys.h"
#include "syswindows/FSysUser.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLabel>
#include <QTextCursor>

#include <fstream>

namespace {

// Two lines of six numbers, written differently, and a shorter line that does not count.
const QString ThreeLines = QStringLiteral("1 2 3 4 5 6\n7,8,9,10,11,12\n1 2 3");
const QStringList TwoRows = {"1| 1  2  3  4  5  6 ", "2| 7  8  9 10 11 12 "};

} // namespace

class SysUserWindowTest : public SysWindowTest {};

TEST_F(SysUserWindowTest, TheEditorKeepsTextWithoutCombinationsAndImportsTheLinesOfTheFirstLinesSize)
{
    script.answerBox(platform::IDOK);
    script.onDialog([](QDialog &Dialog) {
        auto &import = dynamic_cast<TfrmImportSys &>(Dialog);
        import.btnOk->click();
        EXPECT_NE(import.result(), 1) << "an empty text stays for correction";
        import.RichEdit1->setPlainText(ThreeLines);
        import.RichEdit1->moveCursor(QTextCursor::End);
        EXPECT_EQ(import.lblRow->text(), "3");
        import.RichEdit1->moveCursor(QTextCursor::Start);
        EXPECT_EQ(import.lblRow->text(), "1");
        import.btnOk->click();
    });
    const size_t before = frame->ChildForms().size();
    frame->mFileImportEditor->trigger();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Brak kombinacji.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    ASSERT_EQ(frame->ChildForms().size(), before + 1);
    auto *window = qobject_cast<TfrmSysUser *>(frame->ChildForms().back());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(RowTexts(*window), TwoRows);
    EXPECT_EQ(InfoValues(*window).mid(0, 4), QStringList({"6", "49", "2", "13" + QString(QChar(0x00A0)) + "983" +
                                                                           QString(QChar(0x00A0)) + "816"}));

    // Without rows the window still takes new ones.
    Activate(window);
    window->sgSystem->setSelection({0, 1, 1, 2});
    sendCommand(window, WM_COMB_DELETE);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(RowTexts(*window), QStringList{"|"});
    EXPECT_EQ(EnabledMask(), cmdRead | cmdAdd | cmdLogicalOps);
}

TEST_F(SysUserWindowTest, ATextFileImportedThroughTheFrameOpensItsRowsAndAFileWithoutAnyIsTold)
{
    const std::filesystem::path rows = folder->path() / "rows.txt";
    std::ofstream(rows) << ThreeLines.toStdString() << "\r\n";
    const std::filesystem::path none = folder->path() / "none.txt";
    std::ofstream(none) << "brak liczb\r\n";

    script.answerFileName(QString::fromStdString(rows.string()));
    const size_t before = frame->ChildForms().size();
    frame->mFileImportFile->trigger();
    ASSERT_EQ(frame->ChildForms().size(), before + 1);
    auto *window = qobject_cast<TfrmSysUser *>(frame->ChildForms().back());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RowTexts(*window), TwoRows);

    script.answerFileName(QString::fromStdString(none.string()));
    script.answerBox(platform::IDOK);
    frame->mFileImportFile->trigger();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "W podanym pliku nie znaleziono żadnej kombinacji.");
    EXPECT_EQ(frame->ChildForms().size(), before + 1);
}

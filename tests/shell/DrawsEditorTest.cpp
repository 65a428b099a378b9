// "Edytor losowań" on a short Lotto history: its grid and views, the marks of found numbers and of a
// filter, the range, a save that cannot write, importing and exporting in the game's line format, the
// download's reload and sorting. The road from adding to saving runs on the real history in the
// statistics windows' tests, beside a frequency window.
#include "controls/StringAlignGrid.h"
#include "engine/UDrawsDB.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"
#include "platform/gui/MessageBox.h"
#include "shell/FDrawsEditor.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/WindowOpeners.h"
#include "tests/fixtures/FrameCommands.h"
#include "tests/fixtures/GridTexts.h"
#include "tests/fixtures/RichViewText.h"
#include "tests/shell/ShellTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

constexpr uint8_t LottoId = 1;

// Six draws of Lotto; their sums are 21, 57, 111, 117, 114 and 127.
const std::vector<testsupport::FixtureDraw> History = {
    {EncodeDate(2020, 1, 4), {1, 2, 3, 4, 5, 6}},       // Saturday
    {EncodeDate(2020, 1, 5), {7, 8, 9, 10, 11, 12}},    // Sunday
    {EncodeDate(2020, 1, 8), {1, 7, 13, 20, 30, 40}},   // Wednesday
    {EncodeDate(2020, 1, 11), {2, 8, 14, 21, 31, 41}},  // Saturday
    {EncodeDate(2020, 1, 15), {1, 2, 15, 22, 32, 42}},  // Wednesday
    {EncodeDate(2020, 1, 18), {3, 9, 16, 23, 33, 43}},  // Saturday
};

std::string ReadFile(const std::filesystem::path &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

class DrawsEditorTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        folder->writeDraws("Lotto", History);
    }
    void TearDown() override
    {
        frame.reset();
        ShellTest::TearDown();
    }

    TGameData &Lotto() const { return *Games.GameById(LottoId); }

    // The main window on Lotto with the editor opened through "&Baza losowań".
    TfrmDrawsEditor *OpenEditor()
    {
        frame = std::make_unique<TfrmMain>();
        frame->show();
        frame->cbGame->setCurrentIndex(Games.GameIndexOfId(LottoId));
        frame->mToolDraws->trigger();
        return qobject_cast<TfrmDrawsEditor *>(frame->ActiveChildForm());
    }

    static TCellFormat Format(TStringAlignGrid &Grid, int Col, int Row)
    {
        TCellFormat format;
        Grid.OnGetCellFormat(Col, Row, format);
        return format;
    }

    static void Select(TStringAlignGrid &Grid, int Top, int Bottom)
    {
        Grid.setSelection(TGridRect{0, Top, Grid.ColCount() - 1, Bottom});
    }

    // A "Suma liczb" filter of the sums 100..120 of the find type, marked over the editor's draws as the
    // filter editor leaves them.
    std::unique_ptr<TGroupFilter> SumFilter(TfrmDrawsEditor &Editor)
    {
        auto group = std::make_unique<TGroupFilter>(&Lotto(), 49, 6, TDynByteArr{});
        std::unique_ptr<TFilter> sum = CreateFilter(fltSum, &Lotto(), 49, 6, {});
        static_cast<TCondFilter<TRangeBlock> &>(*sum).Params = TRangeBlock{rmRange, 100, 120};
        group->AddFilter(sum.release(), false);
        group->FindType = true;
        group->Build();
        Editor.DrawsMan->MarkByFilter(*group, nullptr, {});
        return group;
    }

    std::unique_ptr<TfrmMain> frame;
};

TEST_F(DrawsEditorTest, OpensOnTheGameNewestFirstWithSundaysInRed)
{
    TfrmDrawsEditor *editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    TStringAlignGrid &grid = *editor->grid;
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 0), QStringList({"6", "5", "4", "3", "2", "1"}));
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 1), QStringList({"18.01.2020", "15.01.2020", "11.01.2020",
                                                                  "08.01.2020", "05.01.2020", "04.01.2020"}));
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 2), QStringList({"So", "Śr", "So", "Śr", "N", "So"}));
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 3)[0], QStringLiteral(" 3  9 16 23 33 43 "));
    EXPECT_EQ(Format(grid, 2, 5).Font.Color, TColor(0x0000FF));
    EXPECT_NE(Format(grid, 2, 4).Font.Color, TColor(0x0000FF));
    EXPECT_EQ(testsupport::EnabledCommandMask(*frame), cmdRead | cmdReport | cmdFilter | cmdAdd | cmdEdit | cmdDelete);
    // The numbers column fills the grid.
    EXPECT_EQ(grid.CalcGridWidth(true), grid.width());
}

// Found numbers, a filter as a mark and a new range: each view, its marks in the whole view, and the undo.
TEST_F(DrawsEditorTest, FoundNumbersAFilterAndARangeShowTheirViewsAndMarks)
{
    TfrmDrawsEditor *editor = OpenEditor();
    editor->FindNumbers({2, 1});
    EXPECT_EQ(testsupport::GridColumnTexts(*editor->grid, 1), QStringList({"15.01.2020", "04.01.2020"}));
    EXPECT_TRUE(editor->rbViewNums->isChecked());

    editor->rbViewAll->click();
    EXPECT_EQ(editor->lblCount->text(), QStringLiteral("6"));
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(Format(*editor->grid, 3, row).Brush.Color == TColor(0xE1DFAE), row == 2 || row == 6) << row;

    editor->rbViewNums->click();
    editor->btnDelFind->click();
    EXPECT_TRUE(editor->rbViewAll->isChecked());
    EXPECT_EQ(editor->lblCount->text(), QStringLiteral("6"));
    EXPECT_FALSE(editor->rbViewNums->isEnabled());
    EXPECT_NE(Format(*editor->grid, 3, 2).Brush.Color, TColor(0xE1DFAE));

    // Numbers no draw holds: nothing shown, only Add stays on and Delete does nothing.
    editor->FindNumbers({48, 49});
    EXPECT_EQ(editor->grid->RowCount(), 2);
    EXPECT_EQ(testsupport::EnabledCommandMask(*frame), cmdRead | cmdAdd);
    EXPECT_EQ(sendCommand(editor, WM_COMB_DELETE), 1);
    EXPECT_EQ(editor->DrawsMan->Count(), 6);
    editor->btnDelFind->click();

    // The sums 100..120 as a mark fill the "Filtr" tab; removing the filter shows all.
    std::unique_ptr<TGroupFilter> filter = SumFilter(*editor);
    editor->ApplyFilter(*filter, false, false);
    EXPECT_TRUE(editor->rbViewFlt->isChecked());
    EXPECT_EQ(testsupport::GridColumnTexts(*editor->grid, 1),
              QStringList({"15.01.2020", "11.01.2020", "08.01.2020"}));
    EXPECT_EQ(editor->sgFilters->Cells(0, 1), QStringLiteral("F08"));
    EXPECT_EQ(editor->eFilter->text(), QString::fromStdString(filter->GetExpression()));

    editor->rbViewAll->click();
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(Format(*editor->grid, 1, row).Brush.Color == TColor(0xB4CBD6), row >= 2 && row <= 4) << row;

    editor->rbViewFlt->click();
    editor->btnFltDel->click();
    EXPECT_TRUE(editor->rbViewAll->isChecked());
    EXPECT_EQ(editor->lblCount->text(), QStringLiteral("6"));
    EXPECT_TRUE(editor->eFilter->text().isEmpty());
    EXPECT_TRUE(editor->sgFilters->Cells(0, 1).isEmpty());

    // A new range switches the views off and shows all of it unmarked.
    filter = SumFilter(*editor);
    editor->ApplyFilter(*filter, false, false);
    editor->FindNumbers({1});
    script.onDialog([](QDialog &Dialog) {
        auto &range = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        EXPECT_FALSE(range.DefaultMode);
        range.rbFltTypePos->click();
        range.iseIndexFrom->setValue(2);
        range.iseIndexTo->setValue(4);
        range.btnOK->click();
    });
    EXPECT_EQ(sendCommand(editor, WM_DRAWS_RANGE), 1);
    EXPECT_EQ(testsupport::GridColumnTexts(*editor->grid, 1),
              QStringList({"11.01.2020", "08.01.2020", "05.01.2020"}));
    EXPECT_TRUE(editor->rbViewAll->isChecked());
    EXPECT_FALSE(editor->rbViewFlt->isEnabled());
    EXPECT_FALSE(editor->rbViewNums->isEnabled());
    // The rows show unmarked.
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(Format(*editor->grid, 1, row).Brush.Color, Format(*editor->grid, 0, row).Brush.Color);
    // The editor's range is the game's draws-editor range; the default range is untouched.
    EXPECT_EQ(Lotto().DrawsRange.Mode, drIndexes);
    EXPECT_EQ(Lotto().DefRange.Mode, drAll);

    // Cancelled, the handler still answers 1 and nothing changes.
    script.onDialog([](QDialog &Dialog) { Dialog.reject(); });
    EXPECT_EQ(sendCommand(editor, WM_DRAWS_RANGE), 1);
    EXPECT_EQ(editor->lblCount->text(), QStringLiteral("3"));
}

TEST_F(DrawsEditorTest, TheRangeLineFollowsTheRowsAndNoEditIsLostWithoutAQuestion)
{
    TfrmDrawsEditor *editor = OpenEditor();
    const std::string drawsFile = (folder->path() / "Draws" / "LottoDraws").string();
    const std::string saved = ReadFile(drawsFile);
    EXPECT_EQ(testsupport::ViewText(*editor->txtDateDesc), "Liczba losowań: 6;   Okres: 04.01.2020 - 18.01.2020;   ");
    editor->AddDraw({4, 8, 15, 16, 23, 42}, EncodeDate(2020, 1, 22));
    EXPECT_EQ(testsupport::ViewText(*editor->txtDateDesc), "Liczba losowań: 7;   Okres: 04.01.2020 - 22.01.2020;   ");
    // The two newest rows deleted, so one draw of the history would go.
    Select(*editor->grid, 1, 2);
    sendCommand(editor, WM_COMB_DELETE);
    EXPECT_EQ(testsupport::ViewText(*editor->txtDateDesc), "Liczba losowań: 5;   Okres: 04.01.2020 - 15.01.2020;   ");

    // The save says how many draws the history loses; No saves nothing.
    const QString dropQuestion = QStringLiteral("Liczba losowań, które zostaną usunięte z bazy: 1.\n"
                                                "Czy na pewno zapisać zmiany?");
    script.answerBox(platform::IDNO);
    editor->btnWrite->click();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(std::pair(script.boxes()[0].Text, script.boxes()[0].Flags), std::pair(dropQuestion, 292));
    EXPECT_EQ(ReadFile(drawsFile), saved);
    EXPECT_EQ(Lotto().DrawsMan->Count(), 6);
    EXPECT_TRUE(editor->btnWrite->isEnabled());

    // Closing asks whether to save, with Cancel (and Esc): Cancel keeps the window and its edits.
    QMdiSubWindow *holder = qobject_cast<QMdiSubWindow *>(editor->parentWidget());
    const QString closeQuestion = QStringLiteral("Zapisać zmiany w bazie losowań gry Lotto 6 z 49?");
    script.answerBox(platform::IDCANCEL);
    EXPECT_FALSE(holder->close());
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(std::pair(script.boxes()[1].Text, script.boxes()[1].Flags), std::pair(closeQuestion, 35));
    EXPECT_EQ(frame->ChildForms().size(), 1u);
    EXPECT_EQ(editor->DrawsMan->Count(), 5);
    EXPECT_TRUE(editor->btnWrite->isEnabled());
    // A save refused at the drop question keeps the window open too.
    script.answerBox(platform::IDYES);
    script.answerBox(platform::IDNO);
    EXPECT_FALSE(holder->close());
    ASSERT_EQ(script.boxes().size(), 4u);
    EXPECT_EQ(script.boxes()[3].Text, dropQuestion);
    EXPECT_EQ(frame->ChildForms().size(), 1u);

    // Yes and Yes: saved, and the window closes.
    script.answerBox(platform::IDYES);
    script.answerBox(platform::IDYES);
    EXPECT_TRUE(holder->close());
    EXPECT_EQ(script.boxes().size(), 6u);
    EXPECT_EQ(Lotto().DrawsMan->Count(), 5);
    EXPECT_NE(ReadFile(drawsFile), saved);

    // A window whose edits are dropped closes after No; one without unsaved edits, without a word.
    const auto reopen = [this] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frame->mToolDraws->trigger();
        return qobject_cast<TfrmDrawsEditor *>(frame->ActiveChildForm());
    };
    editor = reopen();
    ASSERT_NE(editor, nullptr);
    holder = qobject_cast<QMdiSubWindow *>(editor->parentWidget());
    Select(*editor->grid, 1, 1);
    sendCommand(editor, WM_COMB_DELETE);
    script.answerBox(platform::IDNO);
    EXPECT_TRUE(holder->close());
    EXPECT_EQ(script.boxes().size(), 7u);
    EXPECT_EQ(Lotto().DrawsMan->Count(), 5);
    editor = reopen();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(qobject_cast<QMdiSubWindow *>(editor->parentWidget())->close());
    EXPECT_EQ(script.boxes().size(), 7u);
}

TEST_F(DrawsEditorTest, ASaveThatCannotWriteChangesNothingAndTellsNoOne)
{
    TfrmDrawsEditor *editor = OpenEditor();
    auto *recorder = new RecordingChild;
    AddChildForm(recorder);
    frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(editor->parentWidget()));
    Select(*editor->grid, 1, 1);
    sendCommand(editor, WM_COMB_DELETE);
    // A folder where the draws file belongs: not writable even for root.
    const std::filesystem::path drawsFile = folder->path() / "Draws" / "LottoDraws";
    std::filesystem::remove(drawsFile);
    std::filesystem::create_directory(drawsFile);

    script.answerBox(platform::IDYES);
    script.answerBox(platform::IDOK);
    editor->btnWrite->click();
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_TRUE(script.boxes()[1].Text.startsWith(QStringLiteral("Nie można zapisać pliku.")));
    EXPECT_EQ(script.boxes()[1].Flags, 48);
    EXPECT_EQ(Lotto().DrawsMan->Count(), 6);
    EXPECT_TRUE(editor->btnWrite->isEnabled());
    EXPECT_TRUE(recorder->Commands.empty());
}

TEST_F(DrawsEditorTest, ImportAppendsOnlyGoodNewerDrawsInTheGamesLineFormat)
{
    TfrmDrawsEditor *editor = OpenEditor();
    // A file without draws and one that cannot be read (a folder) import nothing and say so.
    folder->writeFile("empty.txt", "nothing\r\n");
    for (const char *name : {"empty.txt", "Draws"}) {
        script.answerFileName(QString::fromStdString((folder->path() / name).string()));
        script.answerBox(platform::IDOK);
        editor->btnImportFile->click();
    }
    ASSERT_EQ(script.boxes().size(), 2u);
    for (const auto &box : script.boxes())
        EXPECT_EQ(std::pair(box.Text, box.Flags), std::pair(QStringLiteral("W wybranym pliku nie ma żadnych losowań."), 48));
    EXPECT_EQ(editor->DrawsMan->Count(), 6);
    EXPECT_FALSE(editor->btnWrite->isEnabled());

    // A line format of the game's own, unlike the draws file's.
    TDrawsFormat &line = Lotto().Info.Line;
    line.DateOrder = "DMR";
    line.DateSep = ".";
    line.NumberSep = ",";
    folder->writeFile("import.txt", "1;22.01.2020;1,2,3,4,5,7;\r\n"    // appended
                                    "2;25.01.2020;1,2,3,4,5;\r\n"      // five numbers
                                    "3;29.01.2020;1,2,3,4,5,50;\r\n"   // 50 is out of the game
                                    "4;01.02.2020;1,1,3,4,5,6;\r\n"    // a number twice
                                    "5;22.01.2020;9,10,11,12,13,14;\n" // the date again: the first wins
                                    "6;12.01.2020;5,6,7,8,9,10;\r\n"   // before the last draw
                                    "7;18.01.2020;5,6,7,8,9,11;\r\n"   // the last draw's date
                                    "no draw here\r\n"
                                    "8;31.02.2020;1,2,3,4,5,6;\r\n"    // no such day
                                    "10;30.01.2020;1,2,3,4,5,6,7;\r\n" // more numbers than drawn
                                    "\r\n"
                                    "9;05.02.2020;42,41,40,30,20,10;"); // appended, no line end
    script.answerFileName(QString::fromStdString((folder->path() / "import.txt").string()));
    script.answerBox(platform::IDOK);
    editor->btnImportFile->click();
    ASSERT_EQ(script.boxes().size(), 3u);
    // Every line that gave no draw but the blank one; the draws older than the history's last are not
    // lines skipped.
    EXPECT_EQ(std::pair(script.boxes()[2].Text, script.boxes()[2].Flags),
              std::pair(QStringLiteral("Liczba pominiętych wierszy pliku: 7."), 48));
    EXPECT_EQ(editor->lblAllCount->text(), QStringLiteral("8"));
    EXPECT_EQ(testsupport::GridColumnTexts(*editor->grid, 1).mid(0, 2),
              QStringList({"05.02.2020", "22.01.2020"}));
    EXPECT_EQ(testsupport::GridColumnTexts(*editor->grid, 3)[0], QStringLiteral("10 20 30 40 41 42 "));
    EXPECT_TRUE(editor->btnWrite->isEnabled());

    // Exported in the game's format, oldest first; imported into an emptied copy, it exports the same.
    const std::string exported = (folder->path() / "exported").string();
    const auto exportText = [&] {
        script.answerFileName(QString::fromStdString(exported));
        editor->btnExportFile->click();
        return ReadFile(exported + ".txt");
    };
    const std::string text = exportText();
    EXPECT_EQ(text, "1;04.01.2020;1,2,3,4,5,6;\r\n"
                    "2;05.01.2020;7,8,9,10,11,12;\r\n"
                    "3;08.01.2020;1,7,13,20,30,40;\r\n"
                    "4;11.01.2020;2,8,14,21,31,41;\r\n"
                    "5;15.01.2020;1,2,15,22,32,42;\r\n"
                    "6;18.01.2020;3,9,16,23,33,43;\r\n"
                    "7;22.01.2020;1,2,3,4,5,7;\r\n"
                    "8;05.02.2020;10,20,30,40,41,42;\r\n");
    Select(*editor->grid, 1, 8);
    sendCommand(editor, WM_COMB_DELETE);
    ASSERT_EQ(editor->DrawsMan->Count(), 0);
    script.answerFileName(QString::fromStdString(exported + ".txt"));
    editor->btnImportFile->click();
    EXPECT_EQ(exportText(), text);
}

TEST_F(DrawsEditorTest, AnExportThatCannotWriteSaysSoAndTheDrawsFileKeepsItsFormat)
{
    TfrmDrawsEditor *editor = OpenEditor();
    Lotto().Info.Line.FieldSep = " ";
    script.answerFileName(QString::fromStdString((folder->path() / "missing" / "draws.txt").string()));
    script.answerBox(platform::IDOK);
    editor->btnExportFile->click();
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_TRUE(script.boxes()[0].Text.startsWith(QStringLiteral("Nie można zapisać pliku.")));

    Select(*editor->grid, 2, 6);
    sendCommand(editor, WM_COMB_DELETE);
    script.answerBox(platform::IDYES);
    editor->btnWrite->click();
    EXPECT_EQ(ReadFile(folder->path() / "Draws" / "LottoDraws"), "1;2020-01-18;3;9;16;23;33;43;\r\n");
}

TEST_F(DrawsEditorTest, DownloadedDrawsOfItsGameReplaceTheEdits)
{
    TfrmDrawsEditor *editor = OpenEditor();
    Select(*editor->grid, 1, 2);
    sendCommand(editor, WM_COMB_DELETE);
    editor->FindNumbers({1});

    BroadcastToChildren(WM_DRAWS_DOWNLOADED, 2, 0, false);
    EXPECT_EQ(editor->DrawsMan->Count(), 4);
    EXPECT_TRUE(editor->rbViewNums->isChecked());

    // "&Import z sieci...": a download that merges one new draw into the game and posts the notice.
    TWindowOpeners openers;
    openers.DrawsUpdate = [this](QWidget *Owner) {
        EXPECT_EQ(Owner, frame.get());
        Lotto().DrawsMan->AddDraw({4, 8, 15, 16, 23, 42}, EncodeDate(2020, 1, 22));
        BroadcastToChildren(WM_DRAWS_DOWNLOADED, LottoId, 0, true);
    };
    InstallWindowOpeners(std::move(openers));
    editor->btnImportNet->click();
    InstallWindowOpeners({});
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(editor->DrawsMan->Count(), 7);
    EXPECT_TRUE(editor->rbViewAll->isChecked());
    EXPECT_FALSE(editor->rbViewNums->isEnabled());
    // Every draw of the range, the oldest first.
    EXPECT_EQ(testsupport::GridColumnTexts(*editor->grid, 0),
              QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(testsupport::GridColumnTexts(*editor->grid, 1).last(), QStringLiteral("22.01.2020"));
    // The replaced edits are gone: closing asks nothing.
    const size_t boxes = script.boxes().size();
    EXPECT_TRUE(editor->parentWidget()->close());
    EXPECT_EQ(script.boxes().size(), boxes);
}

TEST_F(DrawsEditorTest, HeaderClicksSortByDateDayAndNumbers)
{
    TfrmDrawsEditor *editor = OpenEditor();
    TStringAlignGrid &grid = *editor->grid;
    const auto click = [&grid](int Col) {
        TSortCol &entry = grid.SortCols[size_t(Col)];
        entry.Direction = entry.Direction == 1 ? -1 : 1;
        grid.OnSortColumn(&grid, Col, entry);
    };
    click(1);
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 0), QStringList({"1", "2", "3", "4", "5", "6"}));
    click(2);
    // Equal days: the later date first.
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 2), QStringList({"N", "So", "So", "So", "Śr", "Śr"}));
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 0), QStringList({"2", "6", "4", "1", "5", "3"}));
    click(2);
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 0), QStringList({"5", "3", "6", "4", "1", "2"}));
    click(3);
    EXPECT_EQ(testsupport::GridColumnTexts(grid, 0), QStringList({"2", "6", "4", "3", "5", "1"}));
}

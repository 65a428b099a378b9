// The saved filter sets window: which files it lists, its order, the chosen sets read into the filter
// editor, and deleting.
#include "controls/ExtListView.h"
#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/UGlobalFiles.h"
#include "engine/UFilters.h"
#include "engine/UFltValue.h"
#include "engine/USysGeneral.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalStartup.h"
#include "syswindows/FFilter.h"
#include "syswindows/FFilterRead.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

platform::Bytes ReadBytes(const std::string &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return platform::Bytes(std::istreambuf_iterator<char>(in), {});
}

// Writes Bytes with their checksum refitted to the changed content.
void WriteRefitted(const std::string &Path, platform::Bytes Bytes)
{
    const uint32_t crc = StreamCRC(Bytes, true);
    std::memcpy(Bytes.data() + Bytes.size() - 4, &crc, 4);
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char *>(Bytes.data()), std::streamsize(Bytes.size()));
}

constexpr size_t DateOffset = 6;
constexpr size_t CommentLengthOffset = 6 + 8 + 256;

} // namespace

class FilterReadTest : public SysWindowTest {
protected:
    TGameData *Lotto() const { return Games.GameById(LottoId); }

    void SaveSet(const std::string &Name, const std::string &Title, const std::string &Comment,
                 std::initializer_list<uint32_t> Kinds, double Date)
    {
        TFilterList list;
        InitFilterList(list);
        for (uint32_t kind : Kinds)
            list.AddItem(CreateFilter(kind, Lotto(), 49, 6, {}).release(), false);
        ASSERT_TRUE(SaveFilterSet(list, FiltersDir + Name, Title, Comment));
        platform::Bytes bytes = ReadBytes(FiltersDir + Name);
        std::memcpy(bytes.data() + DateOffset, &Date, sizeof Date);
        WriteRefitted(FiltersDir + Name, bytes);
    }

    // L1 "Beta" (sum, even) of day 45000; L5 "Beta" (sum) of day 44000; L6 "alfa" (sum, span); L2 a system
    // file; L3 L1 with a changed byte; L4 L1 with a comment length past its end, the checksum fitted.
    void SaveFiles()
    {
        fs::create_directories(FiltersDir);
        SaveSet("L1.dat", "Beta", "nowszy", {fltSum, fltPar}, 45000.5);
        SaveSet("L5.dat", "Beta", "starszy", {fltSum}, 44000);
        SaveSet("L6.dat", "alfa", "pierwszy", {fltSum, fltDist}, 44500);
        TGenSysForm *window = Generate(9, 6, 5);
        ASSERT_TRUE(window->System->SaveToFile(FiltersDir + "L2.dat", "System", ""));
        platform::Bytes bytes = ReadBytes(FiltersDir + "L1.dat");
        bytes[bytes.size() - 6] ^= 1;
        std::ofstream(FiltersDir + "L3.dat", std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        bytes = ReadBytes(FiltersDir + "L1.dat");
        const uint32_t length = uint32_t(bytes.size());
        std::memcpy(bytes.data() + CommentLengthOffset, &length, 4);
        WriteRefitted(FiltersDir + "L4.dat", bytes);
    }

    static QString Name(const TfrmFilterRead &Dialog, int Row)
    {
        return QString::fromStdString(fs::path(Dialog.Object(Row).FileName).filename().string());
    }

    static void Select(TfrmFilterRead &Dialog, std::initializer_list<int> Rows)
    {
        Dialog.lvObjs->clearSelection();
        for (int row : Rows)
            Dialog.lvObjs->selectionModel()->select(Dialog.lvObjs->Model()->index(row, 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    TFilterList scratch;
};

TEST_F(FilterReadTest, OnlySoundFilterSetsAreListedEqualTitlesByDateAndTheChosenSetShown)
{
    SaveFiles();
    InitFilterList(scratch);
    TfrmFilterRead dialog;
    dialog.Init(Lotto(), 49, &scratch, 6);
    dialog.show();
    TdfsExtListView &list = *dialog.lvObjs;
    ASSERT_EQ(list.ItemCount(), 3);
    EXPECT_EQ(QStringList({Name(dialog, 0), Name(dialog, 1), Name(dialog, 2)}),
              QStringList({"L6.dat", "L5.dat", "L1.dat"}));
    EXPECT_EQ(list.Item(2).SubItem(0), "2");
    EXPECT_EQ(list.ColumnCaption(0), "Nazwa filtru+");

    // The first row shown: its comment, filters and expression.
    EXPECT_EQ(dialog.Memo1->toPlainText(), "pierwszy");
    ASSERT_EQ(scratch.Count(), 2);
    EXPECT_EQ(dialog.sgFlts->RowCount(), 3);
    EXPECT_EQ(dialog.sgFlts->Cells(0, 1), QStringLiteral("F%1").arg(scratch.GetItem(0)->DisplayNo, 2, 10, QChar('0')));
    EXPECT_EQ(dialog.sgFlts->Cells(2, 2), QString::fromStdString(scratch.GetItem(1)->GetDescription()));
    EXPECT_EQ(dialog.eSym->text().toStdString(), FilterListExpression(scratch));

    // By count, then title, then date; the marked column again: descending.
    list.ColumnClick(1);
    EXPECT_EQ(QStringList({Name(dialog, 0), Name(dialog, 1), Name(dialog, 2)}),
              QStringList({"L5.dat", "L6.dat", "L1.dat"}));
    EXPECT_EQ(list.ColumnCaption(1), "Liczba filtrów+");
    EXPECT_EQ(list.ColumnCaption(0), "Nazwa filtru");
    list.ColumnClick(1);
    EXPECT_EQ(Name(dialog, 0), "L1.dat");
    EXPECT_EQ(list.ColumnCaption(1), "Liczba filtrów-");
    list.ColumnClick(2);
    EXPECT_EQ(QStringList({Name(dialog, 0), Name(dialog, 1), Name(dialog, 2)}),
              QStringList({"L5.dat", "L6.dat", "L1.dat"}));
}

TEST_F(FilterReadTest, SeveralChosenSetsComeBackInListOrderAndLoadIntoTheEditorWithoutDuplicates)
{
    SaveFiles();
    TGenSysForm *window = OpenClassic();
    AnswerParams(10, 6, 210);
    sendCommand(window, WM_SYS_PARAMS);
    WaitForGeneration(window);
    script.onDialog([](QDialog &Dialog) {
        auto &F = dynamic_cast<TfrmFilter &>(Dialog);
        F.btnReadFlts->click();
        // "alfa" (sum, span) and the later "Beta" (sum, even): the sum once.
        ASSERT_EQ(F.SelectedFilters().Count(), 3);
        std::vector<uint32_t> kinds;
        for (int i = 0; i < 3; ++i)
            kinds.push_back(F.SelectedFilters().GetItem(i)->Kind);
        EXPECT_EQ(kinds, (std::vector<uint32_t>{fltPar, fltDist, fltSum}));
        EXPECT_TRUE(F.Stale);
        EXPECT_TRUE(F.btnDoFilter->isEnabled());
        F.btnCancel->click();
    });
    script.onDialog([this](QDialog &Dialog) {
        auto &read = dynamic_cast<TfrmFilterRead &>(Dialog);
        read.lvObjs->clearSelection();
        EXPECT_FALSE(read.btnRead->isEnabled());
        // A double click beside the rows.
        emit read.lvObjs->doubleClicked(QModelIndex());
        EXPECT_EQ(read.result(), 0) << "nothing selected";
        Select(read, {2, 0});
        read.btnRead->click();
        EXPECT_EQ(read.FileNames, (std::vector<std::string>{FiltersDir + "L6.dat", FiltersDir + "L1.dat"}));
    });
    script.answerBox(platform::IDOK);
    sendCommand(window, WM_SYS_FILTER);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie wybrano żadnego filtru.");
}

TEST_F(FilterReadTest, DeletingSelectsTheRowInItsPlaceAndDeleteAllAsksFirst)
{
    SaveFiles();
    InitFilterList(scratch);
    TfrmFilterRead dialog;
    dialog.Init(Lotto(), 49, &scratch, 6);
    dialog.show();
    Select(dialog, {0, 1});
    dialog.btnDelete->click();
    EXPECT_FALSE(fs::exists(FiltersDir + "L6.dat"));
    EXPECT_FALSE(fs::exists(FiltersDir + "L5.dat"));
    ASSERT_EQ(dialog.lvObjs->ItemCount(), 1);
    EXPECT_EQ(dialog.lvObjs->SelectedIndex(), 0);
    EXPECT_EQ(dialog.Memo1->toPlainText(), "nowszy");
    EXPECT_EQ(scratch.Count(), 2);

    script.answerBox(platform::IDNO);
    dialog.btnDelAll->click();
    EXPECT_TRUE(fs::exists(FiltersDir + "L1.dat"));
    script.answerBox(platform::IDYES);
    dialog.btnDelAll->click();
    EXPECT_FALSE(fs::exists(FiltersDir + "L1.dat"));
    EXPECT_EQ(dialog.lvObjs->ItemCount(), 0);
    EXPECT_EQ(scratch.Count(), 0);
    EXPECT_EQ(dialog.eSym->text(), "");
    EXPECT_FALSE(dialog.btnDelAll->isEnabled());
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[1].Text, "Czy na pewno usunąć wszystkie filtry?");
    EXPECT_EQ(script.boxes()[1].Flags, 292);
    for (const char *kept : {"L2.dat", "L3.dat", "L4.dat"})
        EXPECT_TRUE(fs::exists(FiltersDir + kept)) << kept;
}

// A sum of 60..90 saved over the whole game, read into a full 6/8 system whose sums run from 21 to 33:
// listed, read, shown and kept with the limits it was saved with; it passes no row, which OK refuses.
TEST_F(FilterReadTest, ASetBeyondThePoolsReachKeepsItsLimitsAndPassesNothing)
{
    fs::create_directories(FiltersDir);
    TFilterList list;
    InitFilterList(list);
    std::unique_ptr<TFilter> sum = CreateFilter(fltSum, Lotto(), 49, 6, {});
    static_cast<TFltValueRange &>(*sum).Params = {rmRange, 60, 90};
    list.AddItem(sum.release(), false);
    ASSERT_TRUE(SaveFilterSet(list, FiltersDir + "L1.dat", "Suma", ""));
    TGenSysForm *window = GenerateIn(OpenBySelector(3), 8, 6, 0);
    ASSERT_EQ(window->ViewCount(), 28);

    const auto limits = [](const TFilter &Filter) { return static_cast<const TFltValueRange &>(Filter).Params; };
    script.onDialog([&](QDialog &Dialog) {
        auto &F = dynamic_cast<TfrmFilter &>(Dialog);
        F.btnReadFlts->click();
        ASSERT_EQ(F.SelectedFilters().Count(), 1);
        const TFilter &read = *F.SelectedFilters().GetItem(0);
        EXPECT_EQ(limits(read), (TRangeBlock{rmRange, 60, 90}));
        EXPECT_EQ(F.sgSelFlts->Cells(2, 1), QStringLiteral("Suma liczb: od 60 do 90; "));
        // The editor shows the limits and keeps them when only the link changes.
        EXPECT_EQ(F.F_seFrom1->Value(), 60);
        EXPECT_EQ(F.F_seTo1->Value(), 90);
        F.rbOR->setChecked(true);
        F.btnChangeFlt->click();
        EXPECT_FALSE(read.AndMode);
        EXPECT_EQ(limits(read), (TRangeBlock{rmRange, 60, 90}));
        Run(F);
        EXPECT_EQ(F.eTrueComb->text(), QStringLiteral("0"));
        F.btnOK->click();
        EXPECT_EQ(F.result(), 0);
        F.btnCancel->click();
    });
    script.onDialog([](QDialog &Dialog) {
        auto &read = dynamic_cast<TfrmFilterRead &>(Dialog);
        EXPECT_EQ(read.sgFlts->Cells(2, 1), QStringLiteral("Suma liczb: od 60 do 90; "));
        read.btnRead->click();
    });
    script.answerBox(platform::IDOK);
    sendCommand(window, WM_SYS_FILTER);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Liczba kombinacji po filtrowaniu musi być większa od 0.");
    EXPECT_EQ(window->ViewCount(), 28);
}

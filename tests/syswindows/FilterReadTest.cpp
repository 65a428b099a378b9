// The saved filter sets window: which files it lists, its order, the chosen sets read into the filter
// editor, and deleting.
#include "controls/ExtListView.h"
#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramParams.h"
#include "core/UGlobalFiles.h"
#include "engine/FilterQuantities.h"
#include "engine/UFilters.h"
#include "engine/UFltValue.h"
#include "engine/USysGeneral.h"
#include "engine/USysUser.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalStartup.h"
#include "syswindows/FFilter.h"
#include "syswindows/FFilterRead.h"
#include "syswindows/FWriteFile.h"
#include "syswindows/FilterEditorKinds.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>

#include <algorithm>
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

// A filter-set file but the date of saving and the checksum over it.
platform::Bytes Undated(const std::string &Path)
{
    const platform::Bytes bytes = ReadBytes(Path);
    if (bytes.size() < DateOffset + 8 + 4)
        return bytes;
    platform::Bytes undated(bytes.begin(), bytes.end() - 4);
    std::fill_n(undated.begin() + DateOffset, 8, 0);
    return undated;
}

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

// A sum of 25..40 saved over every combination of 10 numbers (sums 21..45), read into a full 6/8 system
// (sums 21..33) and saved again untouched: the second file holds what the first does, and read back
// over the first system it passes the rows the first did.
TEST_F(FilterReadTest, ASetReadOverASmallPoolIsSavedAgainAsItWasSaved)
{
    TGenSysForm *wide = Generate(10, 6, 210);
    TGenSysForm *narrow = GenerateIn(OpenBySelector(3), 8, 6, 0);
    ASSERT_EQ(narrow->ViewCount(), 28);
    const auto passing = [wide](int From, int To) {
        int count = 0;
        for (int i = 0; i < wide->System->ViewCount(); ++i) {
            const int32_t sum = CombSum(wide->System->GetComb(i, true), 6);
            count += From <= sum && sum <= To ? 1 : 0;
        }
        return count;
    };
    ASSERT_NE(passing(25, 40), passing(25, 33));
    const auto name = [](QDialog &Dialog) {
        auto &write = dynamic_cast<TfrmWriteFile &>(Dialog);
        write.Edit1->setText(QStringLiteral("Suma"));
        write.btnSave->click();
    };
    const auto choose = [](const std::string &File) {
        return [File](QDialog &Dialog) {
            auto &read = dynamic_cast<TfrmFilterRead &>(Dialog);
            for (int row = 0; row < read.lvObjs->ItemCount(); ++row)
                if (read.Object(row).FileName == File)
                    Select(read, {row});
            read.btnRead->click();
        };
    };
    const auto newFile = [](const TStrArray &Before) {
        TStrArray files;
        ListFiles(FiltersDir + "*.*", files);
        for (const std::string &file : files)
            if (std::find(Before.begin(), Before.end(), file) == Before.end())
                return FiltersDir + file;
        return std::string();
    };

    OnEditor([](TfrmFilter &F) {
        AddSum(F, 25, 40);
        F.btnWriteFlts->click();
        F.btnCancel->click();
    });
    script.onDialog(name);
    sendCommand(wide, WM_SYS_FILTER);
    const std::string first = newFile({});
    ASSERT_FALSE(first.empty());

    OnEditor([](TfrmFilter &F) {
        F.btnReadFlts->click();
        ASSERT_EQ(F.SelectedFilters().Count(), 1);
        EXPECT_EQ(F.sgSelFlts->Cells(2, 1), QStringLiteral("Suma liczb: od 25 do 40; "));
        EXPECT_EQ(SpinValue(F.F_seFrom1), 25);
        EXPECT_EQ(SpinValue(F.F_seTo1), 40);
        F.btnWriteFlts->click();
        F.btnCancel->click();
    });
    script.onDialog(choose(first));
    script.onDialog(name);
    sendCommand(narrow, WM_SYS_FILTER);
    const std::string second = newFile({fs::path(first).filename().string()});
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(Undated(second), Undated(first));

    OnEditor([&](TfrmFilter &F) {
        F.btnReadFlts->click();
        Run(F);
        EXPECT_EQ(F.PassCount, passing(25, 40));
        F.btnCancel->click();
    });
    script.onDialog(choose(second));
    sendCommand(wide, WM_SYS_FILTER);
}

// Every kind whose limits depend on the pool or on the numbers per bet, saved over the whole game with
// limits that a user system of 3 of 8 numbers can reach only in part: read into the editor over that
// system and saved again, each record comes back as it was saved.
TEST_F(FilterReadTest, EveryKindsLimitsBeyondThePoolsReachAreSavedAgainAsStored)
{
    struct TKindLimits {
        uint32_t Kind;
        TRangeBlock Row1; // for "Cyfry" the digit kind in Mode; for the position kinds the position in Min
        TRangeBlock Row2;
    };
    const TKindLimits kinds[] = {
        {fltSucc, {rmRange, 0, 3}, {rmRange, 2, 6}},     {fltSum, {rmRange, 10, 40}, {}},
        {fltSDigit1, {rmRange, 0, 5}, {}},               {fltSDigit2, {rmRange, 3, 30}, {}},
        {fltSDigit12, {rmRange, 3, 30}, {}},             {fltDist, {rmRange, 1, 20}, {}},
        {fltDigit, {1, 0, 0}, {rmRange, 1, 6}},          {fltDiffs, {rmRange, 0, 5}, {rmRange, 1, 10}},
        {fltDBCN, {}, {rmRange, 2, 6}},                  {fltGDigit1, {rmRange, 1, 5}, {rmRange, 2, 6}},
        {fltGDigit2, {rmRange, 1, 6}, {rmRange, 2, 5}},  {fltDiffPos, {rmExact, 5, 5}, {rmRange, 1, 10}},
        {fltNumPos, {rmExact, 6, 6}, {rmRange, 1, 49}},  {fltDiffsConf, {rmRange, 0, 3}, {rmRange, 2, 5}},
    };
    fs::create_directories(FiltersDir);
    TFilterList saved;
    InitFilterList(saved);
    for (const TKindLimits &kind : kinds) {
        std::unique_ptr<TFilter> filter = CreateFilter(kind.Kind, Lotto(), 49, 6, {});
        TFilterEditValues values = GetEditValues(*filter);
        values.Relation1 = kind.Row1.Mode;
        values.From1 = kind.Row1.Min;
        values.To1 = kind.Row1.Max;
        values.Relation2 = kind.Row2.Mode;
        values.From2 = kind.Row2.Min;
        values.To2 = kind.Row2.Max;
        SetEditValues(*filter, values);
        saved.AddItem(filter.release(), false);
    }
    ASSERT_TRUE(SaveFilterSet(saved, FiltersDir + "L1.dat", "Granice", ""));

    TSysUser system(Lotto());
    system.TSystem::SetParams(8, 3);
    TfrmFilter dialog;
    dialog.Init(Lotto(), 1, &system, Lotto()->DrawsMan.get(), Limits.MaxComb);
    OnEditor([](TfrmFilter &F) {
        F.btnReadFlts->click();
        F.btnWriteFlts->click();
        F.btnCancel->click();
    });
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmFilterRead &>(Dialog).btnRead->click(); });
    script.onDialog([](QDialog &Dialog) {
        auto &write = dynamic_cast<TfrmWriteFile &>(Dialog);
        write.Edit1->setText(QStringLiteral("Granice"));
        write.btnSave->click();
    });
    platform::execModal(dialog);

    TFilterList again;
    InitFilterList(again);
    ASSERT_TRUE(LoadFilterSet(again, Lotto(), 49, 6, {}, FiltersDir + "L2.dat", TFilterRecordRead::AsStored));
    ASSERT_EQ(again.Count(), saved.Count());
    for (int i = 0; i < saved.Count(); ++i)
        EXPECT_EQ(again.GetItem(i)->GetDescription(), saved.GetItem(i)->GetDescription())
            << saved.GetItem(i)->GetName();
    EXPECT_EQ(Undated(FiltersDir + "L2.dat"), Undated(FiltersDir + "L1.dat"));
}

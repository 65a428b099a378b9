// The saved-systems window: what it lists, its sorts and marks, deleting, and opening the chosen files.
#include "controls/ExtListView.h"
#include "core/UGlobalThreads.h"
#include "engine/UGuaranty.h"
#include "shell/FGlobalStartup.h"
#include "syswindows/FGuarSysShort.h"
#include "syswindows/FReadFile.h"
#include "tests/syswindows/HistoryTestSupport.h"

#include <QPlainTextEdit>
#include <QStandardItemModel>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

TBlock Group(std::vector<uint8_t> Numbers, int Hits)
{
    TBlock group;
    group.Size = uint8_t(Numbers.size());
    group.Hits = uint8_t(Hits);
    group.Numbers = std::move(Numbers);
    return group;
}

QStringList Row(const TdfsExtListView &List, int Index)
{
    QStringList texts{List.Item(Index).Caption()};
    for (int i = 0; i < 4; ++i)
        texts << List.Item(Index).SubItem(i);
    return texts;
}

QStringList Captions(const TdfsExtListView &List)
{
    QStringList captions;
    for (int i = 0; i < List.ColumnCount(); ++i)
        captions << List.ColumnCaption(i);
    return captions;
}

} // namespace

class ReadFileTest : public HistoryTest {
protected:
    // Data/L1.dat: the generated classic system "Zeta"; L2.dat: a guarantee set of it, "alfa"; L4.dat: L1
    // of a game that is not defined.
    void SaveFiles()
    {
        source = Generate(9, 6, 5);
        fs::create_directories(DataDir);
        ASSERT_TRUE(source->System->SaveToFile(DataDir + "L1.dat", "Zeta", "komentarz Z"));
        TSetGuaranty set(&Lotto(), 0.1, *source->System);
        set.Add(std::make_unique<TGuaranty>(&Lotto(), TProgressProc(),
                                            TBlocks{Group({1, 2, 3, 4, 5, 6, 7, 8, 9}, 6)}, *source->System));
        TMyThread2 worker;
        CalcSetGuaranty(set, worker, [](int, int) {});
        ASSERT_TRUE(set.SaveToFile(DataDir + "L2.dat", "alfa", "gwarancja"));
        savedRows = set.GetItem(0).RowCount();
        savedVectors = int(set.GetItem(0).Vectors.size());
        platform::Bytes bytes = histtest::readAll(DataDir + "L1.dat");
        bytes[3] = 99;
        bytes.resize(bytes.size() - 4);
        histtest::put(bytes, StreamCRC(bytes, false), 4);
        histtest::writeAll(DataDir + "L4.dat", bytes);
    }

    TGenSysForm *source = nullptr;
    int savedRows = 0;
    int savedVectors = 0;
};

TEST_F(ReadFileTest, ListsSoundFilesOfKnownGamesWithSortsAndMarks)
{
    SaveFiles();
    TfrmReadFile dialog;
    dialog.show();
    TdfsExtListView &list = *dialog.lvObjs;
    ASSERT_EQ(list.ItemCount(), 2);
    const QString game = QString::fromStdString(Lotto().Info.ShortName);
    EXPECT_EQ(Row(list, 0).mid(0, 4), (QStringList{"alfa", "Gwarancja", game, "Skróc. - klasyczny"}));
    EXPECT_EQ(Row(list, 1).mid(0, 4), (QStringList{"Zeta", "System", game, "Skróc. - klasyczny"}));
    EXPECT_EQ(list.SelectedIndex(), 0);
    EXPECT_EQ(dialog.Memo1->toPlainText(), "gwarancja");

    // By kind, systems first, then reversed; a column clicked anew sorts ascending, twice descending.
    list.ColumnClick(1);
    EXPECT_EQ(list.Item(0).Caption(), "Zeta");
    EXPECT_EQ(list.SelectedIndex(), 1) << "the selection stays with its file";
    EXPECT_EQ(Captions(list), (QStringList{"Nazwa obiektu", "Rodzaj obiektu +", "Gra", "System", "Data utworzenia"}));
    list.ColumnClick(1);
    EXPECT_EQ(list.Item(0).Caption(), "alfa");
    EXPECT_EQ(Captions(list)[1], "Rodzaj obiektu -");
    list.ColumnClick(0);
    list.ColumnClick(0);
    EXPECT_EQ(list.Item(0).Caption(), "Zeta");
}

TEST_F(ReadFileTest, DeletingSelectsTheNewLastRowAndDeleteAllAsksFirst)
{
    SaveFiles();
    TfrmReadFile dialog;
    dialog.show();
    dialog.lvObjs->SelectItem(1);
    dialog.btnDelete->click();
    EXPECT_FALSE(fs::exists(DataDir + "L1.dat"));
    ASSERT_EQ(dialog.lvObjs->ItemCount(), 1);
    EXPECT_EQ(dialog.lvObjs->SelectedIndex(), 0);
    EXPECT_EQ(dialog.Object(0).FileName, DataDir + "L2.dat");

    script.answerBox(platform::IDNO);
    dialog.btnDelAll->click();
    EXPECT_TRUE(fs::exists(DataDir + "L2.dat"));
    script.answerBox(platform::IDYES);
    dialog.btnDelAll->click();
    EXPECT_FALSE(fs::exists(DataDir + "L2.dat"));
    EXPECT_EQ(dialog.lvObjs->ItemCount(), 0);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[1].Text, "Czy na pewno usunąć wszystkie obiekty?");
    EXPECT_EQ(script.boxes()[1].Flags, 292);
    EXPECT_TRUE(fs::exists(DataDir + "L4.dat")) << "unlisted files stay";
}

TEST_F(ReadFileTest, AFileThatCannotBeDeletedStaysListedAndIsNamed)
{
    SaveFiles();
    TfrmReadFile dialog;
    dialog.show();
    ASSERT_EQ(dialog.lvObjs->ItemCount(), 2);
    // A folder with a file in it where the listed L1.dat was: removing it fails, even for root.
    fs::remove(DataDir + "L1.dat");
    fs::create_directories(DataDir + "L1.dat/inside");
    script.answerBox(platform::IDYES);
    script.answerBox(platform::IDOK);
    dialog.btnDelAll->click();
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(std::pair(script.boxes()[1].Text, script.boxes()[1].Flags),
              std::pair(QString::fromStdString("Nie można usunąć pliku.\n" + DataDir + "L1.dat"), 48));
    ASSERT_EQ(dialog.lvObjs->ItemCount(), 1);
    EXPECT_EQ(dialog.Object(0).FileName, DataDir + "L1.dat");
    EXPECT_FALSE(fs::exists(DataDir + "L2.dat"));
}

TEST_F(ReadFileTest, ReadingBothOpensASystemWindowAndOneForTheGuarantee)
{
    SaveFiles();
    const QStringList rows = RowTexts(*source);
    const size_t before = frame->ChildForms().size();
    script.onDialog([](QDialog &Dialog) {
        auto &read = dynamic_cast<TfrmReadFile &>(Dialog);
        read.lvObjs->selectAll();
        read.btnRead->click();
    });
    frame->mFileRead->trigger();
    // The classic system and the guarantee's system, the latter with its guarantee window.
    ASSERT_EQ(frame->ChildForms().size(), before + 3);
    std::vector<TGenSysForm *> systems;
    TfrmGuarSysShort *guarantee = nullptr;
    for (size_t i = before; i < before + 3; ++i) {
        QWidget *form = frame->ChildForms()[i];
        if (auto *window = qobject_cast<TGenSysForm *>(form))
            systems.push_back(window);
        else
            guarantee = qobject_cast<TfrmGuarSysShort *>(form);
    }
    ASSERT_EQ(systems.size(), 2u);
    for (TGenSysForm *window : systems) {
        EXPECT_EQ(window->State, 0);
        EXPECT_EQ(RowTexts(*window), rows);
    }
    ASSERT_TRUE(guarantee);
    EXPECT_TRUE(guarantee->ParentWindow == systems[0] || guarantee->ParentWindow == systems[1]);
    EXPECT_EQ(guarantee->State, 0);
    ASSERT_EQ(guarantee->Count, 1);
    EXPECT_GT(savedRows, 1);
    EXPECT_EQ(guarantee->Set->GetItem(0).RowCount(), savedRows);
    EXPECT_GT(guarantee->sgDetails->RowCount(), 1) << "the results show at once";
}

// The list reads only the head of a file; the whole file is checked when it is opened. L3.dat: the system
// with a byte of its body changed; L5.dat: the guarantee set with its Total raised by one, the checksum
// fitted.
TEST_F(ReadFileTest, DamagedFilesAreListedByTheirHeadAndToldUnreadableWhenOpened)
{
    SaveFiles();
    platform::Bytes system = histtest::readAll(DataDir + "L1.dat");
    system[system.size() - 6] ^= 1;
    histtest::writeAll(DataDir + "L3.dat", system);
    platform::Bytes guarantee = histtest::readAll(DataDir + "L2.dat");
    guarantee.resize(guarantee.size() - 4);
    const size_t total = guarantee.size() - size_t(savedVectors) * (size_t(savedRows) + 1) * 4 - 8;
    ++guarantee[total];
    histtest::put(guarantee, StreamCRC(guarantee, false), 4);
    histtest::writeAll(DataDir + "L5.dat", guarantee);

    const size_t before = frame->ChildForms().size();
    script.onDialog([](QDialog &Dialog) {
        auto &read = dynamic_cast<TfrmReadFile &>(Dialog);
        ASSERT_EQ(read.lvObjs->ItemCount(), 4);
        read.lvObjs->clearSelection();
        for (int row = 0; row < 4; ++row)
            if (const std::string name = fs::path(read.Object(row).FileName).filename().string();
                name == "L3.dat" || name == "L5.dat")
                read.lvObjs->selectionModel()->select(read.lvObjs->Model()->index(row, 0),
                                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        read.btnRead->click();
    });
    script.answerBox(platform::IDOK);
    script.answerBox(platform::IDOK);
    frame->mFileRead->trigger();
    EXPECT_EQ(frame->ChildForms().size(), before);
    QStringList texts;
    for (const auto &box : script.boxes())
        texts << box.Text;
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QString::fromStdString("Nie można odczytać pliku.\n" + DataDir + "L3.dat"),
                                  QString::fromStdString("Nie można odczytać pliku.\n" + DataDir + "L5.dat")}));
}

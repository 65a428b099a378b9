// What every system kind's window and parameter dialog do alike, one row per kind: a system saved and
// opened again through the saved-systems window, and the dialog starting from the game's stored values.
#include "controls/ExtListView.h"
#include "controls/Multiplies.h"
#include "core/UGlobalFiles.h"
#include "shell/FGlobalStartup.h"
#include "syswindows/FParSysFull.h"
#include "syswindows/FParSysFullComp.h"
#include "syswindows/FParSysRnd.h"
#include "syswindows/FParSysVar.h"
#include "syswindows/FReadFile.h"
#include "syswindows/FSysVar.h"
#include "syswindows/FWriteFile.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace {

// What a window shows of its system, its window tag left out.
struct TShown {
    QStringList Rows;
    QStringList Key;
    QStringList Info;
    QString Caption;
    int Kind = -1;
    // The report's header: the parameters, and the kind's own (the variable numbers).
    std::string Header;
};

} // namespace

class SysKindsTest : public SysWindowTest {
protected:
    TShown Shown(const TGenSysForm &Window) const
    {
        TShown shown{RowTexts(Window),   testsupport::GridRowTexts(*Window.sgKey, 1),
                     InfoValues(Window), Window.windowTitle().section(QStringLiteral("> "), 1),
                     Window.SysKind,     {}};
        Window.GetParamsText(0, shown.Header);
        return shown;
    }

    void Save(TGenSysForm *Window)
    {
        script.onDialog([](QDialog &Dialog) {
            auto &names = dynamic_cast<TfrmWriteFile &>(Dialog);
            names.Edit1->setText("Zapisany");
            names.btnSave->click();
        });
        sendCommand(Window, WM_SYS_SAVE);
    }

    // The only saved system opened through "Wczytaj": its new window.
    TGenSysForm *ReadBack()
    {
        script.onDialog([](QDialog &Dialog) {
            auto &read = dynamic_cast<TfrmReadFile &>(Dialog);
            read.lvObjs->selectAll();
            read.btnRead->click();
        });
        frame->mFileRead->trigger();
        return qobject_cast<TGenSysForm *>(frame->ChildForms().back());
    }
};

// Each kind's system saved with a key of the odd numbers first and read back.
TEST_F(SysKindsTest, ASavedSystemOfEachKindOpensAgainAsItWasSaved)
{
    struct TKindCase {
        const char *Name;
        std::function<TGenSysForm *()> Build;
    };
    const std::vector<TKindCase> cases = {
        {"classic", [this] { return GenerateIn(OpenBySelector(0), 12, 6, 22); }},
        {"random", [this] { return GenerateIn(OpenBySelector(2), 20, 6, 30); }},
        {"full", [this] { return GenerateIn(OpenBySelector(3), 8, 6, 0); }},
        {"variable",
         [this] {
             // Its one variable number fixed before Start.
             auto *window = qobject_cast<TfrmSysVar *>(GenerateIn(OpenBySelector(1), 12, 6, 22));
             window->sgParam->ToggleFixed(1);
             sendCommand(window, WM_TASK_START);
             WaitForGeneration(window);
             return window;
         }},
        {"composite", [this] { return GenerateComposite(6, 3, 5, 2); }},
        {"user", [this] { return ImportFromEditor("1 2 3 4 5 6\n7 8 9 10 11 12\n1 3 5 7 9 11"); }},
    };
    for (const TKindCase &kind : cases) {
        SCOPED_TRACE(kind.Name);
        TGenSysForm *window = kind.Build();
        ASSERT_EQ(window->State, 0);
        // The odd numbers first, then the even ones.
        TDynByteArr key(window->N);
        const size_t odd = (size_t(window->Game->Info.MaxNumber) + 1) / 2;
        for (size_t i = 0; i < key.size(); ++i)
            key[i] = uint8_t(i < odd ? 2 * i + 1 : 2 * (i - odd) + 2);
        window->SystemChanged(key);
        const TShown saved = Shown(*window);
        ASSERT_EQ(saved.Key.value(1), "1");
        ASSERT_EQ(saved.Key.value(2), "3");
        Save(window);
        TGenSysForm *opened = ReadBack();
        ASSERT_NE(opened, window);
        EXPECT_EQ(opened->State, 0);
        const TShown read = Shown(*opened);
        EXPECT_EQ(read.Rows, saved.Rows);
        EXPECT_EQ(read.Key, saved.Key);
        EXPECT_EQ(read.Info, saved.Info);
        EXPECT_EQ(read.Caption, saved.Caption);
        EXPECT_EQ(read.Kind, saved.Kind);
        EXPECT_EQ(read.Header, saved.Header);
        EXPECT_EQ(std::tuple(opened->N, opened->K), std::tuple(window->N, window->K));
        std::filesystem::remove(DataDir + "L1.dat");
    }
}

// Each dialog of an empty window starts from the values kept for its game and kind, corrected, and OK
// keeps only its kind's values.
TEST_F(SysKindsTest, EachDialogStartsFromItsGamesStoredValuesCorrected)
{
    struct TDialogCase {
        const char *Section;
        std::map<std::string, uint32_t> Stored;
        std::function<std::unique_ptr<TGenParSysForm>(const TGameData *)> Open;
        QStringList Spins;    // K, N and the count where the kind has one, as shown; the second part's K and N
        QStringList Written;  // what OK keeps
        QStringList Unwritten;
        std::pair<std::string, std::string> KeptKN{"k", "n"}; // where the dialog's K and N are kept
    };
    const auto classic = [](const TGameData *Game) {
        auto dialog = std::make_unique<TfrmParSysShort>();
        dialog->Init(Game, 0, true, false, skShort, 0, 0);
        EXPECT_TRUE(dialog->chkRandom->isChecked());
        return std::unique_ptr<TGenParSysForm>(std::move(dialog));
    };
    const auto ofKind = [](int Kind) {
        return [Kind](const TGameData *Game) {
            std::unique_ptr<TGenParSysForm> dialog;
            if (Kind == skFullComp) {
                auto composite = std::make_unique<TfrmParSysFullComp>();
                composite->Init(Game, Kind, true, 0, 0, 0, 0);
                return std::unique_ptr<TGenParSysForm>(std::move(composite));
            }
            if (Kind == skRnd)
                dialog = std::make_unique<TfrmParSysRnd>();
            else
                dialog = std::make_unique<TfrmParSysFull>();
            dialog->Init(Game, Kind, true, 0, 0);
            return dialog;
        };
    };
    const auto variable = [](const TGameData *Game) {
        auto dialog = std::make_unique<TfrmParSysVar>();
        dialog->Init(Game, skVar, true, 0, false, 0, 0, 0);
        EXPECT_EQ(dialog->seCVar->text(), "1");
        EXPECT_TRUE(dialog->chkRandom->isChecked());
        return std::unique_ptr<TGenParSysForm>(std::move(dialog));
    };
    const std::vector<TDialogCase> cases = {
        // K above the game's 12 and N above its 49 fall back to its bet of 6; one combination of 6 of 6.
        {"Systems\\1\\0", {{"n", 50}, {"k", 13}, {"Ns", 5}, {"Rnd", 1}}, classic, {"6", "6", "1"},
         {"k", "n", "Ns", "Rnd"}, {}},
        // N below K rises to K; no count of none.
        {"Systems\\1\\4", {{"n", 7}, {"k", 8}, {"Ns", 0}}, ofKind(skRnd), {"8", "8", "1"}, {"k", "n", "Ns"}, {"Rnd"}},
        // N below the game's bet rises to it.
        {"Systems\\1\\2", {{"n", 3}, {"k", 2}}, ofKind(skFull), {"2", "6"}, {"k", "n"}, {"Ns", "Rnd"}},
        // K = 1 becomes 2, N rises to the bet, V = K falls to 1, and 6 combinations exceed the C(5, 1)
        // that hold the variable number (not the C(6, 2) of all).
        {"Systems\\1\\1", {{"n", 3}, {"k", 1}, {"v", 2}, {"Ns", 6}, {"Rnd", 1}}, variable, {"2", "6", "1"},
         {"k", "n", "v", "Ns", "Rnd"}, {}},
        // The first part's K of 11 leaves one for the second; the first N beyond the game's numbers but one
        // falls to its K.
        {"Systems\\1\\3", {{"n1", 49}, {"k1", 11}, {"n2", 3}, {"k2", 5}}, ofKind(skFullComp),
         {"11", "11", "1", "3"}, {"n1", "k1", "n2", "k2"}, {"k", "n", "Ns"}, {"k1", "n1"}},
    };
    for (const TDialogCase &kind : cases) {
        SCOPED_TRACE(kind.Section);
        for (const auto &[name, value] : kind.Stored)
            store().setValue(kind.Section, name, value);
        std::unique_ptr<TGenParSysForm> dialog = kind.Open(Games.GameById(LottoId));
        QStringList spins{dialog->seCDraws->text(), dialog->seCNum->text()};
        if (dialog->seCComb)
            spins << dialog->seCComb->text();
        if (const auto *composite = dynamic_cast<const TfrmParSysFullComp *>(dialog.get()))
            spins << composite->seCDraws2->text() << composite->seCNum2->text();
        EXPECT_EQ(spins, kind.Spins);
        for (const auto &[name, value] : kind.Stored)
            store().setValue(kind.Section, name, 99u);
        dialog->btnOk->click();
        EXPECT_EQ(dialog->result(), 1);
        for (const QString &name : kind.Written)
            EXPECT_NE(store().value(kind.Section, name.toStdString()), platform::RegValue(uint32_t(99))) << name.toStdString();
        EXPECT_EQ(store().value(kind.Section, kind.KeptKN.first), platform::RegValue(uint32_t(dialog->K)));
        EXPECT_EQ(store().value(kind.Section, kind.KeptKN.second), platform::RegValue(uint32_t(dialog->N)));
        for (const QString &name : kind.Unwritten)
            EXPECT_FALSE(store().value(kind.Section, name.toStdString())) << name.toStdString();
    }
}

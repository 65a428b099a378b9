// A window's draws range: resolved against the game's history without touching the history's marks,
// refreshed when that game's draws change, edited through the range dialog.
#include "controls/RichView.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "shell/DrawsRangeBinding.h"
#include "shell/FDrawsRange.h"
#include "shell/FGlobalStartup.h"
#include "ShellTestSupport.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using DrawsRangeBindingTest = ShellTest;

TEST_F(DrawsRangeBindingTest, ResolvesWithoutMarkingTheHistoryAndFollowsEdits)
{
    folder->writeDraws("Lotto", SaturdayDraws(20));
    InitGlobals();
    TGameData *game = Games.GameById(1);
    ASSERT_NE(game, nullptr);
    TDrawsManager &history = *game->DrawsMan;
    TDrawsRange last = game->DefRange;
    last.Mode = drLast;
    history.SetRange(last);
    const auto marks = [&] {
        std::vector<int32_t> result;
        for (int i = 0; i < history.Count(); ++i)
            result.push_back(history.GetDraw(i).Mark);
        return result;
    };
    const std::vector<int32_t> before = marks();

    TRichView view;
    TDrawsRangeBinding binding;
    game->DefRange.Mode = drAll;
    binding.Attach(game, &view);
    EXPECT_EQ(binding.Range.Count, 20u);
    EXPECT_FALSE(binding.Empty());
    EXPECT_EQ(marks(), before);

    binding.Range.Mode = drIndexes;
    binding.Range.FirstIndex = 3;
    binding.Range.LastIndex = 7;
    EXPECT_FALSE(binding.DrawsChanged(2));
    EXPECT_EQ(binding.Range.Count, 20u);
    EXPECT_TRUE(binding.DrawsChanged(1));
    EXPECT_EQ(binding.Range.Count, 5u);
    EXPECT_EQ(marks(), before);

    script.onDialog([](QDialog &Dialog) {
        auto &dialog = dynamic_cast<TfrmDrawsFilter &>(Dialog);
        dialog.rbFltTypeLast->setChecked(true);
        dialog.btnOK->click();
    });
    EXPECT_TRUE(binding.Edit(nullptr));
    EXPECT_EQ(binding.Range.Mode, drLast);
    EXPECT_EQ(binding.Range.Count, 1u);
    script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmDrawsFilter &>(Dialog).btnCancel->click(); });
    EXPECT_FALSE(binding.Edit(nullptr));
    EXPECT_EQ(binding.Range.Mode, drLast);
    DoneGlobals();
}

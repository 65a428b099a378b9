// The statistics windows over a user system whose rows hold one number each: every window computes,
// paints every page and reports; the differences have no difference columns and one position column.
#include "controls/FloatSpin.h"
#include "engine/USysGeneral.h"
#include "shell/FMainSelectors.h"
#include "statwindows/ClassTablePage.h"
#include "statwindows/FStatDiffs.h"
#include "statwindows/FStatFreq.h"
#include "statwindows/FStatSuccNums.h"
#include "statwindows/PatternTablePage.h"
#include "syswindows/FImportSys.h"
#include "syswindows/FSysGeneral.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

class OneNumberRowsTest : public StatWindowTest {
protected:
    // The rows 5, 7, 9 and 11 typed in the frame's import editor.
    TGenSysForm *ImportOneNumberRows()
    {
        script.onDialog([](QDialog &Dialog) {
            auto &import = dynamic_cast<TfrmImportSys &>(Dialog);
            import.RichEdit1->setPlainText(QStringLiteral("5\n7\n9\n11"));
            import.btnOk->click();
        });
        frame->mFileImportEditor->trigger();
        auto *system = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
        EXPECT_TRUE(system && system->System && system->System->K == 1);
        return system;
    }

    // The statistic StatIndex over System, computed.
    TGenStatForm *Compute(TGenSysForm *System, int StatIndex)
    {
        sendCommand(System, WM_SYS_STATS, StatIndex);
        auto *window = NewestChild<TGenStatForm>();
        if (!window)
            return nullptr;
        // Each number of the rows occurs once.
        if (auto *frequencies = dynamic_cast<TfrmStatFreq *>(window))
            frequencies->seMinFreq->SetValue(1);
        sendCommand(window, WM_TASK_START);
        WaitForResults(window);
        return window;
    }

    // Every page of every page control shown and the window drawn with it.
    static void PaintEveryPage(QWidget *Window)
    {
        for (QTabWidget *pages : Window->findChildren<QTabWidget *>())
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                Window->grab();
            }
    }
};

TEST_F(OneNumberRowsTest, EveryStatisticsWindowComputesPaintsAndReports)
{
    OpenFrame();
    TGenSysForm *system = ImportOneNumberRows();
    ASSERT_NE(system, nullptr);
    size_t reports = 0;
    for (const int statIndex : SystemStatIndexes) {
        SCOPED_TRACE(statIndex);
        TGenStatForm *window = Compute(system, statIndex);
        ASSERT_NE(window, nullptr);
        PaintEveryPage(window);
        // No row holds two numbers, let alone a run of them.
        if (statIndex == TfrmStatSucc::SuccStatIndex) {
            EXPECT_FALSE(window->HasResults());
            EXPECT_EQ(EnabledMask() & cmdReport, 0);
        } else {
            ASSERT_TRUE(window->HasResults());
            // Whatever the window asks before its report, taken as offered.
            script.onDialog([](QDialog &Dialog) {
                for (QPushButton *button : Dialog.findChildren<QPushButton *>())
                    if (button->isDefault())
                        button->click();
            });
            testsupport::expectReport(script);
            sendCommand(window, WM_SYS_REPORT);
            ASSERT_EQ(script.openedDocuments().size(), ++reports);
            EXPECT_FALSE(testsupport::readXlsx(script.openedDocuments().back().toStdString()).empty());
        }
        ASSERT_TRUE(window->Close());
        ProcessPosted();
    }
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(OneNumberRowsTest, DifferencesHaveNoDifferenceColumnsEmptyPatternsAndOnePositionColumn)
{
    OpenFrame();
    TGenSysForm *system = ImportOneNumberRows();
    ASSERT_NE(system, nullptr);
    auto *window = dynamic_cast<TfrmStatDiffs *>(Compute(system, TfrmStatDiffs::DiffsStatIndex));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->HasResults());
    PaintEveryPage(window);

    for (TClassTablePage *none : {window->Diffs, window->DiffPositions}) {
        EXPECT_EQ(none->sgDetails->ColCount(), 1);
        EXPECT_EQ(testsupport::GridColumnTexts(*none->sgDetails, 0), QStringList{QString()});
        EXPECT_EQ(none->sgTotal->RowCount(), 2);
        EXPECT_EQ(none->lbDetChart->count(), 0);
    }
    EXPECT_EQ(testsupport::GridColumnTexts(*window->Repeats->sgDetails, 1),
              QStringList(4, QStringLiteral("0")));
    // Rows of a system, headed as in every other table over them.
    EXPECT_EQ(window->Repeats->sgDetails->unmarkedCaption(0), window->Positions->sgDetails->unmarkedCaption(0));
    EXPECT_EQ(testsupport::GridColumnTexts(*window->Repeats->sgAggr, 0), QStringList{QStringLiteral("0")});
    EXPECT_EQ(testsupport::GridColumnTexts(*window->Repeats->sgAggr, 1), QStringList{QStringLiteral("4 ")});

    // One position: each row's own number, the latest row first.
    TClassTablePage *positions = window->Positions;
    ASSERT_EQ(positions->sgDetails->ColCount(), 2);
    EXPECT_EQ(positions->sgDetails->unmarkedCaption(1), "P1");
    EXPECT_EQ(testsupport::GridColumnTexts(*positions->sgDetails, 1), (QStringList{"11 ", "9 ", "7 ", "5 "}));
    EXPECT_EQ(testsupport::GridRowTexts(*positions->sgTotal, 1).mid(0, 4),
              (QStringList{"01", "5 ", "11 ", "8,00 "}));
}

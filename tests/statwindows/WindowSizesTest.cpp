// Every window of the program, opened through its road at the default font and at one and a half times
// that font, on a 1400x900 screen that the main window fills: it lies inside the area it opens in, and
// at the default font it shows its content whole: its title, its tabs and its list items among it. Some
// windows are held to a size of their own as well (WindowChecks).
#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "core/UGlobalThreads.h"
#include "output/FDownload.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "output/FSelGames.h"
#include "output/UEReport.h"
#include "output/UpdateDraws.h"
#include "platform/NetworkState.h"
#include "platform/gui/QtPrinters.h"
#include "platform/gui/RecordingPrinter.h"
#include "shell/FConfig.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FSelectComb.h"
#include "shell/USites.h"
#include "statwindows/FCombProp.h"
#include "statwindows/FPredReduct.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FHistItem.h"
#include "syswindows/FHistory.h"
#include "syswindows/FParGuarSysShort.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysShort.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/support/FontScales.h"

#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTabBar>

#include <functional>
#include <map>

namespace {

std::string Text(const QRect &Rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(Rect.x()).arg(Rect.y()).arg(Rect.width()).arg(Rect.height())
        .toStdString();
}

} // namespace

class WindowSizesTest : public StatWindowTest {
protected:
    void TearDown() override
    {
        platform::setPrinter(nullptr);
        platform::setNetworkStateProvider({});
        StatWindowTest::TearDown();
    }

    // What a user meets as Form opens: the window inside its area and the form's content in view (at
    // the large font it may scroll instead); at the default font also every one-line viewer's text and
    // every grid's columns.
    void Measure(const QWidget &Form)
    {
        QCoreApplication::processEvents();
        const auto *holder = qobject_cast<QMdiSubWindow *>(Form.parentWidget());
        const QRect window = holder ? holder->geometry() : Form.frameGeometry();
        const QRect area = holder ? holder->mdiArea()->viewport()->rect() : Form.screen()->availableGeometry();
        EXPECT_TRUE(area.contains(window)) << Name << ": " << Text(window) << " in " << Text(area);
        const QLayout *layout = Form.layout();
        const auto *scroller =
            layout && layout->count() == 1 ? qobject_cast<QScrollArea *>(layout->itemAt(0)->widget()) : nullptr;
        const QWidget &content = scroller ? *scroller->widget() : Form;
        const QRect room(QPoint(), scroller ? scroller->viewport()->size() : Form.size());
        const QSize need = content.minimumSizeHint().expandedTo(content.minimumSize());
        EXPECT_TRUE((Large && scroller) || room.contains(QRect(QPoint(), need))) << Name << ": " << Text(room);
        if (Large)
            return;
        for (const TRichView *view : Form.findChildren<TRichView *>()) {
            const QRect text = QRect(QPoint(), view->viewport()->size()).adjusted(0, 0, -view->RightMargin, 0);
            for (const TDrawLineInfo &line : view->DrawList()) {
                EXPECT_TRUE(!view->isVisible() || text.contains(QRect(line.Left, line.Top, line.Width, line.Height)))
                    << Name << ": " << line.Text.toStdString();
            }
        }
        for (const TStringAlignGrid *grid : Form.findChildren<TStringAlignGrid *>())
            EXPECT_TRUE(!grid->isVisible() || grid->CalcGridWidth(false) <= grid->width()) << Name << ": grid";
        for (const QTabBar *tabs : Form.findChildren<QTabBar *>())
            EXPECT_TRUE(!tabs->isVisible() || tabs->tabRect(tabs->count() - 1).right() < tabs->width())
                << Name << ": tabs";
        for (const QListWidget *list : Form.findChildren<QListWidget *>())
            EXPECT_TRUE(!list->isVisible() || list->sizeHintForColumn(0) <= list->viewport()->width())
                << Name << ": list items";
        if (holder) {
            EXPECT_GE(TitleRoom(*holder), 0) << Name << ": title";
        }
        const auto check = WindowChecks().find(Form.metaObject()->className());
        if (check != WindowChecks().end())
            check->second(Form, content);
    }

    // The room the sub-window's title bar leaves beside its whole title (negative: the title is cut).
    static int TitleRoom(const QMdiSubWindow &Holder)
    {
        QStyleOptionTitleBar option;
        option.initFrom(&Holder);
        option.text = Holder.windowTitle();
        option.titleBarFlags = Holder.windowFlags();
        option.rect = QRect(0, 0, Holder.width(),
                            Holder.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, &Holder));
        const QRect label =
            Holder.style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, &Holder);
        QFont font = QApplication::font("QMdiSubWindowTitleBar");
        font.setBold(true);
        return label.width() - QFontMetrics(font).horizontalAdvance(option.text);
    }

    // Sizes of their own, by window class, at the default font: a window as large as its content where
    // nothing else sets its size.
    using TWindowCheck = std::function<void(const QWidget &Form, const QWidget &Content)>;
    const std::map<std::string, TWindowCheck> &WindowChecks() const
    {
        static const auto noLargerThanContent = [](const QWidget &Form, const QWidget &Content) {
            const QSize room = Content.size();
            const QSize need = Content.sizeHint();
            EXPECT_LE(room.width(), need.width() + 8) << Form.windowTitle().toStdString();
            EXPECT_LE(room.height(), need.height() + 8) << Form.windowTitle().toStdString();
        };
        static const std::map<std::string, TWindowCheck> checks = {
            {"TfrmAbout", noLargerThanContent},
            {"TfrmFreq", [](const QWidget &, const QWidget &Content) {
                 // The distribution's grid and the value fields below it: no wider than they need.
                 EXPECT_LE(Content.width(), Content.minimumSizeHint().width() + 8);
             }},
        };
        return checks;
    }

    // Measures the dialog shown next, then plays Then on it (a dialog left open is cancelled).
    template <typename Dialog = QDialog>
    void MeasureDialog(std::function<void(Dialog &)> Then = {})
    {
        script.onDialog([this, Then](QDialog &Shown) {
            Measure(Shown);
            if (Then)
                Then(dynamic_cast<Dialog &>(Shown));
        });
    }

    QWidget *MeasureNewest()
    {
        QWidget *window = NewestChild<QWidget>();
        Measure(*window);
        return window;
    }

    // A classic system of Count rows of 6 out of N, its parameter dialog measured.
    TfrmSysShort *Classic(int N = 12, int Count = 22)
    {
        OpenSystemWindow(0);
        auto *window = NewestChild<TfrmSysShort>();
        MeasureDialog<TfrmParSysShort>([=](TfrmParSysShort &Params) {
            Params.seCDraws->setText(QStringLiteral("6"));
            Params.seCNum->setText(QString::number(N));
            Params.seCComb->setText(QString::number(Count));
            Params.btnOk->click();
        });
        sendCommand(window, WM_SYS_PARAMS);
        EXPECT_TRUE(ProcessUntil([&] { return !window->Generating(); }));
        return window;
    }

    void Play(QWidget *Window, QEvent::Type Command)
    {
        MeasureDialog();
        sendCommand(Window, Command);
    }

    std::vector<std::pair<const char *, std::function<void()>>> Openers()
    {
        return {
            {"Losowania", [this] { frame->mToolDraws->trigger(); MeasureNewest(); }},
            {"Zbiory liczb", [this] { frame->mToolCombs->trigger(); MeasureNewest(); }},
            {"Sprawdzenie kombinacji", [this] { frame->mToolCheckComb->trigger(); MeasureNewest(); }},
            {"Rozkład", [this] { Play(Classic(), WM_SYS_DISTRIBUTION); }},
            {"Częstotliwości", [this] { OpenStatWindow(0); MeasureNewest(); }},
            {"Różne", [this] { OpenStatWindow(1); MeasureNewest(); }},
            {"Kolejne liczby", [this] { OpenStatWindow(4); MeasureNewest(); }},
            {"Przedziały liczbowe", [this] { OpenStatWindow(6); MeasureNewest(); }},
            {"Cyfry", [this] { OpenStatWindow(8); MeasureNewest(); }},
            {"Różnice", [this] { OpenStatWindow(10); MeasureNewest(); }},
            {"Optymalne kombinacje", [this] { OpenStatWindow(5); MeasureNewest(); }},
            {"Typowanie redukcyjne", [this] { AddChildForm(new TfrmPredReduct); MeasureNewest(); }},
            {"Serie liczb", [this] { OpenStatWindow(2); MeasureNewest(); }},
            {"Przerwy", [this] { OpenStatWindow(3); MeasureNewest(); }},
            {"Właściwości kombinacji", [this] {
                 TDrawsRange range = Lotto().DefRange;
                 TStatDraws draws;
                 StatDrawsMan.LoadRange(draws, *Lotto().DrawsMan, range);
                 ShowCombProperties(Lotto(), {7}, range, draws);
                 MeasureNewest();
             }},
            {"Zakres losowań", [this] { MeasureDialog(); frame->mToolFltDate->trigger(); }},
            {"Prawdopodobieństwo", [this] { frame->mToolProbs->trigger(); MeasureNewest(); }},
            {"Dwumian Newtona", [this] { frame->mToolNewton->trigger(); MeasureNewest(); }},
            {"Ustawienia", [this] {
                 // The dialog narrows again after Multi Multi's wide prize table.
                 MeasureDialog<TfrmConfig>([this](TfrmConfig &Config) {
                     const int width = Config.width();
                     Config.cbGame->setCurrentIndex(Games.GameIndexOfId(MultiMultiId()));
                     QCoreApplication::processEvents();
                     Config.cbGame->setCurrentIndex(Games.GameIndexOfId(LottoId));
                     QCoreApplication::processEvents();
                     EXPECT_EQ(Config.width(), width) << Name;
                 });
                 frame->mToolConfig->trigger();
             }},
            {"Parametry raportu (Różnice)", [this] {
                 OpenStatWindow(10);
                 auto *diffs = NewestChild<TGenStatForm>();
                 sendCommand(diffs, WM_TASK_START);
                 WaitForResults(diffs);
                 MeasureDialog();
                 sendCommand(diffs, WM_SYS_REPORT);
             }},
            {"O programie", [this] { MeasureDialog(); frame->mHelpAbout->trigger(); }},
            {"Historia gry", [this] { MeasureDialog(); frame->mToolHistory->trigger(); }},
            {"Wczytaj", [this] { MeasureDialog(); frame->mFileRead->trigger(); }},
            {"System", [this] { Measure(*Classic()); }},
            {"Sprawdzenie systemu", [this] {
                 sendCommand(Classic(), WM_SYS_CHECK);
                 auto *check = qobject_cast<TfrmCheckSystem *>(MeasureNewest());
                 check->PageControl1->setCurrentWidget(check->tsTable);
                 Measure(*check);
                 check->rbLastDraw->setChecked(true);
                 sendCommand(check, WM_TASK_START);
                 ASSERT_TRUE(ProcessUntil([&] { return check->HasResults(); }));
                 MeasureDialog();
                 check->btnDetails->click();
             }},
            {"Filtr", [this] { Play(Classic(), WM_SYS_FILTER); }},
            {"Zapisz", [this] { Play(Classic(), WM_SYS_SAVE); }},
            {"Klucz systemu", [this] { sendCommand(Classic(), WM_SYS_KEY); MeasureNewest(); }},
            {"Drukowanie", [this] {
                 folder->addShippedSlips();
                 platform::setPrinter(std::make_unique<platform::TRecordingPrinter>(2000, 3000, 200.0, 300.0));
                 Play(Classic(), WM_SYS_PRINT);
             }},
            {"Kombinacja i zbiory", [this] {
                 TfrmSysShort *system = Classic();
                 MeasureDialog<TfrmSelectComb>([](TfrmSelectComb &Comb) { Comb.btnRead->click(); });
                 MeasureDialog();
                 sendCommand(system, WM_COMB_ADD);
                 QCoreApplication::processEvents();
             }},
            {"Historia systemu i wpis", [this] {
                 TfrmSysShort *system = Classic();
                 MeasureDialog<TfrmHistItem>([](TfrmHistItem &Item) { Item.btnOK->click(); });
                 script.answerBox(1);
                 sendCommand(system, WM_SYS_HISTORY);
                 MeasureDialog<TfrmHistory>([](TfrmHistory &History) {
                     History.chkFrom->setChecked(false);
                     History.chkTo->setChecked(false);
                     History.Refresh->trigger();
                     History.Grid->setRow(1);
                     History.btnChange->click();
                 });
                 MeasureDialog();
                 frame->mToolHistory->trigger();
             }},
            {"Gwarancja", [this] {
                 TfrmSysShort *system = Classic(10, 12);
                 MeasureDialog<TfrmParGuarSysShort>([](TfrmParGuarSysShort &Params) { Params.btnOK->click(); });
                 sendCommand(system, WM_SYS_GUARANTEE);
                 ASSERT_TRUE(ProcessUntil([&] { return system->CountChildWindows(cwGuarantee, 2) == 0; }));
                 Measure(*system->ChildWindows.GetItem(0)->Form);
             }},
            {"Raport", [this] {
                 MeasureDialog();
                 AskReportRows(frame.get(), 100);
                 MeasureDialog();
                 AskReportItems(frame.get(), {QStringLiteral("Szczegóły"), QStringLiteral("Podsumowanie")}, {});
                 MeasureDialog(std::function(testsupport::ModalScript::waitUntilClosed));
                 RunExcelReport(frame.get(), [](const TMyThread &, TEReport &, TProgress &) {});
             }},
            {"Aktualizacja", [this] {
                 platform::setNetworkStateProvider([] { return true; });
                 TSiteMan sites(SitesDir, &Lotto());
                 ASSERT_TRUE(sites.AddSite(TSiteRec{.Location = "http://127.0.0.1:9/lotto.txt"}) && sites.Save());
                 MeasureDialog<TfrmSelGames>([](TfrmSelGames &Games) { Games.btnOK->click(); });
                 MeasureDialog<TfrmDownload>([](TfrmDownload &Download) {
                     ASSERT_TRUE(ProcessUntil([&] { return Download.State == 0; }));
                     Download.btnCancel->click();
                 });
                 UpdateDrawsFromInternet(frame.get());
             }},
        };
    }

    static int MultiMultiId()
    {
        for (int i = 0; i < Games.Count(); ++i)
            if (Games.GetGameInfo(i)->PrizeByStake)
                return Games.GetGameInfo(i)->Id;
        return -1;
    }

    std::string Name;
    bool Large = false;
};

TEST_F(WindowSizesTest, EveryWindowOpensInsideItsAreaAndAtTheDefaultFontShowsItsContentWhole)
{
    testsupport::ForEachFontScale([this](double Scale) {
        Large = Scale > 1;
        OpenFrame();
        frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        for (const auto &[name, open] : Openers()) {
            Name = std::string(name) + (Large ? " (large font)" : "");
            open();
            frame->MdiArea->closeAllSubWindows();
            ProcessPosted();
        }
        frame.reset();
    });
}

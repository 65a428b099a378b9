// Every window of the program, opened through its own road at the default font and at a font one and a
// half times as large, on a 1400x900 screen with the main window filling it: it lies inside the area it
// opens in, and at the default font it shows all of its content.
#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "core/UGlobalThreads.h"
#include "output/UEReport.h"
#include "output/FDownload.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "output/FSelGames.h"
#include "output/UpdateDraws.h"
#include "platform/NetworkState.h"
#include "platform/gui/RecordingPrinter.h"
#include "platform/gui/QtPrinters.h"
#include "shell/FGlobalStartup.h"
#include "shell/FSelectComb.h"
#include "shell/USites.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FHistItem.h"
#include "syswindows/FHistory.h"
#include "syswindows/FParGuarSysShort.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysShort.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <functional>

namespace {

// The application font at Scale times its size while the object lives.
class ScaledFont {
public:
    explicit ScaledFont(double Scale) : FSaved(QApplication::font())
    {
        QFont font = FSaved;
        font.setPointSizeF(FSaved.pointSizeF() * Scale);
        QApplication::setFont(font);
    }
    ~ScaledFont() { QApplication::setFont(FSaved); }
    ScaledFont(const ScaledFont &) = delete;
    ScaledFont &operator=(const ScaledFont &) = delete;

private:
    QFont FSaved;
};

// The widget holding Form's content (inside a scroll area that fills the form, if there is one) and the
// room the form shows it in.
std::pair<const QWidget *, QSize> ContentAndRoom(const QWidget &Form)
{
    if (const QLayout *layout = Form.layout(); layout && layout->count() == 1)
        if (auto *scroller = qobject_cast<QScrollArea *>(layout->itemAt(0)->widget()); scroller && scroller->widget())
            return {scroller->widget(), scroller->viewport()->size()};
    return {&Form, Form.size()};
}

bool Covers(QSize Room, QSize Need)
{
    return Room.width() >= Need.width() && Room.height() >= Need.height();
}

QString Text(QSize Size)
{
    return QStringLiteral("%1x%2").arg(Size.width()).arg(Size.height());
}

QString Text(const QRect &Rect)
{
    return QStringLiteral("%1,%2 %3").arg(Rect.x()).arg(Rect.y()).arg(Text(Rect.size()));
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

    // The window that shows Form and the area it lies in, in the same coordinates.
    static std::pair<QRect, QRect> Placement(const QWidget &Form)
    {
        if (auto *holder = qobject_cast<QMdiSubWindow *>(Form.parentWidget()))
            return {holder->geometry(), holder->mdiArea()->viewport()->rect()};
        return {Form.frameGeometry(), Form.screen()->availableGeometry()};
    }

    // What a user meets when Form opens: the window inside its area; a form smaller than its content
    // scrolls it; at the default font the window shows the content whole: room for the layout's
    // minimum, every one-line text viewer's text, and every column of a grid that cannot scroll sideways.
    void Measure(const QWidget &Form)
    {
        ++Measured;
        QCoreApplication::processEvents();
        const auto [window, area] = Placement(Form);
        EXPECT_TRUE(area.contains(window)) << Name << ": window " << Text(window).toStdString() << " in area "
                                           << Text(area).toStdString();
        const auto [content, room] = ContentAndRoom(Form);
        const QSize need = content->minimumSizeHint().expandedTo(content->minimumSize());
        if (content == &Form || !Large) {
            EXPECT_TRUE(Covers(room, need)) << Name << ": room " << Text(room).toStdString() << " for content "
                                            << Text(need).toStdString();
        }
        if (Large)
            return;
        for (const TRichView *view : Form.findChildren<TRichView *>()) {
            if (!view->isVisible())
                continue;
            for (const TDrawLineInfo &line : view->DrawList())
                EXPECT_TRUE(line.Left + line.Width + view->RightMargin <= view->viewport()->width() &&
                            line.Bottom() <= view->viewport()->height())
                    << Name << ": \"" << line.Text.toStdString() << "\" cut in a viewer of "
                    << Text(view->viewport()->size()).toStdString();
        }
        for (const TStringAlignGrid *grid : Form.findChildren<TStringAlignGrid *>()) {
            if (grid->isVisible()) {
                EXPECT_LE(grid->CalcGridWidth(false), grid->width()) << Name << ": grid columns cut " << grid->ColCount();
            }
        }
    }

    // Measures the dialog shown next, then plays Then on it (a dialog left open is cancelled).
    void MeasureDialog(std::function<void(QDialog &)> Then = {})
    {
        script.onDialog([this, Then](QDialog &Dialog) {
            Measure(Dialog);
            if (Then)
                Then(Dialog);
        });
    }

    template <typename Window>
    Window *MeasureNewest()
    {
        Window *window = NewestChild<Window>();
        EXPECT_NE(window, nullptr) << Name;
        if (window)
            Measure(*window);
        return window;
    }

    // A classic system of Count rows of 6 out of N, its parameter dialog measured on the way.
    TfrmSysShort *Classic(int N, int Count)
    {
        OpenSystemWindow(0);
        auto *window = NewestChild<TfrmSysShort>();
        MeasureDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
            params.seCDraws->setText(QStringLiteral("6"));
            params.seCNum->setText(QString::number(N));
            params.seCComb->setText(QString::number(Count));
            params.btnOk->click();
        });
        sendCommand(window, WM_SYS_PARAMS);
        EXPECT_TRUE(ProcessUntil([&] { return !window->Generating(); }));
        return window;
    }

    struct Opener {
        const char *Name;
        std::function<void()> Open;
        int Windows; // how many windows the road measures
    };

    std::vector<Opener> Openers()
    {
        return {
            {"Losowania", [this] { frame->mToolDraws->trigger(); MeasureNewest<QWidget>(); }, 1},
            {"Zbiory liczb", [this] { frame->mToolCombs->trigger(); MeasureNewest<QWidget>(); }, 1},
            {"Częstotliwości", [this] { OpenStatWindow(0); MeasureNewest<QWidget>(); }, 1},
            {"Zakres losowań", [this] { MeasureDialog(); frame->mToolFltDate->trigger(); }, 1},
            {"O programie", [this] { MeasureDialog(); frame->mHelpAbout->trigger(); }, 1},
            {"Historia gry", [this] { MeasureDialog(); frame->mToolHistory->trigger(); }, 1},
            {"Wczytaj", [this] { MeasureDialog(); frame->mFileRead->trigger(); }, 1},
            {"System", [this] { Measure(*Classic(12, 22)); }, 2},
            {"Sprawdzenie systemu",
             [this] {
                 sendCommand(Classic(12, 22), WM_SYS_CHECK);
                 auto *check = MeasureNewest<TfrmCheckSystem>();
                 check->PageControl1->setCurrentWidget(check->tsTable);
                 Measure(*check);
             },
             3},
            {"Filtr",
             [this] {
                 TfrmSysShort *system = Classic(12, 22);
                 MeasureDialog();
                 sendCommand(system, WM_SYS_FILTER);
             },
             2},
            {"Zapisz",
             [this] {
                 TfrmSysShort *system = Classic(12, 22);
                 MeasureDialog();
                 sendCommand(system, WM_SYS_SAVE);
             },
             2},
            {"Kombinacja i zbiory",
             [this] {
                 TfrmSysShort *system = Classic(12, 22);
                 MeasureDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelectComb &>(Dialog).btnRead->click(); });
                 MeasureDialog();
                 sendCommand(system, WM_COMB_ADD);
                 QCoreApplication::processEvents();
             },
             3},
            {"Historia systemu i wpis",
             [this] {
                 TfrmSysShort *system = Classic(12, 22);
                 MeasureDialog([](QDialog &Dialog) { dynamic_cast<TfrmHistItem &>(Dialog).btnOK->click(); });
                 script.answerBox(1);
                 sendCommand(system, WM_SYS_HISTORY);
                 MeasureDialog([](QDialog &Dialog) {
                     auto &history = dynamic_cast<TfrmHistory &>(Dialog);
                     history.chkFrom->setChecked(false);
                     history.chkTo->setChecked(false);
                     history.Refresh->trigger();
                     history.Grid->setRow(1);
                     history.btnChange->click();
                 });
                 MeasureDialog();
                 frame->mToolHistory->trigger();
             },
             4},
            {"Gwarancja",
             [this] {
                 TfrmSysShort *system = Classic(10, 12);
                 MeasureDialog([](QDialog &Dialog) { dynamic_cast<TfrmParGuarSysShort &>(Dialog).btnOK->click(); });
                 sendCommand(system, WM_SYS_GUARANTEE);
                 auto *guarantee = qobject_cast<TGenForm *>(system->ChildWindows.GetItem(0)->Form);
                 ASSERT_TRUE(ProcessUntil([&] { return guarantee->isVisible() && system->CountChildWindows(cwGuarantee, 2) == 0; }));
                 Measure(*guarantee);
             },
             3},
            {"Drukowanie",
             [this] {
                 TfrmSysShort *system = Classic(12, 22);
                 folder->addShippedSlips();
                 platform::setPrinter(std::make_unique<platform::TRecordingPrinter>(2000, 3000, 200.0, 300.0));
                 MeasureDialog();
                 sendCommand(system, WM_SYS_PRINT);
             },
             2},
            {"Raport",
             [this] {
                 MeasureDialog();
                 AskReportRows(frame.get(), 100);
                 MeasureDialog();
                 AskReportItems(frame.get(), {QStringLiteral("Szczegóły"), QStringLiteral("Podsumowanie")}, {});
                 script.onDialog([this](QDialog &Dialog) {
                     Measure(Dialog);
                     testsupport::ModalScript::waitUntilClosed(Dialog);
                 });
                 RunExcelReport(frame.get(), [](const TMyThread &, TEReport &, TProgress &) {});
             },
             3},
            {"Aktualizacja",
             [this] {
                 platform::setNetworkStateProvider([] { return true; });
                 TSiteRec site;
                 site.Location = "http://127.0.0.1:9/lotto.txt";
                 TSiteMan sites(SitesDir, &Lotto());
                 ASSERT_TRUE(sites.AddSite(site) && sites.Save());
                 MeasureDialog([](QDialog &Dialog) { dynamic_cast<TfrmSelGames &>(Dialog).btnOK->click(); });
                 MeasureDialog([](QDialog &Dialog) {
                     auto &download = dynamic_cast<TfrmDownload &>(Dialog);
                     ASSERT_TRUE(ProcessUntil([&] { return download.State == 0; }));
                     download.btnCancel->click();
                 });
                 UpdateDrawsFromInternet(frame.get());
             },
             2},
        };
    }

    const char *Name = "";
    bool Large = false;
    int Measured = 0;
};

TEST_F(WindowSizesTest, EveryWindowOpensInsideItsAreaAndAtTheDefaultFontShowsItsContentWhole)
{
    for (const bool large : {false, true}) {
        Large = large;
        const ScaledFont font(large ? 1.5 : 1.0);
        OpenFrame();
        frame->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        QCoreApplication::processEvents();
        for (const Opener &opener : Openers()) {
            Name = opener.Name;
            Measured = 0;
            opener.Open();
            EXPECT_EQ(Measured, opener.Windows) << Name << (large ? " at the large font" : "");
            frame->MdiArea->closeAllSubWindows();
            ProcessPosted();
        }
        frame.reset();
    }
}

// F1 in every kind of window the main window opens shows that window's own help page.
#include "controls/FloatSpin.h"
#include "platform/gui/HelpWindow.h"
#include "platform/gui/hh.h"
#include "shell/FGlobalStats.h"
#include "statwindows/FCombProp.h"
#include "syswindows/FParGuarSysShort.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysShort.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QFileInfo>
#include <QTest>

#include <functional>
#include <utility>
#include <vector>

class HelpContextsTest : public StatWindowTest {
protected:
    void SetUp() override
    {
        StatWindowTest::SetUp();
        folder->addShippedHelp();
        OpenFrame();
    }

    // The page the help window shows after F1 with the focus inside Window.
    QString PageAfterF1(QWidget &Window)
    {
        frame->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get(), testsupport::HangGuardMs));
        QWidget *focus = Window.focusWidget() ? Window.focusWidget() : &Window;
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_F1);
        const platform::THelpWindow *help = platform::HtmlHelpWindow();
        return help ? QFileInfo(help->CurrentPage().toLocalFile()).fileName() : QString();
    }

    // The classic system window with 12 rows of 6 out of 10.
    TfrmSysShort *Classic()
    {
        OpenSystemWindow(0);
        auto *window = NewestChild<TfrmSysShort>();
        script.onDialog([](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
            params.seCDraws->setText(QStringLiteral("6"));
            params.seCNum->setText(QStringLiteral("10"));
            params.seCComb->setText(QStringLiteral("12"));
            params.btnOk->click();
        });
        sendCommand(window, WM_SYS_PARAMS);
        EXPECT_TRUE(ProcessUntil([&] { return !window->Generating(); }));
        return window;
    }
};

TEST_F(HelpContextsTest, F1InEveryKindOfWindowShowsItsOwnPage)
{
    const auto newest = [this] { return NewestChild<QWidget>(); };
    std::vector<std::pair<QString, std::function<QWidget *()>>> windows;
    const QStringList systemPages = {"system-klasyczny.html", "system-zmienny.html",   "system-losowy.html",
                                     "system-pelny.html",     "system-zlozony.html",   "system-stawkowy.html",
                                     "system-gwarantowany.html"};
    for (int kind = 0; kind < int(systemPages.size()); ++kind)
        windows.emplace_back(systemPages[kind], [=] { OpenSystemWindow(kind); return newest(); });
    const QStringList statPages = {"czestotliwosci.html", "rozne.html",        "serie.html",     "przerwy.html",
                                   "kolejne-liczby.html", "optymalne-kombinacje.html", "przedzialy.html",
                                   "nastepstwa.html",     "cyfry.html",        "oczekiwanie.html", "roznice.html",
                                   "zakresy-czestotliwosci.html"};
    for (int index = 0; index < int(statPages.size()); ++index)
        windows.emplace_back(statPages[index], [=] { OpenStatWindow(index); return newest(); });
    const std::vector<std::pair<QString, QAction *>> tools = {
        {"baza-losowan.html", frame->mToolDraws},        {"zbiory-liczb.html", frame->mToolCombs},
        {"sprawdzenie-kombinacji.html", frame->mToolCheckComb}, {"prawdopodobienstwo.html", frame->mToolProbs},
        {"dwumian.html", frame->mToolNewton},            {"typowanie-redukcyjne.html", frame->mToolPredict1}};
    for (const auto &[page, action] : tools)
        windows.emplace_back(page, [=, action = action] { action->trigger(); return newest(); });
    windows.emplace_back("wlasciwosci-kombinacji.html", [=, this] {
        TDrawsRange range = Lotto().DefRange;
        TStatDraws draws;
        StatDrawsMan.LoadRange(draws, *Lotto().DrawsMan, range);
        ShowCombProperties(Lotto(), {7}, range, draws);
        return newest();
    });
    windows.emplace_back("gwarancja.html", [this]() -> QWidget * {
        TfrmSysShort *system = Classic();
        script.onDialog([](QDialog &Dialog) { dynamic_cast<TfrmParGuarSysShort &>(Dialog).btnOK->click(); });
        sendCommand(system, WM_SYS_GUARANTEE);
        EXPECT_TRUE(ProcessUntil([&] { return system->CountChildWindows(cwGuarantee, 2) == 0; }));
        return system->ChildWindows.Count() ? system->ChildWindows.GetItem(0)->Form : nullptr;
    });

    for (const auto &[page, open] : windows) {
        SCOPED_TRACE(page.toStdString());
        QWidget *window = open();
        ASSERT_NE(window, nullptr) << page.toStdString();
        EXPECT_EQ(PageAfterF1(*window).toStdString(), page.toStdString()) << window->windowTitle().toStdString();
        frame->MdiArea->closeAllSubWindows();
        ProcessPosted();
    }
}

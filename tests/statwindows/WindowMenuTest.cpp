// The "Okno" menu over the windows a user keeps open side by side: "Różne", "Różnice", the draws editor
// and a system window, at the default font and at one and a half times that font.
#include "controls/StringAlignGrid.h"
#include "controls/StringGrid.h"
#include "syswindows/FSysGeneral.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/support/FontScales.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

#include <functional>

class WindowMenuTest : public StatWindowTest {
protected:
    // Runs Check on a main window of Size with the four windows open, at both fonts.
    void AtBothFonts(QSize Size, const std::function<void()> &Check)
    {
        testsupport::ForEachFontScale([&](double Scale) {
            Large = Scale > 1;
            OpenFrame();
            frame->resize(Size);
            OpenStatWindow(1);
            OpenStatWindow(10);
            frame->mToolDraws->trigger();
            OpenSystemWindow(0);
            QCoreApplication::processEvents();
            Check();
            frame->MdiArea->closeAllSubWindows();
            ProcessPosted();
            frame.reset();
        });
    }

    std::vector<QMdiSubWindow *> Windows() const
    {
        const QList<QMdiSubWindow *> windows = frame->MdiArea->subWindowList(QMdiArea::CreationOrder);
        return {windows.begin(), windows.end()};
    }

    // The rows below its fixed ones that the tallest grid of the window shows inside the window, its form
    // scrolled as it is.
    static int ShownRows(const QMdiSubWindow &Window)
    {
        const QWidget *form = Window.widget();
        const auto *scroller = form->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
        const QWidget *view = scroller ? scroller->viewport() : form;
        int rows = 0;
        for (const TStringGrid *grid : form->findChildren<TStringGrid *>()) {
            if (!grid->isVisible())
                continue;
            const QRect shown =
                QRect(grid->viewport()->mapTo(view, QPoint()), grid->viewport()->size()) & view->rect();
            int fixed = 0;
            for (int row = 0; row < grid->FixedRows(); ++row)
                fixed += grid->RowHeights(row) + grid->GridLineWidth();
            rows = std::max(rows, (shown.height() - fixed) / (grid->DefaultRowHeight() + grid->GridLineWidth()));
        }
        return rows;
    }

    std::string Font() const { return Large ? "large font" : "default font"; }

    bool Large = false;
};

TEST_F(WindowMenuTest, TilingLeavesEveryWindowRowsOfItsGridAndItsWholeContent)
{
    AtBothFonts(QSize(1100, 760), [this] {
        for (QAction *tiling : {frame->mWindowTileHorz, frame->mWindowTileVert}) {
            tiling->trigger();
            QCoreApplication::processEvents();
            for (QMdiSubWindow *window : Windows()) {
                const std::string name = window->windowTitle().toStdString() + ", " +
                                         tiling->text().toStdString() + ", " + Font();
                // A few rows where the area allows them; at the large font it has room for a row of each.
                EXPECT_GE(ShownRows(*window), Large ? 1 : 2) << name;
                // Nothing of the form is out of its window's view.
                const auto *scroller =
                    window->widget()->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
                ASSERT_NE(scroller, nullptr);
                EXPECT_TRUE(scroller->viewport()->rect().contains(scroller->widget()->geometry())) << name;
                // Every tab in view, none behind the tab bar's scroll arrows.
                for (const QTabWidget *tabs : window->widget()->findChildren<QTabWidget *>()) {
                    if (!tabs->isVisible())
                        continue;
                    EXPECT_GE(tabs->tabBar()->width(), tabs->tabBar()->sizeHint().width())
                        << name << ", " << tabs->tabText(tabs->count() - 1).toStdString();
                }
                // The system's rows whole: its numbers and its combinations.
                if (const auto *system = dynamic_cast<const TGenSysForm *>(window->widget())) {
                    const TStringAlignGrid &grid = *system->sgSystem;
                    int columns = 0;
                    for (int col = 0; col < grid.ColCount(); ++col)
                        columns += grid.ColWidths(col) + grid.GridLineWidth();
                    EXPECT_GE(grid.viewport()->width(), columns) << name;
                }
            }
        }
    });
}

// Tiled while the area is scrolled, both ways, then cascaded: the tilings start where the area begins,
// and the cascade gives each window the size it opened with again.
TEST_F(WindowMenuTest, TilingsStartWhereTheAreaBeginsAndCascadeGivesBackTheOpeningSizes)
{
    AtBothFonts(QSize(1100, 760), [this] {
        std::vector<QSize> opened;
        for (const QMdiSubWindow *window : Windows())
            opened.push_back(window->size());
        QScrollBar *across = frame->MdiArea->horizontalScrollBar();
        QScrollBar *down = frame->MdiArea->verticalScrollBar();
        const auto scrollAway = [&] {
            // A window dragged past the area's corner lets the area scroll; it is scrolled to its end.
            const QRect area = frame->MdiArea->viewport()->rect();
            Windows().front()->move(area.width() - 60, area.height() - 60);
            QCoreApplication::processEvents();
            across->setValue(across->maximum());
            down->setValue(down->maximum());
            ASSERT_GT(across->value() + down->value(), 0) << Font();
        };
        const auto tiled = [&] {
            QRect all;
            for (const QMdiSubWindow *window : Windows())
                all |= window->geometry();
            return all;
        };
        for (QAction *tiling : {frame->mWindowTileVert, frame->mWindowTileHorz}) {
            scrollAway();
            tiling->trigger();
            QCoreApplication::processEvents();
            // The tiling's corner lies at the origin of what the area scrolls over.
            EXPECT_EQ(tiled().topLeft(), QPoint(-across->value(), -down->value()))
                << tiling->text().toStdString() << ", " << Font();
        }
        scrollAway();
        frame->mWindowCascade->trigger();
        QCoreApplication::processEvents();
        const QRect area = frame->MdiArea->viewport()->rect();
        const std::vector<QMdiSubWindow *> windows = Windows();
        for (size_t i = 0; i < windows.size(); ++i) {
            const QMdiSubWindow &window = *windows[i];
            EXPECT_TRUE(area.contains(window.geometry()))
                << window.windowTitle().toStdString() << ", " << Font();
            // As large as it opened, but for what the cascade's step takes off at the area's end.
            EXPECT_EQ(window.size(), opened[i].boundedTo(area.size() - QSize(window.x(), window.y())))
                << window.windowTitle().toStdString() << ", " << Font();
        }
    });
}

TEST_F(WindowMenuTest, CascadeLeavesTheActiveWindowInFrontAndEveryTitleInView)
{
    AtBothFonts(QSize(1100, 760), [this] {
        const std::vector<QMdiSubWindow *> opened = Windows();
        frame->MdiArea->setActiveSubWindow(opened[1]);
        frame->mWindowCascade->trigger();
        const QList<QMdiSubWindow *> stack = frame->MdiArea->subWindowList(QMdiArea::StackingOrder);
        EXPECT_EQ(stack.back(), opened[1]) << Font();
        EXPECT_EQ(frame->MdiArea->currentSubWindow(), opened[1]) << Font();
        const QRect area = frame->MdiArea->viewport()->rect();
        for (int below = 0; below < stack.size(); ++below) {
            const QMdiSubWindow &window = *stack[below];
            EXPECT_TRUE(area.contains(window.geometry())) << Font();
            // The title bar: the strip above the form.
            const QRect title(window.pos(), QSize(window.width(), window.widget()->y()));
            for (int above = below + 1; above < stack.size(); ++above)
                EXPECT_FALSE(stack[above]->geometry().intersects(title))
                    << window.windowTitle().toStdString() << " under " << stack[above]->windowTitle().toStdString()
                    << ", " << Font();
        }
    });
}

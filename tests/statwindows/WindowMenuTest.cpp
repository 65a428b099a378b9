// The "Okno" menu over the windows a user keeps open side by side: "Różne", "Różnice", the draws editor
// and a system window, at the default font and at one and a half times that font.
#include "controls/StringGrid.h"
#include "tests/statwindows/StatWindowTestSupport.h"
#include "tests/support/FontScales.h"

#include <QApplication>
#include <QScrollArea>

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
            }
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

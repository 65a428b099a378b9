// The enhanced list view's default drawing of rows, cells and header sections, checked on its painted image.
#include "controls/EnhListView.h"
#include "tests/support/HangGuard.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage grabbed(QWidget &widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

QColor system(const QWidget &widget, TColor color) { return toQColor(color, widget.palette()); }

// The box around the pixels in area that differ from the background colour.
QRect inkIn(const QImage &image, const QRect &area, const QColor &background)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

bool containsImage(const QImage &image, const QRect &area, const QPixmap &needle)
{
    const QImage part = needle.toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = area.top(); y + part.height() <= area.bottom() + 1; ++y)
        for (int x = area.left(); x + part.width() <= area.right() + 1; ++x) {
            bool same = true;
            for (int j = 0; same && j < part.height(); ++j)
                for (int i = 0; same && i < part.width(); ++i)
                    same = image.pixel(x + i, y + j) == part.pixel(i, j);
            if (same)
                return true;
        }
    return false;
}

// An owner-drawn list beside an edit that can take the focus away.
struct DrawnList {
    QWidget window;
    TCustomEnhListView *list = new TCustomEnhListView;
    QLineEdit *other = new QLineEdit;
    DrawnList()
    {
        auto *layout = new QHBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(other);
        list->SetStyle(TLVStyle::lvOwnerDrawFixed);
        list->AddColumn(QStringLiteral("Nazwa"), 100);
        list->AddColumn(QStringLiteral("Opis"), 60);
        list->AddColumn(QStringLiteral("Ile"), 80);
        list->Loaded();
        window.resize(500, 300);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window, testsupport::HangGuardMs));
    }
    QRect rowRect(int row) const { return list->visualRect(list->Model()->index(row, 0)); }
};

TEST(EnhListViewDrawing, DefaultRowMarginEllipsisAndSelectionColours)
{
    DrawnList d;
    TCustomEnhListView &list = *d.list;
    list.AutoResort = false;
    list.AddItem(QStringLiteral("Ala"), {QStringLiteral("bardzo długi opis, który się nie mieści")});
    list.AddItem(QStringLiteral("Ola"), {QStringLiteral("krótki")});
    list.SelectItem(1);
    list.setFocus();
    ASSERT_TRUE(list.hasFocus());
    EXPECT_EQ(list.RowHeight(), list.fontMetrics().height() + 1);
    EXPECT_EQ(d.rowRect(0).height(), list.RowHeight());

    QImage image = grabbed(*list.viewport());
    const QColor window = system(list, clWindow);
    const QRect row0 = d.rowRect(0);
    const QRect caption = inkIn(image, QRect(0, row0.top(), 100, row0.height()), window);
    ASSERT_FALSE(caption.isEmpty());
    EXPECT_GE(caption.left(), 4);
    EXPECT_LE(caption.left(), 6);
    // Sub-item cells: 4 pixels in on each side and 4 more for the left-aligned text; the long text ends
    // in an ellipsis inside the cell.
    const QRect cut = inkIn(image, QRect(100, row0.top(), 60, row0.height()), window);
    ASSERT_FALSE(cut.isEmpty());
    EXPECT_GE(cut.left(), 108);
    EXPECT_LT(cut.right(), 156);
    EXPECT_GT(cut.right(), 156 - list.fontMetrics().horizontalAdvance(QStringLiteral("…")) - 4);

    // The focused list shows the selection over the caption only, in the highlight colour.
    const QRect row1 = d.rowRect(1);
    const int captionEnd = list.fontMetrics().horizontalAdvance(QStringLiteral("Ola")) + 8;
    const QPoint inSelection(captionEnd - 2, row1.center().y());
    const QPoint pastSelection(captionEnd + 6, row1.center().y());
    EXPECT_EQ(image.pixelColor(inSelection), system(list, clHighlight));
    EXPECT_EQ(image.pixelColor(pastSelection), window);
    EXPECT_EQ(image.pixelColor(QPoint(130, row1.center().y())), window);

    d.other->setFocus();
    ASSERT_FALSE(list.hasFocus());
    EXPECT_EQ(grabbed(*list.viewport()).pixelColor(inSelection), window); // HideSelection
    list.SetHideSelection(false);
    image = grabbed(*list.viewport());
    EXPECT_EQ(image.pixelColor(inSelection), system(list, clBtnFace));

    // A cell handler takes over one cell; the others keep the default drawing.
    list.OnDrawSubItem = [](TCustomEnhListView *, QPainter &painter, int, int subItem, const TRect &rect,
                            TOwnerDrawState, bool &defaultDrawing) {
        defaultDrawing = subItem != 0;
        if (subItem == 0)
            painter.fillRect(rect.toQRect(), Qt::red);
    };
    image = grabbed(*list.viewport());
    EXPECT_EQ(image.pixelColor(QPoint(130, row0.center().y())), QColor(Qt::red));
    EXPECT_FALSE(inkIn(image, QRect(0, row0.top(), 100, row0.height()), window).isEmpty());

    TImageList images(16, 40);
    list.SetSmallImages(&images);
    EXPECT_EQ(list.RowHeight(), 40);
    EXPECT_EQ(d.rowRect(1).height(), 40);
}

TEST(EnhListViewDrawing, AFullRowSelectionCoversTheColumnsAndNotTheRoomBesideThem)
{
    DrawnList d;
    TCustomEnhListView &list = *d.list;
    list.setMinimumWidth(400);
    d.window.layout()->activate();
    ASSERT_GT(list.viewport()->width(), 260);
    list.OnDrawItem = [](TCustomEnhListView *, QPainter &, int, const TRect &, TOwnerDrawState, bool &DefaultDrawing,
                         bool &FullRowSelect) {
        DefaultDrawing = true;
        FullRowSelect = true;
    };
    list.AddItem(QStringLiteral("Ala"), {QStringLiteral("a"), QStringLiteral("b")});
    list.SelectItem(0);
    list.setFocus();
    const QImage image = grabbed(*list.viewport());
    const int y = d.rowRect(0).center().y();
    // The three columns end at 240.
    EXPECT_EQ(image.pixelColor(QPoint(235, y)), system(list, clHighlight));
    EXPECT_EQ(image.pixelColor(QPoint(245, y)), system(list, clWindow));
}

TEST(EnhListViewDrawing, SortArrowSwappedByReverseAndAbsentFromANarrowSection)
{
    DrawnList d;
    TCustomEnhListView &list = *d.list;
    list.SetAutoColumnSort(TAutoColumnSort::acsSortToggle);
    list.SetShowSortArrows(true);
    list.AddItem(QStringLiteral("a"), {QStringLiteral("2")});
    list.AddItem(QStringLiteral("b"), {QStringLiteral("1")});
    QHeaderView &header = *list.header();
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(header.sectionViewportPosition(2) + 5, 5));
    ASSERT_EQ(list.SortColumnIndex(), 2);
    ASSERT_TRUE(list.CurrentSortAscending());

    const QPixmap up = list.SortArrow(true);
    const QPixmap down = list.SortArrow(false);
    ASSERT_FALSE(up.isNull());
    // Side: the "Wy" height - 6, rounded up to even; the up arrow has its shadow edge at the bottom,
    // the down arrow its light edge at the top.
    const int side = (list.fontMetrics().height() - 6 + 1) / 2 * 2;
    EXPECT_EQ(up.size(), QSize(side, side));
    const QImage upImage = up.toImage();
    const QImage downImage = down.toImage();
    for (int x = 0; x + 1 < side; ++x) {
        EXPECT_EQ(upImage.pixel(x + 1, side - 1), system(list, clBtnShadow).rgb()) << x;
        EXPECT_EQ(downImage.pixel(x, 0), system(list, clBtnHighlight).rgb()) << x;
    }

    const auto section = [&](int index) {
        return QRect(header.sectionViewportPosition(index), 0, header.sectionSize(index), header.height());
    };
    QImage image = grabbed(*header.viewport());
    EXPECT_TRUE(containsImage(image, section(2), up));
    EXPECT_FALSE(containsImage(image, section(2), down));
    EXPECT_FALSE(containsImage(image, section(1), up));
    EXPECT_FALSE(containsImage(image, section(1), down));

    list.SetReverseSortArrows(true);
    image = grabbed(*header.viewport());
    EXPECT_TRUE(containsImage(image, section(2), down));
    EXPECT_FALSE(containsImage(image, section(2), up));

    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, QPoint(header.sectionViewportPosition(2) + 5, 5));
    ASSERT_FALSE(list.CurrentSortAscending());
    image = grabbed(*header.viewport());
    EXPECT_TRUE(containsImage(image, section(2), up));

    // Room for the caption but not for the arrow beside it.
    list.SetColumnWidth(2, list.fontMetrics().horizontalAdvance(QStringLiteral("Ile")) + 4 + 4 + side);
    image = grabbed(*header.viewport());
    EXPECT_FALSE(containsImage(image, section(2), up));
    EXPECT_FALSE(containsImage(image, section(2), down));
    EXPECT_FALSE(inkIn(image, section(2).adjusted(2, 2, -2, -2), system(list, clBtnFace)).isEmpty());
}

} // namespace

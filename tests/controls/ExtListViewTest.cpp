// The extended list view: styles, column order and its setting, column formats, check boxes, info tips
// and the virtual mode.
#include "controls/ExtListView.h"
#include "controls/TextDraw.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/controls/ListViewTestSupport.h"
#include "tests/support/HangGuard.h"
#include "tests/support/ProcessUntil.h"

#include <QHeaderView>
#include <QPainter>
#include <QRubberBand>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace {

QPixmap filled(const QColor &color)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(color);
    return pixmap;
}

// A shown owner-drawn list of three columns and three items ("a0"/"b0"/"c0" ... "a2"/"b2"/"c2").
struct ExtList {
    TdfsExtListView list;
    explicit ExtList(bool items = true)
    {
        list.SetStyle(TLVStyle::lvOwnerDrawFixed);
        list.AddColumn(QStringLiteral("A"), 60);
        list.AddColumn(QStringLiteral("B"), 60);
        list.AddColumn(QStringLiteral("C"), 60);
        for (int i = 0; items && i < 3; ++i)
            list.AddItem(QStringLiteral("a%1").arg(i), {QStringLiteral("b%1").arg(i), QStringLiteral("c%1").arg(i)});
        list.Loaded();
        list.resize(400, 300);
        list.show();
    }
    QString text(int index, int subItem) const
    {
        QString result;
        list.GetSubItemText(index, subItem, result);
        return result;
    }
};

TEST(ExtListViewStyles, UnderlineStylesBringAnActivationStyle)
{
    TdfsExtListView list;
    list.SetExtendedStyles(lvxUnderlineHot);
    EXPECT_EQ(list.ExtendedStyles(), lvxUnderlineHot | lvxOneClickActivate);
    list.SetExtendedStyles(lvxUnderlineHot | lvxTwoClickActivate);
    EXPECT_EQ(list.ExtendedStyles(), lvxUnderlineHot | lvxTwoClickActivate);
    list.SetExtendedStyles(lvxUnderlineCold | lvxTwoClickActivate);
    EXPECT_EQ(list.ExtendedStyles(), lvxUnderlineCold | lvxTwoClickActivate | lvxOneClickActivate);
}

class ExtListViewOrder : public FreshRegistry {};

TEST_F(ExtListViewOrder, OrderIsStoredAndTheTextsFollowIt)
{
    {
        ExtList f;
        f.list.SaveSettings().RegistryKey = QStringLiteral("Ext");
        f.list.SaveSettings().AutoSave = true;
        ASSERT_TRUE(f.list.SetColumnOrder({2, 0, 1}));
        EXPECT_EQ(f.list.ActualColumnIndex(0), 1);
        EXPECT_EQ(f.list.GetColumnFromIndex(0), 2);
        EXPECT_EQ(f.list.GetColumnFromIndex(3), -1);
        EXPECT_EQ(f.text(1, -1), "c1");
        EXPECT_EQ(f.text(1, 0), "a1");
        EXPECT_EQ(f.text(1, 1), "b1");
        EXPECT_FALSE(f.list.SetColumnOrder({0, 0, 1}));
        EXPECT_FALSE(f.list.SetColumnOrder({0, 1}));
        EXPECT_EQ(f.list.GetColumnOrder(), (std::vector<int>{2, 0, 1}));

        // The painted row follows the order: "c0" at the first position, "a0" in the middle.
        const QImage image = f.list.viewport()->grab().toImage();
        const QRect row = f.list.visualRect(f.list.Model()->index(0, 0));
        const auto inkBetween = [&](int left, int right) {
            for (int y = row.top(); y <= row.bottom(); ++y)
                for (int x = left; x < right; ++x)
                    if (image.pixelColor(x, y) != toQColor(clWindow, f.list.palette()))
                        return true;
            return false;
        };
        EXPECT_EQ(f.list.header()->sectionViewportPosition(0), 60);
        EXPECT_TRUE(inkBetween(64, 120));
    }
    EXPECT_EQ(store().value("Ext\\Columns", "Order"), platform::RegValue(std::string("2,0,1")));

    ExtList f;
    f.list.SaveSettings().RegistryKey = QStringLiteral("Ext");
    f.list.LoadSettings();
    EXPECT_EQ(f.list.GetColumnOrder(), (std::vector<int>{2, 0, 1}));

    // A stale or hand-edited value keeps the current order; a readable head is applied when it yields
    // a permutation.
    const std::vector<std::pair<std::string, std::vector<int>>> cases{
        {"0,0,1", {2, 0, 1}}, {"7", {2, 0, 1}}, {"1,x,2", {2, 0, 1}}, {"-1,0,1", {2, 0, 1}},
        {"1,0", {1, 0, 2}},   {"", {0, 1, 2}},  {"2,1,0,5", {2, 1, 0}},
    };
    for (const auto &[stored, expected] : cases) {
        f.list.SetColumnOrder({2, 0, 1});
        store().setValue("Ext\\Columns", "Order", stored);
        f.list.LoadSettings();
        EXPECT_EQ(f.list.GetColumnOrder(), expected) << stored;
    }
}

TEST(ExtListViewColumns, AllowResizeRefusesDividerDragAndDoubleClick)
{
    ExtList f;
    f.list.ColumnsFormat().Add();
    f.list.ColumnsFormat().Add().SetAllowResize(false);
    QHeaderView *header = f.list.header();
    const auto dragDivider = [&](int column) {
        const QPoint divider(header->sectionViewportPosition(column) + header->sectionSize(column) - 1, 5);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, divider);
        QTest::mouseMove(header->viewport(), divider + QPoint(30, 0));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, divider + QPoint(30, 0));
    };
    dragDivider(1);
    EXPECT_EQ(f.list.ColumnWidth(1), 60);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 59, 5));
    EXPECT_EQ(f.list.ColumnWidth(1), 60);
    dragDivider(0);
    EXPECT_EQ(f.list.ColumnWidth(0), 90);
    dragDivider(2); // beyond the formats: resizable
    EXPECT_EQ(f.list.ColumnWidth(2), 90);

    f.list.ColumnsFormat().Item(1).SetAllowResize(true);
    dragDivider(1);
    EXPECT_EQ(f.list.ColumnWidth(1), 90);
}

TEST(ExtListViewColumns, OwnerDrawnHeaderShowsTheColumnImageBesideTheCaption)
{
    ExtList f;
    TImageList images(12, 12);
    images.Add(filled(Qt::red));
    f.list.SetSmallImages(&images);
    f.list.OnDrawHeader = [](TCustomEnhListView *, QPainter &, int, TRect &, bool, bool &defaultDrawing) {
        defaultDrawing = true;
    };
    f.list.ColumnsFormat().Add().SetImageIndex(0);
    f.list.ColumnsFormat().Add().SetImageIndex(0);
    f.list.ColumnsFormat().Item(1).SetImageAlignment(TColumnImageAlign::ciaLeftOfText);
    f.list.ColumnsFormat().Add().SetImageIndex(5); // no such image
    QHeaderView *header = f.list.header();
    const QImage image = header->viewport()->grab().toImage();
    const auto redColumns = [&](int column) {
        std::vector<int> xs;
        const int left = header->sectionViewportPosition(column);
        for (int x = left; x < left + header->sectionSize(column); ++x)
            if (image.pixelColor(x, header->height() / 2) == QColor(Qt::red))
                xs.push_back(x);
        return xs;
    };
    const auto inkLeft = [&](int column) {
        const int left = header->sectionViewportPosition(column) + 2;
        for (int x = left; x < left + header->sectionSize(column) - 4; ++x)
            for (int y = 2; y < header->height() - 2; ++y) {
                const QColor c = image.pixelColor(x, y);
                if (c != toQColor(clBtnFace, f.list.palette()) && c != QColor(Qt::red))
                    return x;
            }
        return -1;
    };
    TRect caption;
    CalcTextRect(f.list.fontMetrics(), QStringLiteral("A"), caption, DT_SINGLELINE);
    const int captionWidth = caption.Width();
    // Right of the text: 4 pixels after the caption's end, the caption at its usual place.
    std::vector<int> red = redColumns(0);
    ASSERT_EQ(red.size(), 12u);
    EXPECT_EQ(red.front(), 2 + 4 + captionWidth + 4);
    EXPECT_LE(inkLeft(0), 2 + 4 + 1);
    // Left of the text: the caption moves right past the image.
    red = redColumns(1);
    ASSERT_EQ(red.size(), 12u);
    EXPECT_EQ(red.front(), 60 + 2 + 4);
    EXPECT_GE(inkLeft(1), 60 + 2 + 4 + 12 + 4);
    EXPECT_TRUE(redColumns(2).empty());
}

TEST(ExtListViewChecks, ClickSpaceAndCodeRaiseOnItemCheckedAndStatesSurviveStateImages)
{
    ExtList f;
    f.list.SetExtendedStyles(lvxCheckboxes | lvxSubItemImages);
    std::vector<std::pair<int, bool>> events;
    f.list.OnItemChecked = [&](TCustomExtListView *, int index, bool checked) { events.emplace_back(index, checked); };
    EXPECT_FALSE(f.list.IsChecked(0));

    QTest::mouseClick(f.list.viewport(), Qt::LeftButton, {}, f.list.StateImageRect(1).center());
    EXPECT_TRUE(f.list.IsChecked(1));
    f.list.SelectItem(2);
    QTest::keyClick(&f.list, Qt::Key_Space);
    EXPECT_TRUE(f.list.IsChecked(2));
    f.list.SetChecked(2, true); // unchanged: no event
    f.list.SetChecked(1, false);
    EXPECT_EQ(events, (std::vector<std::pair<int, bool>>{{1, true}, {2, true}, {1, false}}));

    f.list.SetChecked(0, true);
    f.list.SetSubItemImage(0, 1, 0);
    EXPECT_EQ(f.list.GetSubItemImage(0, 1), 0);
    EXPECT_EQ(f.list.GetSubItemImage(0, 0), -1);
    EXPECT_EQ(f.list.GetSubItemImage(7, 1), -1);

    // Own state images: the first is the unchecked box, the second the checked one.
    TImageList states(12, 12);
    states.Add(filled(Qt::blue));
    states.Add(filled(Qt::green));
    TImageList small(12, 12);
    small.Add(filled(Qt::red));
    f.list.SetStateImages(&states);
    f.list.SetSmallImages(&small);
    const QImage image = f.list.viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(f.list.StateImageRect(0).center()), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(f.list.StateImageRect(1).center()), QColor(Qt::blue));
    const QRect cell = f.list.visualRect(f.list.Model()->index(0, 2));
    EXPECT_EQ(image.pixelColor(cell.left() + 4 + 6, cell.center().y()), QColor(Qt::red)); // sub-item image
    f.list.SetStateImages(nullptr);
    EXPECT_TRUE(f.list.IsChecked(0));
    EXPECT_FALSE(f.list.IsChecked(1));
    EXPECT_TRUE(f.list.IsChecked(2));
    EXPECT_EQ(f.list.GetSubItemImage(0, 1), 0);
}

TEST(ExtListViewTips, InfoTipShowsTheCaptionOrWhatTheHandlerAdds)
{
    ExtList f;
    EXPECT_EQ(f.list.InfoTip(1, 0), "a1");
    QString current;
    f.list.OnInfoTip = [&](TCustomExtListView *, int index, int, const QString &caption, QString &additional) {
        current = caption;
        additional = QStringLiteral("pozycja %1").arg(index);
    };
    EXPECT_EQ(f.list.InfoTip(2, 0), "pozycja 2");
    EXPECT_EQ(current, "a2");
}

TEST(ExtListViewVirtual, OnlyVisibleRowsAreAskedForAndTheOwnerAnswersSearches)
{
    ExtList f(false);
    f.list.SetColumnWidth(1, 77);
    std::set<int> asked;
    f.list.OnVMGetItemInfo = [&](TCustomExtListView *, int item, int subItem, TLVVMItemInfo &info) {
        asked.insert(item);
        if (info.Mask & lvifText)
            info.Text = QStringLiteral("%1/%2").arg(item).arg(subItem);
        if (info.Mask & lvifState)
            info.StateImage = item % 2 ? 2 : 1;
    };
    TLVCacheHint hint;
    f.list.OnVMCacheHint = [&](TCustomExtListView *, TLVCacheHint &info) { hint = info; };
    f.list.SetVirtualMode(true);
    EXPECT_EQ(f.list.ColumnWidth(1), 77);
    f.list.SetItemCountEx(1000000);
    ASSERT_EQ(f.list.ItemCount(), 1000000);

    f.list.viewport()->grab();
    const int visible = f.list.viewport()->height() / f.list.RowHeight() + 1;
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(*asked.begin(), 0);
    EXPECT_LE(*asked.rbegin(), visible);
    EXPECT_EQ(hint.From, 0);
    EXPECT_EQ(hint.To, visible - 1);

    f.list.scrollTo(f.list.model()->index(500000, 0), QAbstractItemView::PositionAtTop);
    asked.clear();
    f.list.viewport()->grab();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(*asked.begin(), 500000);
    EXPECT_LE(*asked.rbegin(), 500000 + visible);
    EXPECT_EQ(hint.From, 500000);
    EXPECT_EQ(f.text(500001, 0), "500001/0");
    EXPECT_TRUE(f.list.IsChecked(500001));
    EXPECT_FALSE(f.list.IsChecked(500002));

    // Searches go to the owner; without a handler nothing is found.
    EXPECT_FALSE(f.list.StringSelect(QStringLiteral("7"), 0));
    TLVFindInfo find;
    f.list.OnVMFindItem = [&](TCustomExtListView *, TLVFindInfo &info, int &found) {
        find = info;
        found = 777;
    };
    QTest::keyClicks(&f.list, "7");
    EXPECT_EQ(find.Text, "7");
    EXPECT_EQ(f.list.SelectedIndex(), 777);

    // A header click sorts nothing the owner holds; leaving virtual mode leaves an empty list.
    asked.clear();
    f.list.SetAutoColumnSort(TAutoColumnSort::acsSort);
    f.list.SortColumn(1, true);
    EXPECT_LE(asked.size(), 1u);
    f.list.SetVirtualMode(false);
    EXPECT_EQ(f.list.ItemCount(), 0);
    EXPECT_EQ(f.list.ColumnWidth(1), 77);
}

// Hovering selects the hot item once HoverTime has passed; OnHotTrack may refuse an item or make another
// one hot.
TEST(ExtListViewTracking, HotTrackAndHoverSelect)
{
    ExtList f;
    f.list.HoverTime = 0;
    QWidget &viewport = *f.list.viewport();
    const auto cell = [&](int row, int column) { return f.list.visualRect(f.list.model()->index(row, column)).center(); };
    struct Track {
        int item;
        int subItem;
        QPoint location;
        bool operator==(const Track &) const = default;
    };
    std::vector<Track> tracked;
    f.list.OnHotTrack = [&](TCustomExtListView *, int &item, int subItem, QPoint location, bool &allowSelect) {
        tracked.push_back({item, subItem, location});
        allowSelect = item != 0;
        if (item == 1)
            item = 2;
    };
    std::vector<int> selections;
    QObject::connect(f.list.selectionModel(), &QItemSelectionModel::selectionChanged,
                     [&] { selections.push_back(f.list.SelectedIndex()); });

    QTest::mouseMove(&viewport, cell(2, 0)); // without track select nothing is tracked
    EXPECT_TRUE(tracked.empty());
    f.list.SetExtendedStyles(f.list.ExtendedStyles() | lvxTrackSelect);
    QTest::mouseMove(&viewport, cell(0, 1));
    ASSERT_EQ(tracked.size(), 1u);
    EXPECT_EQ(tracked.back(), (Track{0, 1, cell(0, 1)}));
    QTest::mouseMove(&viewport, cell(1, 2));
    EXPECT_EQ(tracked.back(), (Track{1, 2, cell(1, 2)}));
    EXPECT_TRUE(testsupport::ProcessUntil([&] { return !selections.empty(); }));
    EXPECT_EQ(selections, std::vector<int>{2});
}

// A drag from empty space is a marquee that OnMarqueeBegin may refuse; a refused drag selects nothing.
TEST(ExtListViewTracking, MarqueeFromEmptySpaceSelectsTheRowsItSpans)
{
    ExtList f;
    f.list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    QWidget &viewport = *f.list.viewport();
    const QPoint empty(20, viewport.height() - 10);
    const QPoint onSecond = f.list.visualRect(f.list.model()->index(1, 1)).center();
    bool canBegin = false;
    int asked = 0;
    f.list.OnMarqueeBegin = [&](TCustomExtListView *, bool &begin) {
        ++asked;
        begin = canBegin;
    };
    const auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(&viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(&viewport, (from + to) / 2);
        QTest::mouseMove(&viewport, to);
    };
    const auto selectedRows = [&] {
        std::set<int> rows;
        for (const QModelIndex &index : f.list.selectionModel()->selectedRows())
            rows.insert(index.row());
        return rows;
    };

    drag(empty, onSecond);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(selectedRows().empty());
    EXPECT_EQ(f.list.findChild<QRubberBand *>(), nullptr);
    QTest::mouseRelease(&viewport, Qt::LeftButton, {}, onSecond);

    canBegin = true;
    drag(empty, onSecond);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(selectedRows(), (std::set<int>{1, 2}));
    auto *band = f.list.findChild<QRubberBand *>();
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->isVisible());
    EXPECT_EQ(band->geometry(), QRect(empty, onSecond).normalized());
    QTest::mouseRelease(&viewport, Qt::LeftButton, {}, onSecond);
    EXPECT_FALSE(band->isVisible());
    EXPECT_EQ(selectedRows(), (std::set<int>{1, 2}));

    // A drag that starts on an item is no marquee.
    drag(f.list.visualRect(f.list.model()->index(0, 1)).center(), onSecond);
    QTest::mouseRelease(&viewport, Qt::LeftButton, {}, onSecond);
    EXPECT_EQ(asked, 2);
}

// A virtual list's caption edits go to the owner, cancelled or not; the list keeps no text of its own.
TEST(ExtListViewVirtual, CaptionEditsReachTheOwner)
{
    ExtList f(false);
    f.list.OnVMGetItemInfo = [](TCustomExtListView *, int item, int, TLVVMItemInfo &info) {
        info.Text = QStringLiteral("poz. %1").arg(item);
    };
    f.list.SetVirtualMode(true);
    f.list.SetItemCountEx(5);
    std::vector<std::tuple<int, bool, QString>> edits;
    f.list.OnVMCaptionEdited = [&](TCustomExtListView *, int item, bool canceled, const QString &text) {
        edits.emplace_back(item, canceled, text);
    };
    bool edited = false;
    f.list.OnEdited = [&](TCustomEnhListView *, TListItem, QString &) { edited = true; };

    f.list.SelectItem(3);
    QLineEdit *editor = listviewtest::editCaption(f.list, QStringLiteral("nowa"));
    ASSERT_NE(editor, nullptr);
    listviewtest::endEdit(*editor, Qt::Key_Return);
    f.list.SelectItem(4);
    editor = listviewtest::editCaption(f.list, QStringLiteral("inna"));
    ASSERT_NE(editor, nullptr);
    listviewtest::endEdit(*editor, Qt::Key_Escape);
    EXPECT_EQ(edits, (std::vector<std::tuple<int, bool, QString>>{{3, false, "nowa"}, {4, true, ""}}));
    EXPECT_FALSE(edited);
    EXPECT_EQ(f.text(3, -1), "poz. 3");
}

} // namespace

#include "controls/EnhListView.h"
#include "controls/MessageBeep.h"
#include "tests/fixtures/FreshRegistry.h"

#include "tests/controls/ListViewTestSupport.h"

#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A shown three-column list (caption, "Wartość", "Data") after Loaded().
struct ListFixture {
    TCustomEnhListView list;
    explicit ListFixture(TAutoColumnSort sort = TAutoColumnSort::acsSort)
    {
        list.AddColumn(QStringLiteral("Nazwa"), 50);
        list.AddColumn(QStringLiteral("Wartość"), 50);
        list.AddColumn(QStringLiteral("Data"), 50);
        list.SetAutoColumnSort(sort);
        list.resize(400, 300);
        list.show();
    }
    void add(const QString &caption, const QString &value = {}, const QString &date = {})
    {
        list.AddItem(caption, {value, date});
    }
    QStringList column(int textColumn) const
    {
        QStringList texts;
        for (int i = 0; i < list.ItemCount(); ++i)
            texts << (textColumn < 0 ? list.Item(i).Caption() : list.Item(i).SubItem(textColumn));
        return texts;
    }
    void clickHeader(int section)
    {
        QHeaderView *header = list.header();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    }
};

TEST(EnhListViewSort, SmartComparisonReadsNumbersDatesAndFallsBackToText)
{
    ListFixture f;
    f.list.Loaded();
    f.add("x", "100", "05.01.2024");
    f.add("a9", "12 kg", "31.12.2023");
    f.add("a10", "9", "10.01.2024 08:30");
    f.add("y", "10", "10.01.2024 07:15");
    f.list.SelectItem(3); // "y", value 10

    f.clickHeader(1);
    EXPECT_EQ(f.column(0), (QStringList{"9", "10", "12 kg", "100"}));
    EXPECT_TRUE(f.list.Item(1).Selected());
    EXPECT_TRUE(f.list.Item(1).Focused());
    EXPECT_EQ(f.list.Item(1).Caption(), "y");

    f.clickHeader(2);
    EXPECT_EQ(f.column(1), (QStringList{"31.12.2023", "05.01.2024", "10.01.2024 07:15", "10.01.2024 08:30"}));

    f.clickHeader(0);
    EXPECT_EQ(f.column(-1), (QStringList{"a10", "a9", "x", "y"}));

    f.list.SetAutoSortStyle(TAutoSortStyle::assDefault);
    f.clickHeader(1);
    EXPECT_EQ(f.column(0), (QStringList{"10", "100", "12 kg", "9"}));

    double value = 0;
    EXPECT_TRUE(TCustomEnhListView::TextToNumber("1 234", value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(TCustomEnhListView::TextToDate("1.5", value));
    EXPECT_FALSE(TCustomEnhListView::TextToDate("31.02.2024", value));
}

TEST(EnhListViewSort, ToggleOverThreeClicksThenAnotherColumnWithNegatedEventFlags)
{
    ListFixture f(TAutoColumnSort::acsSortToggle);
    f.list.Loaded();
    for (const char *v : {"2", "3", "1"})
        f.add(v, v, v);
    std::vector<std::pair<int, bool>> begins;
    std::vector<std::pair<int, bool>> finishes;
    f.list.OnSortBegin = [&](TCustomEnhListView *, int column, bool flag) { begins.emplace_back(column, flag); };
    f.list.OnSortFinished = [&](TCustomEnhListView *, int column, bool flag) { finishes.emplace_back(column, flag); };

    f.clickHeader(2);
    EXPECT_EQ(f.column(1), (QStringList{"1", "2", "3"}));
    f.clickHeader(2);
    EXPECT_EQ(f.column(1), (QStringList{"3", "2", "1"}));
    f.clickHeader(2);
    EXPECT_EQ(f.column(1), (QStringList{"1", "2", "3"}));
    f.clickHeader(2);
    f.clickHeader(1);
    EXPECT_EQ(f.column(0), (QStringList{"1", "2", "3"}));

    const std::vector<std::pair<int, bool>> expected{{2, false}, {2, true}, {2, false}, {2, true}, {1, false}};
    EXPECT_EQ(begins, expected);
    EXPECT_EQ(finishes, expected);
    EXPECT_EQ(f.list.SortColumnIndex(), 1);
}

TEST(EnhListViewSort, InsertsInsideBeginUpdateSortOnceAtEndUpdate)
{
    ListFixture f;
    int sorts = 0;
    f.list.OnSortBegin = [&](TCustomEnhListView *, int, bool) { ++sorts; };
    f.add("c");
    EXPECT_EQ(sorts, 0); // no sort before Loaded
    f.list.Loaded();
    EXPECT_EQ(sorts, 1);

    f.list.BeginUpdate();
    f.add("b");
    f.add("a");
    f.list.BeginUpdate();
    f.add("d");
    f.list.EndUpdate();
    EXPECT_EQ(sorts, 1);
    f.list.EndUpdate();
    EXPECT_EQ(sorts, 2);
    EXPECT_EQ(f.column(-1), (QStringList{"a", "b", "c", "d"}));

    f.list.AutoResort = false;
    f.add("0");
    EXPECT_EQ(f.column(-1).last(), "0");
    f.list.MoveItem(4, 1);
    EXPECT_EQ(f.column(-1), (QStringList{"a", "0", "b", "c", "d"}));
}

TEST(EnhListViewSort, EventComparisonAndResortWithoutColumnReadEmptyTexts)
{
    ListFixture f(TAutoColumnSort::acsNoSort);
    f.add("b", "2,5");
    f.add("a", "x");
    f.add("c", "-1");
    int calls = 0;
    f.list.OnSortItems = [&](TCustomEnhListView *, TListItem, TListItem, int column, TSortAs &as, int &) {
        ++calls;
        as = column == 0 ? TSortAs::saNumber : TSortAs::saText;
    };
    f.list.Loaded(); // column 0: captions as text
    EXPECT_EQ(f.column(-1), (QStringList{"a", "b", "c"}));
    f.list.SortColumn(1, true); // unreadable "x" counts as 0; "2,5" through the Polish decimal comma
    EXPECT_EQ(f.column(0), (QStringList{"-1", "x", "2,5"}));

    f.list.SetLastColumnClicked(-1);
    calls = 0;
    f.list.Resort(); // every text reads empty: a stable sort keeps the order
    EXPECT_GT(calls, 0);
    EXPECT_EQ(f.column(0), (QStringList{"-1", "x", "2,5"}));
}

class EnhListViewSettings : public FreshRegistry {};

TEST_F(EnhListViewSettings, RoundTripThroughTheStore)
{
    {
        ListFixture f(TAutoColumnSort::acsSortToggle);
        f.list.SaveSettings().RegistryKey = QStringLiteral("Lista");
        f.list.SaveSettings().AutoSave = true;
        f.list.Loaded();
        f.list.SetColumnWidth(0, 120);
        f.list.SetColumnWidth(1, 80);
        f.list.SetColumnWidth(2, 60);
        f.list.ViewStyle = TViewStyle::vsList;
        f.clickHeader(2);
        f.clickHeader(2);
    } // saved when destroyed
    EXPECT_EQ(store().value("Lista\\Columns", "Sizes"), platform::RegValue(std::string("120,80,60")));
    EXPECT_EQ(store().value("Lista\\Sort", "Ascending"), platform::RegValue(uint32_t{0}));
    EXPECT_EQ(store().value("Lista\\Sort", "SortCol"), platform::RegValue(uint32_t{2}));
    EXPECT_EQ(store().value("Lista\\ViewStyle", "ViewStyle"), platform::RegValue(uint32_t{2}));

    ListFixture f(TAutoColumnSort::acsSortToggle);
    f.list.SaveSettings().RegistryKey = QStringLiteral("Lista");
    f.list.SaveSettings().AutoSave = true;
    f.add("a", "", "1");
    f.add("b", "", "3");
    f.add("c", "", "2");
    f.list.Loaded();
    EXPECT_EQ(f.list.ColumnWidth(0), 120);
    EXPECT_EQ(f.list.ColumnWidth(1), 80);
    EXPECT_EQ(f.list.ColumnWidth(2), 60);
    EXPECT_EQ(f.list.ViewStyle, TViewStyle::vsList);
    EXPECT_EQ(f.list.SortColumnIndex(), 2);
    EXPECT_FALSE(f.list.CurrentSortAscending());
    EXPECT_EQ(f.column(1), (QStringList{"3", "2", "1"}));
}

TEST_F(EnhListViewSettings, BadStoredValues)
{
    store().setValue("Zle\\Columns", "Sizes", std::string("120,80,x"));
    store().setValue("Zle\\Sort", "SortCol", uint32_t{7});
    store().setValue("Zle\\ViewStyle", "ViewStyle", uint32_t{5});
    ListFixture f;
    f.list.SaveSettings().RegistryKey = QStringLiteral("Zle");
    f.add("a", "", "2");
    f.add("b", "", "1");
    f.list.LoadSettings();
    EXPECT_EQ(f.list.ColumnWidth(0), 120);
    EXPECT_EQ(f.list.ColumnWidth(1), 80);
    EXPECT_EQ(f.list.ColumnWidth(2), 50);
    EXPECT_EQ(f.list.SortColumnIndex(), 2);
    EXPECT_EQ(f.list.ViewStyle, TViewStyle::vsReport);
    EXPECT_EQ(f.column(-1), (QStringList{"a", "b"})); // waits for Loaded
    f.list.Loaded();
    EXPECT_EQ(f.column(-1), (QStringList{"a", "b"})); // not AutoSave: Loaded sorts column 0

    store().setValue("Zle\\Columns", "Sizes", std::string("50"));
    f.list.SetColumnWidth(1, 70);
    f.list.LoadSettings();
    EXPECT_EQ(f.list.ColumnWidth(0), 50);
    EXPECT_EQ(f.list.ColumnWidth(1), 70);
    EXPECT_EQ(f.column(1), (QStringList{"1", "2"})); // stored column 7 sorts the last one
}

class EnhListViewSearch : public testing::Test {
protected:
    void SetUp() override
    {
        setMessageBeepHook([this](unsigned) { ++beeps; });
    }
    void TearDown() override { setMessageBeepHook({}); }
    void type(TCustomEnhListView &list, const char *keys, int64_t at)
    {
        now = at;
        QTest::keyClicks(&list, keys);
    }
    int beeps = 0;
    int64_t now = 0;
};

TEST_F(EnhListViewSearch, TypingWithPauseNoMatchOneItemAndNone)
{
    ListFixture f(TAutoColumnSort::acsNoSort);
    f.list.ColumnSearch = true;
    f.list.setSearchClock([this] { return now; });
    for (const char *caption : {"Alfa", "Abc", "Beta", "ABd"})
        f.add(caption);
    f.list.Loaded();

    type(f.list, "a", 10000);
    EXPECT_EQ(f.list.SelectedIndex(), 1); // nothing selected: from item 1
    type(f.list, "b", 10900);
    EXPECT_EQ(f.list.SelectedIndex(), 3); // "ab" after the selected one, any case
    type(f.list, "b", 12000);
    EXPECT_EQ(f.list.SelectedIndex(), 2); // a pause: "b" alone, wrapping
    EXPECT_EQ(beeps, 0);
    type(f.list, "x", 12100);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(f.list.SelectedIndex(), 2);
    type(f.list, "e", 12200);
    EXPECT_EQ(f.list.SelectedIndex(), 2); // "be": the unmatched x was dropped
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(f.list.SubStringSelect(QStringLiteral("lf"), 0));
    EXPECT_EQ(f.list.SelectedIndex(), 0);
    EXPECT_FALSE(f.list.SubStringSelect(QStringLiteral("LF"), 0));

    f.list.SelectItem(3); // the last one selected: wraps to the first
    EXPECT_TRUE(f.list.StringSelect(QStringLiteral("alf"), 0));
    EXPECT_EQ(f.list.SelectedIndex(), 0);

    ListFixture one(TAutoColumnSort::acsNoSort);
    one.add("Jedyny");
    one.list.Loaded();
    EXPECT_TRUE(one.list.StringSelect(QStringLiteral("j"), 0));
    EXPECT_EQ(one.list.SelectedIndex(), 0);
    EXPECT_TRUE(one.list.StringSelect(QStringLiteral("jed"), 0));

    ListFixture none(TAutoColumnSort::acsNoSort);
    none.list.ColumnSearch = true;
    none.list.setSearchClock([this] { return now; });
    none.list.Loaded();
    type(none.list, "q", 20000);
    EXPECT_EQ(beeps, 2);
    EXPECT_FALSE(none.list.StringSelect(QStringLiteral("q"), 0));
}

} // namespace

namespace {

TEST(EnhListViewHeader, NoColumnResizeRefusesDividerDragAndDoubleClick)
{
    ListFixture f;
    f.list.Loaded();
    f.add("bardzo długi tekst pierwszej kolumny");
    QHeaderView *header = f.list.header();
    const int y = header->height() / 2;
    const auto dragDivider = [&] {
        const QPoint divider(header->sectionViewportPosition(0) + header->sectionSize(0) - 1, y);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, divider);
        QTest::mouseMove(header->viewport(), divider + QPoint(40, 0));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, divider + QPoint(40, 0));
    };

    f.list.SetNoColumnResize(true);
    f.list.AddColumn(QStringLiteral("Nowa"), 30);
    dragDivider();
    EXPECT_EQ(f.list.ColumnWidth(0), 50);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionSize(0) - 1, y));
    EXPECT_EQ(f.list.ColumnWidth(0), 50);
    EXPECT_EQ(header->sectionResizeMode(3), QHeaderView::Fixed);

    f.list.SetNoColumnResize(false);
    dragDivider();
    EXPECT_EQ(f.list.ColumnWidth(0), 90);
}

} // namespace

namespace {

using listviewtest::editCaption;
using listviewtest::endEdit;

TEST(EnhListViewEdit, EditedCaptionPassesOnEditedAndResortsOrIsCancelled)
{
    ListFixture f;
    f.list.Loaded();
    for (const char *caption : {"d", "b", "f"})
        f.add(caption, QStringLiteral("w") + caption);
    ASSERT_EQ(f.column(-1), (QStringList{"b", "d", "f"}));
    QStringList edited;
    f.list.OnEdited = [&](TCustomEnhListView *, TListItem item, QString &text) {
        edited << item.Caption() + QStringLiteral("→") + text;
        text += QStringLiteral("1");
    };
    QStringList canceled;
    f.list.OnEditCanceled = [&](TCustomEnhListView *, TListItem item) { canceled << item.Caption(); };

    // An edit opened on a sub-item edits the row's caption; the caption takes the handler's text and
    // the list sorts it to the top.
    f.list.SelectItem(1);
    f.list.setCurrentIndex(f.list.Model()->index(1, 2));
    QLineEdit *editor = editCaption(f.list, QStringLiteral("a"));
    ASSERT_NE(editor, nullptr);
    endEdit(*editor, Qt::Key_Return);
    EXPECT_EQ(edited, QStringList{"d→a"});
    EXPECT_EQ(f.column(-1), (QStringList{"a1", "b", "f"}));
    EXPECT_EQ(f.column(0), (QStringList{"wd", "wb", "wf"}));

    // Escape cancels: the caption stays and only OnEditCanceled hears of it.
    f.list.SelectItem(2);
    editor = editCaption(f.list, QStringLiteral("zzz"));
    ASSERT_NE(editor, nullptr);
    endEdit(*editor, Qt::Key_Escape);
    EXPECT_EQ(canceled, QStringList{"f"});
    EXPECT_EQ(edited.size(), 1);
    EXPECT_EQ(f.column(-1), (QStringList{"a1", "b", "f"}));

    // Without AutoResort the edited item stays where it is; a list without edit triggers is read-only.
    f.list.AutoResort = false;
    f.list.SelectItem(0);
    editor = editCaption(f.list, QStringLiteral("z"));
    ASSERT_NE(editor, nullptr);
    endEdit(*editor, Qt::Key_Return);
    EXPECT_EQ(f.column(-1), (QStringList{"z1", "b", "f"}));
    f.list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(editCaption(f.list, QStringLiteral("y")), nullptr);
}

} // namespace

#include "controls/PropertyStream.h"
#include "controls/TreeNT.h"

#include "tests/support/HangGuard.h"

#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Little-endian bytes built by hand, independent of the writer under test.
struct Bytes {
    std::string data;
    void u8(uint8_t v) { data.push_back(static_cast<char>(v)); }
    void u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            u8(static_cast<uint8_t>(v >> (8 * i)));
    }
    void zeros(int n) { data.append(static_cast<size_t>(n), '\0'); }
    void raw(const std::string &s) { data += s; }
    QByteArray bytes() const { return QByteArray(data.data(), static_cast<qsizetype>(data.size())); }
};

// A record without its own font; text given as Windows-1250 bytes.
void plainRecord(Bytes &b, const std::string &text, int32_t image, int32_t data, uint32_t children,
                 bool checked)
{
    b.u32(80 + static_cast<uint32_t>(text.size()));
    b.u32(static_cast<uint32_t>(image));
    b.u32(static_cast<uint32_t>(image + 1));
    b.u32(checked ? 2 : 1);
    b.u32(0xFFFFFFFF);
    b.u8(checked);
    b.u32(static_cast<uint32_t>(data));
    b.u32(children);
    b.u32(0);
    b.u8(1);
    b.u8(1);
    b.zeros(4 + 4 + 1 + 1 + 1 + 32 + 1 + 4);
    b.u8(static_cast<uint8_t>(text.size()));
    b.raw(text);
}

// "Węzeł 01" .. in Windows-1250.
std::string rootText(int i)
{
    return std::string("W\xEA" "ze\xB3 0") + std::to_string(i % 10);
}

QString rootQText(int i)
{
    return QStringLiteral("Węzeł 0") + QString::number(i % 10);
}

void fillRoots(TTreeNT &tree)
{
    for (int i = 0; i < 13; ++i) {
        TTreeNTNode *node = tree.Items().Add(nullptr, rootQText(i), i * 10 - 5);
        node->ImageIndex = i;
        node->SelectedIndex = i + 1;
        node->setChecked(i % 3 == 0);
    }
}

TTreeNTNode *fontNode(TTreeNT &tree)
{
    TTreeNTNode *node = tree.Items().AddChild(tree.Items().Item(0), QStringLiteral("Gruby"), 7);
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = -13;
    font.Pitch = fpVariable;
    font.Style = fsBold | fsItalic;
    font.Color = clRed;
    node->setFont(font);
    node->setColor(clYellow);
    node->ImageIndex = 4;
    node->SelectedIndex = 5;
    node->setChecked(true);
    return node;
}

QByteArray fontTreeBytes()
{
    Bytes b;
    b.u32(13);
    for (int i = 0; i < 13; ++i) {
        plainRecord(b, rootText(i), i, i * 10 - 5, i == 0 ? 1 : 0, i % 3 == 0);
        if (i != 0)
            continue;
        b.u32(85);
        b.u32(4);
        b.u32(5);
        b.u32(2);
        b.u32(0xFFFFFFFF);
        b.u8(1);
        b.u32(7);
        b.u32(0);
        b.u32(0x00FFFF);  // clYellow
        b.u8(0);
        b.u8(0);
        b.zeros(4);
        b.u32(static_cast<uint32_t>(-13));
        b.u8(fpVariable);
        b.u8(fsBold | fsItalic);
        b.u8(0);
        b.u8(5);
        b.raw("Arial");
        b.zeros(26);
        b.u8(0);
        b.u32(0x0000FF);  // clRed
        b.u8(5);
        b.raw("Gruby");
    }
    return b.bytes();
}

QPoint labelPoint(TTreeNT &tree, TTreeNTNode *node)
{
    return tree.visualItemRect(&node->ItemId()).center();
}

TEST(TreeNTStoredItemsTest, ThirteenRootsAndAnOwnFontMatchHandBuiltBytes)
{
    TTreeNT tree;
    tree.setOptions(tree.Options() | toCheckBoxes);
    fillRoots(tree);
    Bytes roots;
    roots.u32(13);
    for (int i = 0; i < 13; ++i)
        plainRecord(roots, rootText(i), i, i * 10 - 5, 0, i % 3 == 0);
    ASSERT_EQ(roots.data.size(), 1200u);
    EXPECT_EQ(tree.Items().WriteData(), roots.bytes());

    fontNode(tree);
    const QByteArray expected = fontTreeBytes();
    ASSERT_EQ(tree.Items().WriteData(), expected);

    // Through the property stream into a fresh tree, and out again unchanged.
    TTreeNT copy;
    copy.ReadProperties(tree.WriteProperties());
    EXPECT_EQ(copy.Items().WriteData(), expected);
    ASSERT_EQ(copy.Items().Count(), 14);
    TTreeNTNode *child = copy.Items().Item(1);
    EXPECT_EQ(child->Parent(), copy.Items().Item(0));
    EXPECT_EQ(child->Text(), QStringLiteral("Gruby"));
    EXPECT_FALSE(child->ParentFont);
    EXPECT_EQ(child->Font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(child->Font().Style, fsBold | fsItalic);
    EXPECT_EQ(child->Font().Color, clRed);
    EXPECT_EQ(child->Color(), clYellow);
    EXPECT_TRUE(child->Checked());
    EXPECT_EQ(copy.Items().Item(2)->Text(), rootQText(1));
    EXPECT_EQ(copy.Items().Item(0)->Data(), -5);
    EXPECT_FALSE(copy.Items().Item(2)->Checked());
}

TEST(TreeNTStoredItemsTest, TruncatedOrMalformedDataIsRefusedAndTheTreeKept)
{
    const QByteArray good = fontTreeBytes();
    TTreeNT tree;
    tree.Items().Add(nullptr, QStringLiteral("stary"));
    const QByteArray before = tree.Items().WriteData();
    for (qsizetype size = 0; size < good.size(); ++size) {
        EXPECT_THROW(tree.Items().ReadData(good.left(size)), ETreeNTError) << size;
        ASSERT_EQ(tree.Items().WriteData(), before) << size;
    }
    auto patched = [&](qsizetype offset, char value) {
        QByteArray bad = good;
        bad[offset] = value;
        return bad;
    };
    const qsizetype childRecord = 4 + 92;
    EXPECT_THROW(tree.Items().ReadData(good + '\0'), ETreeNTError);
    EXPECT_THROW(tree.Items().ReadData(patched(4, 81)), ETreeNTError);            // size vs text
    EXPECT_THROW(tree.Items().ReadData(patched(4 + 4 + 79, 9)), ETreeNTError);    // text length
    EXPECT_THROW(tree.Items().ReadData(patched(4 + 4 + 24, 2)), ETreeNTError);    // child count
    EXPECT_THROW(tree.Items().ReadData(patched(childRecord + 4 + 42, 32)), ETreeNTError);  // face
    EXPECT_THROW(tree.Items().ReadData(patched(0, 14)), ETreeNTError);            // root count
    EXPECT_EQ(tree.Items().WriteData(), before);

    TPropertyWriter writer;
    writer.WritePropertyName(QStringLiteral("Items.Data"));
    writer.WriteBinary(good.left(good.size() - 1));
    EXPECT_THROW(tree.ReadProperties(writer.Finish()), ETreeNTError);
    EXPECT_EQ(tree.Items().WriteData(), before);

    EXPECT_THROW(tree.Items().Item(-1), ETreeNTError);
    EXPECT_THROW(tree.Items().Item(1), ETreeNTError);
    EXPECT_THROW(tree.Items().Item(0)->Item(-1), ETreeNTError);
    EXPECT_THROW(tree.Items().Item(0)->Item(0), ETreeNTError);
}

class TreeNTInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.resize(200, 300);
        a = tree.Items().Add(nullptr, QStringLiteral("A"));
        a1 = tree.Items().AddChild(a, QStringLiteral("A1"));
        tree.Items().AddChild(a, QStringLiteral("A2"));
        b = tree.Items().Add(nullptr, QStringLiteral("B"));
        b1 = tree.Items().AddChild(b, QStringLiteral("B1"));
        tree.show();
        tree.setFocus();
        tree.setSelected(a);
        tree.OnExpanding = [this](TCustomTreeNT *, TTreeNTNode *node, bool &allow) {
            asked.push_back(node);
            allow = allowExpand;
        };
        tree.OnCollapsing = [this](TCustomTreeNT *, TTreeNTNode *node, bool &allow) {
            asked.push_back(node);
            allow = allowCollapse;
        };
        tree.OnChanging = [this](TCustomTreeNT *, TTreeNTNode *node, bool &allow) {
            asked.push_back(node);
            allow = allowChange;
        };
        tree.OnChange = [this](TCustomTreeNT *, TTreeNTNode *) { ++changes; };
    }

    QPoint buttonPoint(TTreeNTNode *node)
    {
        const QRect rect = tree.visualItemRect(&node->ItemId());
        return QPoint(rect.left() - tree.indentation() / 2, rect.center().y());
    }

    TTreeNT tree;
    TTreeNTNode *a = nullptr, *a1 = nullptr, *b = nullptr, *b1 = nullptr;
    std::vector<TTreeNTNode *> asked;
    bool allowExpand = false, allowCollapse = false, allowChange = false;
    int changes = 0;
};

TEST_F(TreeNTInputTest, ExpansionVetoesHoldForMouseKeysAndCode)
{
    a->Expand(false);
    QTest::keyClick(&tree, Qt::Key_Right);
    QTest::keyClick(&tree, Qt::Key_Plus);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, buttonPoint(a));
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, labelPoint(tree, a));
    EXPECT_FALSE(a->Expanded());
    EXPECT_EQ(asked, std::vector<TTreeNTNode *>(5, a));

    allowExpand = true;
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, buttonPoint(a));
    ASSERT_TRUE(a->Expanded());
    asked.clear();
    QTest::keyClick(&tree, Qt::Key_Left);
    QTest::keyClick(&tree, Qt::Key_Minus);
    a->Collapse(true);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, buttonPoint(a));
    EXPECT_TRUE(a->Expanded());
    EXPECT_EQ(asked, std::vector<TTreeNTNode *>(4, a));
    allowCollapse = true;
    QTest::keyClick(&tree, Qt::Key_Left);
    EXPECT_FALSE(a->Expanded());
}

TEST_F(TreeNTInputTest, SelectionVetoesHoldForMouseKeysAndCode)
{
    tree.setSelected(b);
    QTest::keyClick(&tree, Qt::Key_Down);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, labelPoint(tree, b));
    QTest::keyClick(&tree, Qt::Key_B);
    EXPECT_EQ(tree.Selected(), a);
    ASSERT_EQ(tree.selectedItems().size(), 1);
    EXPECT_EQ(tree.selectedItems().front(), &a->ItemId());
    EXPECT_EQ(asked, std::vector<TTreeNTNode *>(4, b));
    EXPECT_EQ(changes, 0);

    allowChange = true;
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, labelPoint(tree, b));
    EXPECT_EQ(tree.Selected(), b);
    EXPECT_TRUE(b->Selected());
    EXPECT_EQ(changes, 1);
}

TEST_F(TreeNTInputTest, EnterMovesDepthFirstAndWrapsFromTheLastNode)
{
    allowChange = true;
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_EQ(tree.Selected(), a);  // without toWantReturn Enter does not move
    tree.setOptions(tree.Options() | toWantReturn);
    QTest::keyClick(&tree, Qt::Key_Return);
    EXPECT_EQ(tree.Selected(), a1);  // into the collapsed branch
    tree.setSelected(b1);
    QTest::keyClick(&tree, Qt::Key_Enter);
    EXPECT_EQ(tree.Selected(), a);
}

TEST_F(TreeNTInputTest, CheckBoxesToggleByClickAndSpace)
{
    tree.setOptions(tree.Options() | toCheckBoxes);
    ASSERT_FALSE(a->Checked());
    const QRect box = tree.StateImageRect(a->ItemId());
    ASSERT_FALSE(box.isEmpty());
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(a->StateIndex, 2);
    QTest::keyClick(&tree, Qt::Key_Space);
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(a->StateIndex, 1);
}

TEST_F(TreeNTInputTest, LabelEditingAsksOnEditingAndPassesTheTextThroughOnEdited)
{
    bool allowEdit = false;
    tree.OnEditing = [&](TCustomTreeNT *, TTreeNTNode *node, bool &allow) {
        EXPECT_EQ(node, a);
        allow = allowEdit;
    };
    tree.OnEdited = [](TCustomTreeNT *, TTreeNTNode *, QString &text) { text = text.toUpper(); };
    QTest::keyClick(&tree, Qt::Key_F2);
    EXPECT_EQ(tree.findChild<QLineEdit *>(), nullptr);
    allowEdit = true;
    tree.setOptions(tree.Options() | toReadOnly);
    QTest::keyClick(&tree, Qt::Key_F2);
    EXPECT_EQ(tree.findChild<QLineEdit *>(), nullptr);
    tree.setOptions(tree.Options() & ~toReadOnly);
    QTest::keyClick(&tree, Qt::Key_F2);
    auto *editor = tree.findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("źródło"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
    EXPECT_EQ(a->Text(), QStringLiteral("ŹRÓDŁO"));
}

TEST_F(TreeNTInputTest, SingleExpandCollapsesThePreviousBranchUnlessKept)
{
    allowExpand = allowCollapse = true;
    tree.setOptions(tree.Options() | toSingleExpand);
    a->Expand(false);
    b->Expand(false);
    EXPECT_FALSE(a->Expanded());
    tree.OnSingleExpanded = [](TCustomTreeNT *, TTreeNTNode *, bool &autoCollapse) {
        autoCollapse = false;
    };
    a->Expand(false);
    EXPECT_TRUE(a->Expanded());
    EXPECT_TRUE(b->Expanded());
}

TEST(TreeNTOptionsTest, OptionChangeKeepsNodesSelectionAndTopItem)
{
    TTreeNT tree;
    tree.resize(150, 120);
    for (int i = 0; i < 40; ++i)
        tree.Items().Add(nullptr, QStringLiteral("Węzeł %1").arg(i));
    tree.show();
    tree.setSelected(tree.Items().Item(25));
    tree.setTopItem(tree.Items().Item(20));
    ASSERT_EQ(tree.TopItem(), tree.Items().Item(20));
    const QByteArray before = tree.Items().WriteData();
    tree.setOptions(tree.Options() | toCheckBoxes | toFullRowSelect | toReadOnly);
    EXPECT_EQ(tree.Items().Count(), 40);
    EXPECT_EQ(tree.Selected(), tree.Items().Item(25));
    EXPECT_EQ(tree.TopItem(), tree.Items().Item(20));
    EXPECT_FALSE(tree.Items().Item(3)->Checked());
    EXPECT_FALSE(tree.StateImageRect(tree.Items().Item(25)->ItemId()).isEmpty());
    tree.setScrollTime(50);
    EXPECT_EQ(tree.ScrollTime(), 100);
    tree.setItemHeight(30);
    EXPECT_EQ(tree.visualItemRect(&tree.Items().Item(25)->ItemId()).height(), 30);
}

TEST(TreeNTSortTest, TextSortUsesTheLocaleOrOnCompareAndDeletingTheLastChildRemovesTheButton)
{
    TTreeNT tree;
    tree.setSortType(stText);
    for (const char *text : {"Żuraw", "ala", "Bocian", "łoś", "Zebra"})
        tree.Items().Add(nullptr, QString::fromUtf8(text));
    QStringList texts;
    for (TTreeNTNode *node = tree.Items().GetFirstNode(); node; node = node->GetNextSibling())
        texts << node->Text();
    EXPECT_EQ(texts, QStringList({"ala", "Bocian", "łoś", "Zebra", "Żuraw"}));

    tree.OnCompare = [](TCustomTreeNT *, TTreeNTNode *n1, TTreeNTNode *n2, int, int &compare) {
        compare = n2->Text().size() - n1->Text().size();
    };
    tree.AlphaSort();
    EXPECT_EQ(tree.Items().GetFirstNode()->Text(), QStringLiteral("Bocian"));

    TTreeNTNode *parent = tree.Items().GetFirstNode();
    for (int i : {2, 9, 4})
        tree.Items().AddChild(parent, QString::number(i), i);
    const TTVCompare byData = [](TTreeNTNode *n1, TTreeNTNode *n2, int sign) {
        return sign * static_cast<int>(n1->Data() - n2->Data());
    };
    parent->CustomSort(byData, -1);
    EXPECT_EQ(parent->GetFirstChild()->Data(), 9);
    EXPECT_EQ(parent->GetLastChild()->Data(), 2);
    EXPECT_EQ(tree.Items().GetFirstNode(), parent);  // the root level untouched
    tree.CustomSort(byData, 1);
    EXPECT_EQ(parent->GetFirstChild()->Data(), 2);
    while (parent->Count() > 0)
        parent->GetFirstChild()->Delete();
    TTreeNTNode *child = tree.Items().AddChild(parent, QStringLiteral("x"));
    parent->ItemId().setExpanded(true);
    EXPECT_TRUE(parent->HasChildren());
    child->Delete();
    EXPECT_FALSE(parent->HasChildren());
    EXPECT_FALSE(parent->Expanded());
}

} // namespace

namespace {

TEST(TreeNTDragTest, DragOverMarksTheDropTargetAndScrollsAtTheBottomEdge)
{
    TTreeNT tree;
    tree.resize(150, 120);
    for (int i = 0; i < 40; ++i)
        tree.Items().Add(nullptr, QStringLiteral("Węzeł %1").arg(i));
    tree.setDragMode(dmAutomatic);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree, testsupport::HangGuardMs));
    QWidget &viewport = *tree.viewport();
    QMimeData mime;
    const auto moveTo = [&](QPoint pos) {
        QDragMoveEvent move(pos, Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&viewport, &move);
        return move.isAccepted();
    };
    const QPoint onThird = tree.visualItemRect(&tree.Items().Item(2)->ItemId()).center();
    const auto enter = [&] {
        QDragEnterEvent event(QPoint(60, 60), Qt::MoveAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&viewport, &event);
        return event.isAccepted();
    };
    ASSERT_TRUE(enter());

    // Without OnDragOver a drag is refused, but the node under it is still marked.
    EXPECT_FALSE(moveTo(onThird));
    EXPECT_EQ(tree.DropTarget(), tree.Items().Item(2));
    EXPECT_TRUE(tree.Items().Item(2)->DropTarget());
    std::vector<QPoint> over;
    tree.OnDragOver = [&](TCustomTreeNT *, QObject *, int x, int y, bool &accept) {
        over.emplace_back(x, y);
        accept = x > 10;
    };
    EXPECT_TRUE(moveTo(onThird));
    EXPECT_FALSE(moveTo(QPoint(5, onThird.y())));
    ASSERT_EQ(over.size(), 2u);
    EXPECT_EQ(over.back(), QPoint(5, onThird.y()));

    // Held within half an item of the bottom edge the tree scrolls, line by line, until the end.
    const QPoint nearBottom(60, viewport.height() - 2);
    moveTo(nearBottom);
    QScrollBar &bar = *tree.verticalScrollBar();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.value() == bar.maximum(); }, testsupport::HangGuardMs));
    moveTo(nearBottom);
    EXPECT_EQ(tree.DropTarget(), tree.GetNodeAt(nearBottom.x(), nearBottom.y()));

    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(&viewport, &leave);
    EXPECT_EQ(tree.DropTarget(), nullptr);

    std::vector<QPoint> dropped;
    tree.OnDragDrop = [&](TCustomTreeNT *, QObject *, int x, int y) { dropped.emplace_back(x, y); };
    ASSERT_TRUE(enter());
    moveTo(onThird);
    QDropEvent drop(onThird, Qt::MoveAction, &mime, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&viewport, &drop);
    EXPECT_EQ(dropped, std::vector<QPoint>{onThird});
    EXPECT_EQ(tree.DropTarget(), nullptr);
    EXPECT_EQ(tree.Items().Count(), 40);
}

} // namespace

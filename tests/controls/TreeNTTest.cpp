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

namespace {

QPixmap filledImage(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return pixmap;
}

TEST(TreeNTNodeTest, AssignCopiesTextDataImagesAndMarksButNotColourOrCheck)
{
    TTreeNT tree;
    tree.setOptions(tree.Options() | toCheckBoxes);
    TTreeNTNode *source = tree.Items().Add(nullptr, QStringLiteral("Źródło"), 42);
    source->ImageIndex = 3;
    source->SelectedIndex = 4;
    source->OverlayIndex = 1;
    source->setChecked(true);
    source->setColor(clRed);
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Style = fsBold;
    source->setFont(font);
    source->setCut(true);
    source->setHasChildren(true);
    TTreeNTNode *target = tree.Items().Add(nullptr, QStringLiteral("Cel"), 7);
    target->setColor(clBlue);

    target->Assign(*source);
    EXPECT_EQ(target->Text(), QStringLiteral("Źródło"));
    EXPECT_EQ(target->Data(), 42);
    EXPECT_EQ(target->ImageIndex, 3);
    EXPECT_EQ(target->SelectedIndex, 4);
    EXPECT_EQ(target->OverlayIndex, 1);
    EXPECT_TRUE(target->Cut());
    EXPECT_TRUE(target->GetState(nsCut));
    EXPECT_TRUE(target->HasChildren());
    EXPECT_FALSE(target->ParentFont);
    EXPECT_EQ(target->Font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(target->Font().Style, fsBold);
    EXPECT_FALSE(target->ParentColor);
    EXPECT_EQ(target->Color(), clBlue);
    EXPECT_FALSE(target->Checked());
    EXPECT_FALSE(target->GetState(nsChecked));

    // With state images the state index travels too.
    TImageList states(16, 16);
    states.Add(filledImage(Qt::white));
    tree.setStateImages(&states);
    TTreeNTNode *third = tree.Items().Add(nullptr, QStringLiteral("Trzeci"));
    third->Assign(*source);
    EXPECT_EQ(third->StateIndex, 2);
}

TEST(TreeNTNodeTest, NextChildVisibilityAndKeptStates)
{
    TTreeNT tree;
    tree.resize(200, 200);
    TTreeNTNode *root = tree.Items().Add(nullptr, QStringLiteral("Korzeń"));
    TTreeNTNode *first = tree.Items().AddChild(root, QStringLiteral("Pierwszy"));
    TTreeNTNode *second = tree.Items().AddChild(root, QStringLiteral("Drugi"));
    tree.show();
    EXPECT_EQ(root->GetNextChild(first), second);
    EXPECT_EQ(root->GetNextChild(second), nullptr);
    EXPECT_EQ(root->GetNextChild(nullptr), nullptr);

    EXPECT_FALSE(second->IsVisible());
    EXPECT_TRUE(second->DisplayRect(false).isEmpty());
    EXPECT_FALSE(root->GetState(nsExpandedOnce));
    root->Expand(false);
    ASSERT_TRUE(second->IsVisible());
    const QRect row = tree.visualItemRect(&second->ItemId());
    EXPECT_EQ(second->DisplayRect(false), TRect::Bounds(0, row.top(), tree.viewport()->width(), row.height()));
    const TRect label = second->DisplayRect(true);
    EXPECT_GE(label.Left, row.left());
    EXPECT_LT(label.Right, row.right());
    EXPECT_EQ(label.Width(), first->DisplayRect(true).Width() - tree.fontMetrics().horizontalAdvance(QStringLiteral("Pierwszy"))
                                 + tree.fontMetrics().horizontalAdvance(QStringLiteral("Drugi")));
    root->Collapse(false);
    EXPECT_TRUE(root->GetState(nsExpandedOnce));
    EXPECT_FALSE(root->GetState(nsExpanded));

    tree.setSelected(root);
    EXPECT_TRUE(root->GetState(nsSelected));
    EXPECT_FALSE(first->GetState(nsSelected));
}

// A row with a check box, an image and a label; the hit test agrees with what is painted.
TEST(TreeNTHitTest, EachPartOfARowAndTheOutside)
{
    TTreeNT tree;
    tree.resize(300, 200);
    tree.setOptions(tree.Options() | toCheckBoxes);
    TImageList images(16, 16);
    images.Add(filledImage(Qt::red));
    tree.setImages(&images);
    TTreeNTNode *root = tree.Items().Add(nullptr, QStringLiteral("Korzeń"));
    TTreeNTNode *leaf = tree.Items().AddChild(root, QStringLiteral("Liść"));
    root->ImageIndex = leaf->ImageIndex = 0;
    root->SelectedIndex = leaf->SelectedIndex = 0;
    root->Expand(false);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree, testsupport::HangGuardMs));

    const QRect rootRow = tree.visualItemRect(&root->ItemId());
    const QRect leafRow = tree.visualItemRect(&leaf->ItemId());
    const int y = leafRow.center().y();
    EXPECT_EQ(tree.GetHitTestInfoAt(rootRow.left() - 2, rootRow.center().y()), htOnButton);
    EXPECT_EQ(tree.GetHitTestInfoAt(leafRow.left() - 2, y), htOnIndent);  // no children, no button
    EXPECT_EQ(tree.GetHitTestInfoAt(1, y), htOnIndent);
    const QPoint check = tree.StateImageRect(leaf->ItemId()).center();
    EXPECT_EQ(tree.GetHitTestInfoAt(check.x(), check.y()), htOnItem | htOnStateIcon);

    // The red pixels of the leaf's row are its image; the label lies right of them and holds the text.
    const QImage shot = tree.viewport()->grab().toImage();
    int redLeft = -1, redRight = -1;
    for (int x = 0; x < shot.width(); ++x)
        if (shot.pixelColor(x, y) == QColor(Qt::red)) {
            redLeft = redLeft < 0 ? x : redLeft;
            redRight = x;
        }
    ASSERT_GE(redLeft, 0);
    EXPECT_EQ(tree.GetHitTestInfoAt(redLeft, y), htOnItem | htOnIcon);
    EXPECT_EQ(tree.GetHitTestInfoAt(redRight, y), htOnItem | htOnIcon);
    const TRect label = leaf->DisplayRect(true);
    EXPECT_GT(label.Left, redRight);
    EXPECT_EQ(tree.GetHitTestInfoAt(label.Left, y), htOnItem | htOnLabel);
    EXPECT_EQ(tree.GetHitTestInfoAt(label.Right - 1, y), htOnItem | htOnLabel);
    EXPECT_EQ(tree.GetHitTestInfoAt(label.Right, y), htOnRight);
    EXPECT_EQ(tree.GetHitTestInfoAt(tree.viewport()->width() - 1, y), htOnRight);
    const QColor background = shot.pixelColor(tree.viewport()->width() - 1, y);
    for (int x = redRight + 1; x < shot.width(); ++x) {
        if (shot.pixelColor(x, y - 2) != background || shot.pixelColor(x, y) != background) {
            EXPECT_TRUE(x >= label.Left && x < label.Right) << "text painted at " << x;
        }
    }

    EXPECT_EQ(tree.GetHitTestInfoAt(10, tree.viewport()->height() - 1), htNowhere);
    EXPECT_EQ(tree.GetHitTestInfoAt(-1, y), htToLeft);
    EXPECT_EQ(tree.GetHitTestInfoAt(10, -1), htAbove);
    EXPECT_EQ(tree.GetHitTestInfoAt(tree.viewport()->width(), tree.viewport()->height()), htBelow | htToRight);
}

// A descendant's own node kind, for every road a node is made by.
struct TaggedNode : TTreeNTNode {
    using TTreeNTNode::TTreeNTNode;
};

struct TaggedTree : TTreeNT {
    std::unique_ptr<TTreeNTNode> CreateNode(QTreeWidgetItem &Item) override
    {
        return std::make_unique<TaggedNode>(Items(), Item);
    }
};

TEST(TreeNTNodeTest, CreateNodeMakesTheDescendantsNodes)
{
    TTreeNT plain;
    fillRoots(plain);
    TaggedTree tree;
    tree.Items().Add(nullptr, QStringLiteral("Sam"));
    EXPECT_NE(dynamic_cast<TaggedNode *>(tree.Items().GetFirstNode()), nullptr);
    tree.Items().Assign(plain.Items());
    ASSERT_EQ(tree.Items().Count(), 13);
    for (TTreeNTNode *node = tree.Items().GetFirstNode(); node; node = node->GetNext())
        EXPECT_NE(dynamic_cast<TaggedNode *>(node), nullptr);
}

} // namespace

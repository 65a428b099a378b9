#include "controls/RichView.h"

#include "controls/PBEdit.h"
#include "tests/support/HangGuard.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int Plain = 0;
constexpr int Jump = 4;
constexpr int OtherJump = 5;
constexpr int Mono = 6;
constexpr int Big = 7;

// The viewer with its scrolling state in reach of the tests.
class ExposedRichView : public TRichView {
public:
    using TRVScroller::DocSteps;
    using TRVScroller::ScrollY;
    using TRVScroller::StepHeight;
};

class RichViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        style.TextStyles.Add().FontName = QStringLiteral("Courier New");
        style.TextStyles.Add().Size = 20;
        style.Color = clWhite;
        view.SetStyle(&style);
        view.LeftMargin = 2;
        view.resize(300, 200);
        view.show();
    }

    QFontMetrics metrics(int styleNo) const { return QFontMetrics(toQFont(style.TextStyles.Items(styleNo))); }
    int advance(int styleNo, const QString &text) const { return metrics(styleNo).horizontalAdvance(text); }
    QStringList fragmentTexts() const
    {
        QStringList texts;
        for (const TDrawLineInfo &fragment : view.DrawList())
            texts << fragment.Text;
        return texts;
    }
    // The client point inside character `position` (1-based) of a fragment.
    QPoint charPoint(int index, int position) const
    {
        const TDrawLineInfo &fragment = view.DrawList()[size_t(index)];
        const int styleNo = view.LineList()[size_t(fragment.LineIndex)].StyleCode;
        return {fragment.Left + advance(styleNo, fragment.Text.left(position - 1)) + 1,
                fragment.Top + fragment.Height / 2 - view.ScrollY * view.StepHeight};
    }
    void press(QPoint point) { QTest::mousePress(view.viewport(), Qt::LeftButton, {}, point); }
    void release(QPoint point) { QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, point); }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        release(to);
    }
    void moveTo(QPoint point)
    {
        QMouseEvent move(QEvent::MouseMove, point, view.viewport()->mapToGlobal(point), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
    }

    TRVStyle style;
    ExposedRichView view;
};

TEST_F(RichViewTest, AddTextSplitsLinesIntoParagraphs)
{
    view.AddText(QStringLiteral("ab\r\ncd"), Mono);
    view.AddText(QStringLiteral("x"), Plain);
    ASSERT_EQ(view.LineList().size(), 3u);
    EXPECT_EQ(view.LineList()[0].Text, u"ab");
    EXPECT_FALSE(view.LineList()[0].SameParagraph);
    EXPECT_EQ(view.LineList()[1].Text, u"cd");
    EXPECT_FALSE(view.LineList()[1].SameParagraph);
    EXPECT_TRUE(view.LineList()[2].SameParagraph);
    view.Format();
    ASSERT_EQ(view.DrawList().size(), 3u);
    const TDrawLineInfo &cd = view.DrawList()[1];
    const TDrawLineInfo &x = view.DrawList()[2];
    EXPECT_FALSE(x.StartsLine);
    EXPECT_EQ(x.Left, cd.Left + cd.Width);

    view.Clear();
    view.AddText(QStringLiteral("a\n\nb\r\n"), Plain);
    ASSERT_EQ(view.LineList().size(), 3u);
    EXPECT_EQ(view.LineList()[1].Text, u"");
    view.Format();
    // The empty item takes no height: b sits right under a.
    ASSERT_EQ(fragmentTexts(), (QStringList{"a", "b"}));
    EXPECT_EQ(view.DrawList()[1].Top - view.DrawList()[0].Top, metrics(Plain).lineSpacing());

    view.Clear();
    view.AddText(QStringLiteral("\rb"), Plain);
    ASSERT_EQ(view.LineList().size(), 2u);
    EXPECT_EQ(view.LineList()[0].Text, u"");
    EXPECT_FALSE(view.LineList()[0].SameParagraph);
    EXPECT_FALSE(view.LineList()[1].SameParagraph);
}

TEST_F(RichViewTest, TextWrapsAtTheLastSpaceThatFitsWhateverTheControlsWidth)
{
    const QString first = QStringLiteral("Losowania");
    const QString second = QStringLiteral("zakres");
    view.MaxTextWidth = advance(Plain, first + u' ' + second) - 1;
    ASSERT_LE(advance(Plain, first), view.MaxTextWidth);
    view.AddTextNewLine(first + u' ' + second, Plain);
    for (const int width : {300, 40}) {
        view.resize(width, 200);
        view.Format();
        EXPECT_EQ(view.WrapWidth(), view.MaxTextWidth);
        ASSERT_EQ(fragmentTexts(), (QStringList{first, second}));
        const TDrawLineInfo &wrapped = view.DrawList()[1];
        EXPECT_TRUE(wrapped.StartsLine);
        EXPECT_EQ(wrapped.Left, view.LeftMargin);
        EXPECT_EQ(wrapped.TextOffset, first.size() + 2);
        EXPECT_EQ(wrapped.Top - view.DrawList()[0].Top, metrics(Plain).lineSpacing());
    }

    view.MaxTextWidth = 0;
    view.Format();
    EXPECT_EQ(view.WrapWidth(), 10000);
    EXPECT_EQ(fragmentTexts(), QStringList{first + u' ' + second});
    view.MinTextWidth = 12000;
    view.MaxTextWidth = 11000;
    view.Format();
    EXPECT_EQ(view.WrapWidth(), 11000);
}

TEST_F(RichViewTest, WordsWiderThanTheWrapWidthAreCutAndItemsWithoutRoomStartALine)
{
    view.MaxTextWidth = advance(Mono, QStringLiteral("abcd")) + 1;
    ASSERT_GT(advance(Mono, QStringLiteral("abcde")), view.MaxTextWidth);
    view.AddTextNewLine(QStringLiteral("abcdefghij"), Mono);
    view.Format();
    ASSERT_EQ(fragmentTexts(), (QStringList{"abcd", "efgh", "ij"}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(view.DrawList()[size_t(i)].StartsLine);
        EXPECT_EQ(view.DrawList()[size_t(i)].TextOffset, 1 + 4 * i);
    }

    // "ef" continues the line of "ij"; "klmn" does not fit after it and has no space to break at.
    view.AddTextSameLine(QStringLiteral("ef"), Mono);
    view.AddTextSameLine(QStringLiteral("klmn"), Mono);
    view.Format();
    ASSERT_EQ(fragmentTexts(), (QStringList{"abcd", "efgh", "ij", "ef", "klmn"}));
    EXPECT_FALSE(view.DrawList()[3].StartsLine);
    EXPECT_TRUE(view.DrawList()[4].StartsLine);
    EXPECT_EQ(view.DrawList()[4].Left, view.LeftMargin);
}

TEST_F(RichViewTest, BiggerFontLaterOnALinePushesTheLineDownToOneBaseline)
{
    view.AddTextNewLine(QStringLiteral("małe"), Plain);
    view.AddTextSameLine(QStringLiteral("DUŻE"), Big);
    view.AddTextNewLine(QStringLiteral("dalej"), Plain);
    view.Format();
    ASSERT_EQ(view.DrawList().size(), 3u);
    const TDrawLineInfo &small = view.DrawList()[0];
    const TDrawLineInfo &big = view.DrawList()[1];
    EXPECT_EQ(big.Top, metrics(Big).leading());
    EXPECT_EQ(small.Top + metrics(Plain).ascent(), big.Top + metrics(Big).ascent());
    EXPECT_EQ(view.DrawList()[2].Top,
              big.Top + metrics(Big).ascent() + metrics(Big).descent() + metrics(Plain).leading());
    EXPECT_EQ(view.DocHeight(), view.DrawList()[2].Top + metrics(Plain).height() + 1);
}

TEST_F(RichViewTest, JumpFragmentsShareTheirItemsJumpId)
{
    const QString text = QStringLiteral("one two three");
    view.MaxTextWidth = advance(Jump, QStringLiteral("three")) + 1;
    ASSERT_GT(advance(Jump, QStringLiteral("one two")), view.MaxTextWidth);
    view.AddTextNewLine(QStringLiteral("Zobacz: "), Plain);
    view.AddTextNewLine(text, Jump);
    view.AddTextSameLine(QStringLiteral("x"), OtherJump);
    view.Format();
    ASSERT_EQ(view.JumpList().size(), 4u);
    for (int i = 0; i < 3; ++i) {
        const TJumpInfo &jump = view.JumpList()[size_t(i)];
        EXPECT_EQ(jump.JumpId, 0);
        const TDrawLineInfo &fragment = view.DrawList()[size_t(jump.DrawIndex)];
        EXPECT_EQ(fragment.LineIndex, 1);
        EXPECT_EQ(QRect(jump.Left, jump.Top, jump.Width, jump.Height),
                  QRect(fragment.Left, fragment.Top, fragment.Width, fragment.Height));
    }
    EXPECT_EQ(view.JumpList()[3].JumpId, 1);
    EXPECT_EQ(view.LineList()[2].ImageOrJumpNo, 1);
}

TEST_F(RichViewTest, JumpIsFollowedOnlyWhenReleasedOverThePressedJump)
{
    view.FirstJumpNo = 10;
    view.AddTextNewLine(QStringLiteral("pierwszy"), Jump);
    view.AddTextNewLine(QStringLiteral("drugi"), OtherJump);
    view.AddTextNewLine(QStringLiteral("zwykły tekst"), Plain);
    view.Format();
    QList<int> jumps;
    view.OnJump = [&](QObject *, int id) { jumps << id; };
    const QPoint onFirst = charPoint(0, 2);
    const QPoint onSecond = charPoint(1, 2);
    drag(onSecond, onSecond);
    drag(onFirst, onSecond);
    drag(onFirst, charPoint(2, 2));
    drag(charPoint(2, 2), onFirst);
    drag(onFirst, onFirst);
    EXPECT_EQ(jumps, (QList<int>{11, 10}));
}

TEST_F(RichViewTest, MouseOverJumpsShowsTheHandAndReportsEnteringAndLeaving)
{
    view.FirstJumpNo = 3;
    view.AddTextNewLine(QStringLiteral("pierwszy"), Jump);
    view.AddTextNewLine(QStringLiteral("drugi"), OtherJump);
    view.AddTextNewLine(QStringLiteral("zwykły tekst"), Plain);
    view.Format();
    QList<int> moves;
    moveTo(charPoint(0, 2));
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
    moveTo(charPoint(2, 2));
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ArrowCursor);

    view.OnRVMouseMove = [&](QObject *, int id) { moves << id; };
    moveTo(charPoint(0, 2));
    moveTo(charPoint(0, 3));
    moveTo(charPoint(1, 2));
    moveTo(charPoint(2, 2));
    moveTo(charPoint(2, 3));
    EXPECT_EQ(moves, (QList<int>{3, 4, -1}));
}

int countPixels(const QImage &image, const QRect &area, QRgb color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && image.pixel(x, y) == color;
    return count;
}

TEST_F(RichViewTest, HoverColourPaintsOnlyTheJumpUnderTheMouse)
{
    style.HoverColor = clRed;
    style.TextStyles.Items(Jump).Size = 16;
    view.AddTextNewLine(QStringLiteral("HHHH"), Jump);
    view.AddTextNewLine(QStringLiteral("HHHH"), OtherJump);
    view.Format();
    const auto redIn = [&](int fragmentIndex) {
        const TDrawLineInfo &f = view.DrawList()[size_t(fragmentIndex)];
        return countPixels(view.viewport()->grab().toImage(), QRect(f.Left, f.Top, f.Width, f.Height + 4),
                           qRgb(255, 0, 0));
    };
    EXPECT_EQ(redIn(0), 0);
    moveTo(charPoint(0, 2));
    EXPECT_GT(redIn(0), 0);
    EXPECT_EQ(redIn(1), 0);
    moveTo(charPoint(1, 2));
    EXPECT_EQ(redIn(0), 0);
    EXPECT_GT(redIn(1), 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.viewport(), &leave);
    EXPECT_EQ(redIn(1), 0);
}

TEST_F(RichViewTest, TextIsDrawnTwoPixelsBelowItsLayoutPosition)
{
    style.TextStyles.Items(Plain).Color = clRed;
    view.AddTextNewLine(QStringLiteral("H"), Plain);
    view.Format();
    const QFont font = toQFont(style.TextStyles.Items(Plain));
    QImage reference(50, 50, QImage::Format_RGB32);
    reference.fill(Qt::white);
    {
        QPainter painter(&reference);
        painter.setFont(font);
        painter.setPen(Qt::red);
        painter.drawText(0, QFontMetrics(font).ascent(), QStringLiteral("H"));
    }
    const auto inkTop = [](const QImage &image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 100)
                    return y;
        return -1;
    };
    const int expected = inkTop(reference) + view.DrawList()[0].Top + 2;
    EXPECT_EQ(inkTop(view.viewport()->grab().toImage()), expected);
}

TEST_F(RichViewTest, PressAndReleaseSelectFromTheFirstCharacterUpToTheLast)
{
    view.AddTextNewLine(QStringLiteral("abcdefghij"), Mono);
    view.Format();
    int selects = 0;
    view.OnSelect = [&](QObject *) { ++selects; };
    drag(charPoint(0, 3), charPoint(0, 7));
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(view.SelAnchor().Offset, 3);
    EXPECT_EQ(view.SelEnd().Offset, 7);
    EXPECT_EQ(view.GetSelText(), u"cdef");
    // Backwards gives the same text.
    drag(charPoint(0, 7), charPoint(0, 3));
    EXPECT_EQ(view.GetSelText(), u"cdef");
    // Right of and below the last line: through the end.
    drag(charPoint(0, 3), QPoint(290, 190));
    EXPECT_EQ(view.GetSelText(), u"cdefghij");
    view.Deselect();
    EXPECT_FALSE(view.SelectionExists());
    EXPECT_EQ(view.GetSelText(), u"");
}

TEST_F(RichViewTest, SelectionAcrossItemsBreaksLinesOnlyBetweenParagraphs)
{
    view.AddTextNewLine(QStringLiteral("first item"), Mono);
    view.AddTextNewLine(QStringLiteral("second"), Mono);
    view.AddTextSameLine(QStringLiteral(" more"), Mono);
    view.AddTextNewLine(QStringLiteral("third"), Mono);
    view.Format();
    drag(charPoint(0, 7), charPoint(1, 4));
    EXPECT_EQ(view.GetSelText(), u"item\r\nsec");
    drag(charPoint(1, 4), charPoint(2, 3));
    EXPECT_EQ(view.GetSelText(), u"ond m");
    drag(charPoint(0, 1), charPoint(3, 2));
    EXPECT_EQ(view.GetSelText(), u"first item\r\nsecond more\r\nt");
}

TEST_F(RichViewTest, SelectionSurvivesAFormatAndNotAClear)
{
    view.AddTextNewLine(QStringLiteral("alfa beta gamma"), Mono);
    view.Format();
    drag(charPoint(0, 7), charPoint(0, 13));
    ASSERT_EQ(view.GetSelText(), u"eta ga");
    // Wrapped after "beta": the selection follows the characters into the second fragment.
    view.MaxTextWidth = advance(Mono, QStringLiteral("alfa beta "));
    view.Format();
    ASSERT_EQ(fragmentTexts(), (QStringList{"alfa beta", "gamma"}));
    EXPECT_EQ(view.SelEnd().Item, 1);
    EXPECT_EQ(view.SelEnd().Offset, 3);
    EXPECT_EQ(view.GetSelText(), u"eta ga");
    view.Clear();
    EXPECT_FALSE(view.SelectionExists());
}

TEST_F(RichViewTest, CtrlCCopiesTheSelectionAndOtherwiseGoesToOnKeyDown)
{
    view.AddTextNewLine(QStringLiteral("abcdefghij"), Mono);
    view.Format();
    QList<int> keys;
    view.OnKeyDown = [&](QObject *, QKeyEvent *event) { keys << event->key(); };
    QApplication::clipboard()->setText(QStringLiteral("stary"));
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(keys, (QList<int>{Qt::Key_Control, Qt::Key_C}));
    EXPECT_EQ(QApplication::clipboard()->text(), u"stary");

    // With a selection every key pressed with Ctrl is consumed.
    keys.clear();
    drag(charPoint(0, 2), charPoint(0, 5));
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), u"bcd");
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), u"bcd");
    QTest::keyClick(&view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(keys.isEmpty());
    QTest::keyClick(&view, Qt::Key_X);
    EXPECT_EQ(keys, QList<int>{Qt::Key_X});
}

TEST_F(RichViewTest, SelectedTextIsPaintedInTheSelectionColours)
{
    style.SelColor = clBlue;
    style.SelTextColor = clYellow;
    view.AddTextNewLine(QStringLiteral("abcdefghij"), Mono);
    view.Format();
    drag(charPoint(0, 3), charPoint(0, 7));
    const TDrawLineInfo &f = view.DrawList()[0];
    const int selLeft = f.Left + advance(Mono, QStringLiteral("ab"));
    const int selRight = f.Left + advance(Mono, QStringLiteral("abcdef"));
    const QImage image = view.viewport()->grab().toImage();
    const QRect band(0, f.Top + 2, 300, f.Height);
    const QRect selected(selLeft, f.Top + 2, selRight - selLeft, f.Height);
    // The selected characters on a blue ground, the rest on the white background.
    EXPECT_EQ(countPixels(image, selected, qRgb(255, 255, 255)), 0);
    EXPECT_GT(countPixels(image, selected, qRgb(0, 0, 255)), selected.width() * selected.height() / 2);
    EXPECT_GT(countPixels(image, selected, qRgb(255, 255, 0)), 0);
    EXPECT_EQ(countPixels(image, band, qRgb(0, 0, 255)), countPixels(image, selected, qRgb(0, 0, 255)));
    EXPECT_EQ(countPixels(image, band, qRgb(255, 255, 0)), countPixels(image, selected, qRgb(255, 255, 0)));
}

TEST_F(RichViewTest, ClickedWordsStopAtDelimiters)
{
    view.AddTextNewLine(QStringLiteral("ab, cd(ef)"), Mono);
    view.Format();
    QList<QPair<QString, int>> words;
    view.OnRVDblClick = [&](TRichView *, const QString &word, int styleNo) { words << qMakePair(word, styleNo); };
    for (const int position : {3, 4, 1, 6, 8}) {
        const QPoint point = charPoint(0, position);
        drag(point, point);
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, point, view.viewport()->mapToGlobal(point),
                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &doubleClick);
        release(point);
    }
    EXPECT_EQ(words, (QList<QPair<QString, int>>{{"", Mono}, {"", Mono}, {"ab", Mono}, {"cd", Mono}, {"ef", Mono}}));

    words.clear();
    view.SingleClick = true;
    press(charPoint(0, 5));
    release(charPoint(0, 5));
    EXPECT_EQ(words, (QList<QPair<QString, int>>{{"cd", Mono}}));
}

TEST_F(RichViewTest, FindItemAtHitsOnlyFragments)
{
    view.AddTextNewLine(QStringLiteral("abc"), Mono);
    view.AddTextSameLine(QStringLiteral("DEF"), Big);
    view.AddTextNewLine(QStringLiteral("ghi"), Mono);
    view.Format();
    const auto &d = view.DrawList();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(view.FindItemAt(d[size_t(i)].Left + 1, d[size_t(i)].Top + 1), i);
    EXPECT_EQ(view.FindItemAt(d[1].Left + d[1].Width + 5, d[1].Top + 1), -1);
    EXPECT_EQ(view.FindItemAt(0, d[0].Top + 1), -1);
    EXPECT_EQ(view.FindItemAt(d[2].Left + 1, d[2].Bottom() + 5), -1);
}

class RichViewScrollTest : public RichViewTest {
protected:
    void SetUp() override
    {
        RichViewTest::SetUp();
        view.SetVScrollVisible(false);
        view.resize(200, 100);
        for (int i = 0; i < 60; ++i)
            view.AddTextNewLine(QStringLiteral("wiersz %1").arg(i), Plain);
        view.Format();
        view.OnVScrolled = [this](QObject *) { ++scrolls; };
    }
    int lastPosition() const { return view.verticalScrollBar()->maximum(); }

    int scrolls = 0;
};

TEST_F(RichViewScrollTest, KeysScrollWithTheBarHiddenAndTheBarLimitsTheEnd)
{
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
    EXPECT_EQ(view.DocSteps, view.DocHeight() / view.StepHeight);
    const int page = view.viewport()->height() / view.StepHeight;
    EXPECT_EQ(lastPosition(), view.DocSteps - (page - 1));

    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.ScrollY, 1);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.ScrollY, 11);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.ScrollY, 10);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.ScrollY, 0);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.ScrollY, lastPosition());
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.ScrollY, 0);
    EXPECT_EQ(scrolls, 6);

    view.ScrollVertTo(view.DocSteps + 100);
    EXPECT_EQ(view.ScrollY, lastPosition());
    EXPECT_EQ(scrolls, 7);
    view.ScrollVertTo(view.DocSteps + 100);
    EXPECT_EQ(scrolls, 7);
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
}

TEST_F(RichViewScrollTest, FormatReturnsToTheTopAndResizeKeepsTheOffset)
{
    int resized = 0;
    view.OnResized = [&](QObject *) { ++resized; };
    view.ScrollVertTo(5);
    view.resize(220, 100);
    EXPECT_EQ(view.ScrollY, 5);
    EXPECT_GE(resized, 1);
    view.Format();
    EXPECT_EQ(view.ScrollY, 0);
}

TEST_F(RichViewScrollTest, ThumbDragWithoutTrackingMovesTheDocumentOnRelease)
{
    view.SetVScrollVisible(true);
    QScrollBar *bar = view.verticalScrollBar();
    view.SetTracking(false);
    bar->setSliderDown(true);
    bar->setSliderPosition(3);
    EXPECT_EQ(view.ScrollY, 0);
    bar->setSliderDown(false);
    EXPECT_EQ(view.ScrollY, 3);
    view.SetTracking(true);
    bar->setSliderDown(true);
    bar->setSliderPosition(6);
    EXPECT_EQ(view.ScrollY, 6);
    bar->setSliderDown(false);
}

TEST_F(RichViewScrollTest, ChildControlsKeepTheirTrueTopInTheirTag)
{
    auto *child = new TPBEdit(view.viewport());
    child->Tag = 25000;
    view.PlaceChildTop(child);
    EXPECT_EQ(child->y(), 10000);
    view.MoveChildren(0, -20000);
    EXPECT_EQ(child->Tag, 5000);
    EXPECT_EQ(child->y(), 5000);
    view.ScrollVertTo(2);
    EXPECT_EQ(child->Tag, 5000 - 2 * view.StepHeight);
    EXPECT_EQ(child->y(), child->Tag);
    view.MoveChildren(7, 0);
    EXPECT_EQ(child->x(), 7);
}

TEST_F(RichViewScrollTest, DraggingAboveTheViewScrollsUpOneOrTenStepsPerTick)
{
    view.ScrollVertTo(60);
    press(charPoint(view.FirstItemToPaint(view.ScrollY * view.StepHeight) + 3, 2));
    const QPointer<QTimer> timer = view.findChild<QTimer *>();
    ASSERT_TRUE(timer && timer->isActive());
    // The position after each tick: this slot runs after the view's own.
    std::vector<int> ticks;
    QObject::connect(timer, &QTimer::timeout, [&] { ticks.push_back(view.ScrollY); });
    const auto twoTicksFrom = [&](QPoint point) {
        moveTo(point);
        ticks = {view.ScrollY};
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.size() == 3; }, testsupport::HangGuardMs));
        return ticks;
    };
    const std::vector<int> slow = twoTicksFrom(QPoint(20, -5));
    EXPECT_EQ(slow, (std::vector<int>{slow[0], slow[0] - 1, slow[0] - 2}));
    const std::vector<int> fast = twoTicksFrom(QPoint(20, -30));
    EXPECT_EQ(fast, (std::vector<int>{fast[0], fast[0] - 10, fast[0] - 20}));
    release(QPoint(20, -30));
    EXPECT_TRUE(!timer || !timer->isActive());
    EXPECT_TRUE(view.SelectionExists());
}

} // namespace

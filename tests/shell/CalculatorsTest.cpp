#include "controls/FloatSpin.h"
#include "controls/PBEdit.h"
#include "controls/StringAlignGrid.h"
#include "engine/UGameMan.h"
#include "platform/gui/MessageBox.h"
#include "shell/FMain.h"
#include "shell/FProbs.h"
#include "shell/FToolNewton.h"
#include "shell/ProbsTable.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/ReferenceMath.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <tuple>

using testsupport::binomial128;
using testsupport::decimal128;

namespace {

// The cell as computed here from exact integers: the odds by integer division, the probability rounded
// half up at ten decimals.
QString ExactCell(int N, int Drawn, int P, int H)
{
    const __int128 all = binomial128(N, P);
    const __int128 wins = binomial128(Drawn, H) * binomial128(N - Drawn, P - H);
    const __int128 scale = 10'000'000'000;
    const __int128 tenths = (2 * wins * scale + all) / (2 * all);
    std::string fraction = decimal128(tenths);
    fraction.insert(0, 10 - fraction.size(), '0');
    const std::string probability = wins * scale < all ? "<0.0000000001" : "0," + fraction;
    return QString::fromStdString("1 : " + decimal128(all / wins) + " = \n" + probability);
}

} // namespace

class CalculatorsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        frame = std::make_unique<TfrmMain>();
        frame->show();
    }
    void TearDown() override
    {
        frame.reset();
        ShellTest::TearDown();
    }

    template <class Window>
    Window *Open(QAction *Item)
    {
        Item->trigger();
        return qobject_cast<Window *>(frame->ActiveChildForm());
    }
    void Close(QWidget *Window)
    {
        qobject_cast<QMdiSubWindow *>(Window->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int OpenProbsWindows() const
    {
        int count = 0;
        for (QWidget *child : frame->ChildForms())
            count += qobject_cast<TfrmProbs *>(child) != nullptr;
        return count;
    }

    std::unique_ptr<TfrmMain> frame;
};

TEST_F(CalculatorsTest, NewtonShowsEveryCoefficientExactlyInGroupsOfThree)
{
    TfrmToolNewton *window = Open<TfrmToolNewton>(frame->mToolNewton);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->eRes->text(), QStringLiteral("252")) << "the defaults 10 and 5";
    for (int n = 1; n <= 100; ++n) {
        window->seN->SetValue(n);
        for (int k = 1; k <= n; ++k) {
            window->seK->SetValue(k);
            ASSERT_EQ(window->eRes->text().remove(QLatin1Char(' ')).toStdString(), decimal128(binomial128(n, k)))
                << n << " " << k;
        }
    }
    window->seN->SetValue(100);
    window->seK->SetValue(50);
    EXPECT_EQ(window->eRes->text(), QStringLiteral("100 891 344 545 564 193 334 812 497 256"));
    window->seK->SetValue(1);
    EXPECT_EQ(window->eRes->text(), QStringLiteral("100"));
    EXPECT_EQ(GroupByThree("1234567"), "1 234 567");
}

TEST_F(CalculatorsTest, NewtonKeepsKWithinNAndStoresThemWhenClosed)
{
    TfrmToolNewton *window = Open<TfrmToolNewton>(frame->mToolNewton);
    ASSERT_NE(window, nullptr);
    window->seN->SetValue(3);
    EXPECT_EQ(window->seK->Value(), 3);
    EXPECT_EQ(window->seK->MaxValue(), 3);
    EXPECT_EQ(window->eRes->text(), QStringLiteral("1"));
    window->seN->SetValue(7);
    window->seK->SetValue(2);
    Close(window);
    EXPECT_EQ(store().value("Stats\\0\\6", "Params"), platform::RegValue(platform::Bytes{1, 7, 2}));

    window = Open<TfrmToolNewton>(frame->mToolNewton);
    EXPECT_EQ(window->eRes->text(), QStringLiteral("21"));
    Close(window);

    // Stored values outside the limits are ignored; k is never taken above n.
    for (const auto &[stored, n, k] : {std::tuple{platform::Bytes{1, 0, 4}, 10, 4},
                                       std::tuple{platform::Bytes{1, 6, 9}, 6, 5},
                                       std::tuple{platform::Bytes{1, 101, 50}, 10, 5},
                                       std::tuple{platform::Bytes{0, 20, 2}, 10, 5}}) {
        store().setValue("Stats\\0\\6", "Params", platform::RegValue(stored));
        window = Open<TfrmToolNewton>(frame->mToolNewton);
        EXPECT_EQ(window->seN->Value(), n) << int(stored[1]);
        EXPECT_EQ(window->seK->Value(), k) << int(stored[2]);
        Close(window);
    }
}

TEST_F(CalculatorsTest, NewtonBoundsKOnlyOnceTheTypedNIsComplete)
{
    TfrmToolNewton *window = Open<TfrmToolNewton>(frame->mToolNewton);
    ASSERT_NE(window, nullptr);
    window->seN->SetValue(10);
    window->seK->SetValue(6);
    window->seN->setFocus();
    window->seN->selectAll();
    // "4" may still become 40: k stays, and the result is C(4, 6).
    QTest::keyClick(window->seN, Qt::Key_4);
    EXPECT_EQ(window->seK->text(), QStringLiteral("6"));
    EXPECT_EQ(window->eRes->text(), QStringLiteral("0"));
    // No digit can follow 49.
    QTest::keyClick(window->seN, Qt::Key_9);
    EXPECT_EQ(window->seK->text(), QStringLiteral("6"));
    EXPECT_EQ(window->seK->MaxValue(), 49);
    EXPECT_EQ(window->eRes->text(), QStringLiteral("13 983 816"));

    // "5" could grow; Enter ends it and k follows.
    window->seN->selectAll();
    QTest::keyClick(window->seN, Qt::Key_5);
    EXPECT_EQ(window->seK->text(), QStringLiteral("6"));
    QTest::keyClick(window->seN, Qt::Key_Return);
    EXPECT_EQ(window->seK->text(), QStringLiteral("5"));
    EXPECT_EQ(window->eRes->text(), QStringLiteral("1"));
    // An emptied n shows no result.
    QTest::keyClick(window->seN, Qt::Key_Backspace);
    EXPECT_EQ(window->eRes->text(), QString());
}

TEST_F(CalculatorsTest, ProbabilitiesOfTheShippedGamesMatchExactCounts)
{
    struct Expected {
        int MinPicks, MaxPicks, Low;
    };
    // Lotto: systems from 7 numbers, so 6 picks only; Mini Lotto 5; Multi Multi 1 to 10, winning from 1 hit.
    const Expected games[] = {{6, 6, 3}, {5, 5, 3}, {1, 10, 1}};
    for (int g = 0; g < 3; ++g) {
        frame->cbGame->setCurrentIndex(g);
        TfrmProbs *window = Open<TfrmProbs>(frame->mToolProbs);
        ASSERT_NE(window, nullptr);
        const TGameInfo &info = Games.GetGame(g)->Info;
        const Expected &e = games[g];
        SCOPED_TRACE(info.ShortName);
        EXPECT_EQ(window->windowTitle(),
                  QStringLiteral("<%1> Prawdopodobieństwo wygranych").arg(QString::fromStdString(info.ShortName)));
        TStringAlignGrid *grid = window->grid;
        ASSERT_EQ(grid->ColCount(), e.MaxPicks - e.MinPicks + 2);
        ASSERT_EQ(grid->RowCount(), e.MaxPicks - e.Low + 2);
        int filled = 0;
        for (int c = 1; c < grid->ColCount(); ++c) {
            const int p = e.MaxPicks - c + 1;
            EXPECT_EQ(grid->Cells(c, 0), QString::number(p));
            for (int r = 1; r < grid->RowCount(); ++r) {
                const int h = e.MaxPicks - r + 1;
                EXPECT_EQ(grid->Cells(0, r), QStringLiteral(" P('%1')").arg(h));
                const bool shown = h >= info.MinHits[size_t(p) - 1] && h <= p;
                EXPECT_EQ(grid->Cells(c, r), shown ? ExactCell(info.MaxNumber, info.Drawn, p, h) : QString())
                    << p << " " << h;
                filled += shown;
            }
        }
        EXPECT_GT(filled, 0);
    }
    frame->cbGame->setCurrentIndex(0);
    TfrmProbs *lotto = Open<TfrmProbs>(frame->mToolProbs);
    EXPECT_EQ(lotto->grid->Cells(1, 1), QStringLiteral("1 : 13983816 = \n0,0000000715"));
    EXPECT_EQ(lotto->grid->Cells(1, 4), QStringLiteral("1 : 56 = \n0,0176504039"));
}

TEST_F(CalculatorsTest, OddsBeyondSixtyFourBitsAndTinyProbabilities)
{
    // 20 of 99 drawn and 20 picked: C(99, 20) is far past 2^63 - 1.
    EXPECT_EQ(QString::fromStdString(ProbsCellText(99, 20, 1, 20, 10)), ExactCell(99, 20, 20, 10));
    const std::string all = ProbsCellText(99, 20, 1, 20, 20);
    const std::string exact = decimal128(binomial128(99, 20));
    EXPECT_EQ(all.substr(0, 4 + 17), "1 : " + exact.substr(0, 17)) << "the odds' leading digits";
    EXPECT_EQ(all.substr(all.find('\n') + 1), "<0.0000000001");
    EXPECT_EQ(all.size(), ("1 : " + exact + " = \n<0.0000000001").size());
    EXPECT_EQ(ProbsCellText(49, 6, 3, 6, 2), "") << "below the lowest winning degree";
    EXPECT_EQ(ProbsCellText(10, 6, 1, 8, 3), "") << "more misses than undrawn numbers";
}

TEST_F(CalculatorsTest, ASecondProbabilitiesCommandBringsTheGamesOpenWindowForward)
{
    TfrmProbs *lotto = Open<TfrmProbs>(frame->mToolProbs);
    ASSERT_NE(lotto, nullptr);
    frame->cbGame->setCurrentIndex(1);
    TfrmProbs *mini = Open<TfrmProbs>(frame->mToolProbs);
    ASSERT_NE(mini, lotto);
    auto *holder = qobject_cast<QMdiSubWindow *>(lotto->parentWidget());
    holder->showMinimized();
    frame->cbGame->setCurrentIndex(0);
    EXPECT_EQ(Open<TfrmProbs>(frame->mToolProbs), lotto);
    EXPECT_FALSE(holder->isMinimized());
    EXPECT_EQ(OpenProbsWindows(), 2);
}

TEST_F(CalculatorsTest, WithoutACalculatorInstalledTheSystemCalculatorSaysSo)
{
    // No program can be found on an empty search path.
    const QByteArray path = qgetenv("PATH");
    const QTemporaryDir empty;
    qputenv("PATH", QFile::encodeName(empty.path()));
    script.answerBox(platform::IDOK);
    frame->mToolCalc->trigger();
    qputenv("PATH", path);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Flags, 48);
}

// The saved number sets: their file byte by byte, the number-sets window and the pick dialog.
#include "controls/StringAlignGrid.h"
#include "core/UGlobalFiles.h"
#include "platform/gui/MessageBox.h"
#include "shell/CombSets.h"
#include "shell/FGlobalStartup.h"
#include "shell/FMain.h"
#include "shell/FReadComb.h"
#include "shell/FSelectComb.h"
#include "shell/FToolCombs.h"
#include "ShellTestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// One 1113-byte record; Comment is Windows-1250 text, put into the field as it is.
Bytes Record(double Saved, uint8_t Count, const std::vector<uint8_t> &Numbers, const std::string &Comment)
{
    Bytes rec(1113, 0);
    std::memcpy(rec.data(), &Saved, 8);
    rec[8] = Count;
    std::copy(Numbers.begin(), Numbers.end(), rec.begin() + 9);
    std::copy(Comment.begin(), Comment.end(), rec.begin() + 89);
    return rec;
}

void PutLE32(Bytes &Out, uint32_t Value)
{
    for (int i = 0; i < 4; ++i)
        Out.push_back(uint8_t(Value >> (8 * i)));
}

// Header, count, records and the checksum.
Bytes SetsFile(const std::vector<Bytes> &Records, uint8_t Kind = 7)
{
    Bytes file = {3, 0, 0, 0, Kind, 0};
    PutLE32(file, uint32_t(Records.size()));
    for (const Bytes &rec : Records)
        file.insert(file.end(), rec.begin(), rec.end());
    PutLE32(file, StreamCRC(file, false));
    return file;
}

// The file with its checksum made right again after Change.
Bytes Resealed(const Bytes &File, const std::function<void(Bytes &)> &Change)
{
    Bytes body(File.begin(), File.end() - 4);
    Change(body);
    PutLE32(body, StreamCRC(body, false));
    return body;
}

Bytes ContentOf(const fs::path &File)
{
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path &File, const Bytes &Content)
{
    fs::create_directories(File.parent_path());
    std::ofstream(File, std::ios::binary).write(reinterpret_cast<const char *>(Content.data()), std::streamsize(Content.size()));
}

std::vector<std::vector<uint8_t>> NumbersOf(const TCombSets &Sets)
{
    std::vector<std::vector<uint8_t>> numbers;
    for (const TCombSetRec &set : Sets)
        numbers.emplace_back(set.Chosen().begin(), set.Chosen().end());
    return numbers;
}

} // namespace

class CombSetsTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        frame = std::make_unique<TfrmMain>();
        frame->show();
        file = fs::path(CombSetsFileName());
    }
    void TearDown() override
    {
        frame.reset();
        ShellTest::TearDown();
    }

    // The window "Zbiory liczb" opens from the menu.
    TfrmToolCombs *OpenWindow()
    {
        frame->mToolCombs->trigger();
        return qobject_cast<TfrmToolCombs *>(frame->ActiveChildForm());
    }
    void Close(TfrmToolCombs *Window)
    {
        frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(Window->parentWidget()));
        frame->MdiArea->closeActiveSubWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<TfrmMain> frame;
    fs::path file;
};

TEST_F(CombSetsTest, TheFileIsReadRecordByRecordAndRefusedWhenItIsNotANumberSetsFile)
{
    const double saved = 45000;
    const Bytes first = Record(saved, 3, {9, 3, 5}, "pierwszy \xB9\xEA");
    const Bytes second = Record(saved + 1, 2, {80, 1}, std::string(1024, 'x'));
    TCombSets sets;
    ASSERT_TRUE(DecodeCombSets(SetsFile({first, second}), sets));
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(NumbersOf(sets), (std::vector<std::vector<uint8_t>>{{9, 3, 5}, {80, 1}}));
    EXPECT_EQ(sets[0].Saved, saved);
    EXPECT_EQ(sets[0].Comment, "pierwszy ąę");
    EXPECT_EQ(sets[1].Comment, std::string(1023, 'x')) << "the comment ends at its field's last byte";

    // Records that cannot be a set are left out; the others stay in order.
    const Bytes tooMany = Record(saved, 200, std::vector<uint8_t>(80, 1), "");
    const Bytes repeated = Record(saved, 3, {4, 7, 4}, "");
    const Bytes outside = Record(saved, 2, {81, 1}, "");
    const Bytes zero = Record(saved, 2, {5, 0}, "");
    ASSERT_TRUE(DecodeCombSets(SetsFile({tooMany, first, repeated, outside, zero, second}), sets));
    EXPECT_EQ(NumbersOf(sets), (std::vector<std::vector<uint8_t>>{{9, 3, 5}, {80, 1}}));
    ASSERT_TRUE(DecodeCombSets(SetsFile({}), sets));
    EXPECT_TRUE(sets.empty());

    const Bytes good = SetsFile({first, second});
    const std::vector<std::pair<const char *, Bytes>> refused = {
        {"another kind", SetsFile({first, second}, 5)},
        {"an older version", Resealed(good, [](Bytes &B) { B[0] = 2; })},
        {"a byte too many", Resealed(good, [](Bytes &B) { B.push_back(0); })},
        {"a count above the records", Resealed(good, [](Bytes &B) { B[6] = 3; })},
        {"a negative count", Resealed(good, [](Bytes &B) { std::fill_n(B.begin() + 6, 4, 0xFF); })},
        {"a wrong checksum", [&] { Bytes b = good; b[20] ^= 1; return b; }()},
        {"too short", {3, 0, 0, 0, 7, 0}},
    };
    for (const auto &[what, bytes] : refused) {
        EXPECT_FALSE(DecodeCombSets(bytes, sets)) << what;
        EXPECT_TRUE(sets.empty()) << what;
    }

    // Reading the file: a missing one is no refusal, a damaged one is.
    EXPECT_FALSE(ReadCombSets(file.string()).Refused);
    WriteBytes(file, refused[0].second);
    const TCombSetsFile read = ReadCombSets(file.string());
    EXPECT_TRUE(read.Refused);
    EXPECT_TRUE(read.Sets.empty());
}

TEST_F(CombSetsTest, SetsSavedReplacedAndDeletedInTheWindowAreWrittenWhenItCloses)
{
    const double today = std::floor(Now());
    TfrmToolCombs *window = OpenWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(OpenWindow(), window) << "one number-sets window at a time";

    for (int number : {5, 3, 9})
        window->gbKey->Button(number)->click();
    RightDrag(*window->gbKey, 9, 5);
    EXPECT_EQ(window->txtSelNums->toPlainText(), QStringLiteral(" 9  3  5 "));
    window->txtDesc->setPlainText(QStringLiteral("pierwszy"));
    window->btnWrite->click();

    window->eInput->setText(QStringLiteral("7, 7, 81, 0 i 12"));
    window->btnReadNums->click();
    EXPECT_EQ(window->txtSelNums->toPlainText(), QStringLiteral(" 7 12 "));
    window->txtDesc->setPlainText(QStringLiteral("drugi zbiór"));
    window->btnWrite->click();
    EXPECT_EQ(window->Grid->Cells(3, 1), QStringLiteral(" 7 12 ")) << "the newest set is row 1";
    EXPECT_EQ(window->Grid->Cells(3, 2), QStringLiteral(" 9  3  5 "));

    // Row 2 replaced keeps its place and takes the comment it shows.
    window->Grid->setRow(2);
    EXPECT_EQ(window->txtDesc->toPlainText(), QStringLiteral("pierwszy"));
    window->btnClear->click();
    for (int number : {80, 1, 40})
        window->gbKey->Button(number)->click();
    window->btnReplace->click();
    EXPECT_EQ(window->Grid->Cells(3, 2), QStringLiteral("80  1 40 "));

    // A third set, then rows 1 and 2 deleted.
    window->btnClear->click();
    window->gbKey->Button(2)->click();
    window->txtDesc->setPlainText(QStringLiteral("trzeci"));
    window->btnWrite->click();
    window->Grid->setSelection({0, 1, 3, 2});
    window->btnDelete->click();
    EXPECT_EQ(window->Grid->RowCount(), 2);
    EXPECT_EQ(window->Grid->Cells(3, 1), QStringLiteral("80  1 40 "));

    // Reading the set back into the pad.
    window->btnClear->click();
    window->txtDesc->clear();
    window->btnReadComb->click();
    EXPECT_EQ(window->gbKey->Chosen(), (TDynByteArr{80, 1, 40}));
    EXPECT_EQ(window->txtDesc->toPlainText(), QStringLiteral("pierwszy"));

    EXPECT_FALSE(fs::exists(file)) << "written only when the window closes";
    Close(window);
    EXPECT_EQ(ContentOf(file), SetsFile({Record(today, 3, {80, 1, 40}, "pierwszy")}));

    // The pick dialog offers the file's sets and hands the chosen one to the combination dialog.
    WriteBytes(file, SetsFile({Record(today, 2, {4, 2}, "a"), Record(today, 3, {30, 10, 20}, "b")}));
    script.onDialog([](QDialog &Dialog) {
        auto &entry = dynamic_cast<TfrmSelectComb &>(Dialog);
        entry.btnRead->click();
        EXPECT_EQ(entry.gbKey->Chosen(), (TDynByteArr{10, 20, 30}));
        entry.btnOK->click();
    });
    script.onDialog([](QDialog &Dialog) {
        auto &pick = dynamic_cast<TfrmReadComb &>(Dialog);
        EXPECT_EQ(pick.txtDesc->toPlainText(), QStringLiteral("a"));
        pick.Grid->setRow(2);
        EXPECT_EQ(pick.txtDesc->toPlainText(), QStringLiteral("b"));
        pick.btnOK->click();
    });
    const auto entered = SelectComb(nullptr, [](TfrmSelectComb &Dialog) {
        Dialog.MinLen = 1;
        Dialog.MaxLen = 6;
        Dialog.MaxNumber = 49;
    });
    ASSERT_TRUE(entered);
    EXPECT_EQ(entered->Numbers, (TDynByteArr{10, 20, 30}));
}

TEST_F(CombSetsTest, ADamagedFileSurvivesTheWindowAndAFailedWriteIsReported)
{
    WriteBytes(file, {'n', 'o', 't', ' ', 's', 'e', 't', 's'});
    TfrmToolCombs *window = OpenWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Grid->RowCount(), 2);
    script.onDialog([](QDialog &Dialog) {
        EXPECT_FALSE(dynamic_cast<TfrmReadComb &>(Dialog).btnOK->isEnabled());
    });
    EXPECT_FALSE(ReadCombSet(nullptr));
    Close(window);
    EXPECT_EQ(ContentOf(file.string() + ".damaged"), (Bytes{'n', 'o', 't', ' ', 's', 'e', 't', 's'}));
    EXPECT_EQ(ContentOf(file), SetsFile({}));

    // The folder cannot be made: a file stands in its place.
    WriteBytes(folder->path() / "blocked", {1});
    OtherDir = (folder->path() / "blocked").string() + "/";
    window = OpenWindow();
    window->gbKey->Button(1)->click();
    window->btnWrite->click();
    script.answerBox(platform::IDOK);
    Close(window);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Nie można zapisać pliku.\n") + QString::fromStdString(OtherDir) +
                                          QStringLiteral("SetCombs.dat"));
}

// A system window's report: the system through its key and by positions, and a refused one.
#include "core/UComb.h"
#include "core/UGlobalUtils.h"
#include "engine/USysGeneral.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalStartup.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <thread>

namespace {

std::string CombText(const uint8_t *Comb, int K)
{
    std::string text;
    CombToStr(Comb, uint8_t(K), "%2d ", text);
    return text;
}

TEST_F(SysWindowTest, ReportOfAClassicSystemWithAKeyHasBothSheets)
{
    TGenSysForm *window = Generate(9, 6, 7);
    window->System->SetKey({2, 7, 11, 19, 23, 30, 38, 45, 49});
    window->RefreshAll();
    const int count = window->ViewCount();
    ASSERT_GT(count, 0);

    // The info grid's last value comes from its cell procedure, which may run on the GUI thread only.
    const int last = window->sgStat->RowCount() - 1;
    const QString supplied = window->sgStat->Cells(1, last).trimmed();
    ASSERT_FALSE(supplied.isEmpty());
    window->sgStat->setCells(1, last, QString());
    std::mutex threadsLock;
    std::set<std::thread::id> threads;
    window->sgStat->OnGetCellFormat = [&](int Col, int Row, TCellFormat &Format) {
        const std::lock_guard lock(threadsLock);
        threads.insert(std::this_thread::get_id());
        if (Col == 1 && Row == last)
            Format.Text = supplied;
    };

    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    window->sgStat->OnGetCellFormat = nullptr;
    EXPECT_EQ(threads, std::set{std::this_thread::get_id()});
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].Name, "System z kluczem");
    EXPECT_EQ(sheets[1].Name, "System bez klucza");

    // The header: the description, a blank line, "Parametry:" and a line per row of the info grid.
    std::string header;
    window->GetParamsText(0, header);
    const int lines = CountChar(header, '#');
    EXPECT_EQ(lines, 3 + window->sgStat->RowCount() - 1);
    EXPECT_EQ(sheets[0].At("B2").Text, window->System->GetDescription(false));
    EXPECT_EQ(sheets[0].At("B4").Text, "Parametry:");
    // " name", blanks to one past the longest name, ":" and the value: the colons stand in one column.
    qsizetype colon = -1;
    for (int row = 1; row < window->sgStat->RowCount(); ++row) {
        const QString name = window->sgStat->Cells(0, row).trimmed();
        const QString value = window->sgStat->Cells(1, row).trimmed();
        const QString line = QString::fromStdString(sheets[0].At("B" + std::to_string(4 + row)).Text);
        EXPECT_TRUE(line.startsWith(QLatin1Char(' ') + name)) << line.toStdString();
        if (value.isEmpty())
            continue;
        EXPECT_TRUE(line.endsWith(QLatin1Char(':') + value)) << line.toStdString();
        if (colon < 0)
            colon = line.indexOf(QLatin1Char(':'), name.size() + 1);
        EXPECT_EQ(line.indexOf(QLatin1Char(':'), name.size() + 1), colon) << line.toStdString();
    }

    EXPECT_TRUE(QString::fromStdString(sheets[0].At("B" + std::to_string(4 + last)).Text).endsWith(':' + supplied));

    // The system three rows below the header: the visible rows through the key, then by positions in
    // the order of the positions.
    const int first = lines + 4;
    EXPECT_EQ(sheets[0].At("B" + std::to_string(first)).Text, "Lp");
    std::set<std::string> positions;
    for (int i = 0; i < count; ++i) {
        const std::string row = std::to_string(first + 1 + i);
        EXPECT_EQ(sheets[0].At("B" + row).Text, std::to_string(i + 1));
        EXPECT_EQ(sheets[0].At("C" + row).Text, CombText(window->System->GetComb(i, true), window->K));
        positions.insert(CombText(window->System->GetComb(i, false), window->K));
    }
    EXPECT_FALSE(sheets[0].At("B" + std::to_string(first + 1 + count)).HasValue);
    std::vector<std::string> byPositions;
    for (int i = 0; i < count; ++i)
        byPositions.push_back(sheets[1].At("C" + std::to_string(first + 1 + i)).Text);
    EXPECT_EQ(byPositions, std::vector<std::string>(positions.begin(), positions.end()));
    EXPECT_FALSE(sheets[1].At("B" + std::to_string(first + 1 + count)).HasValue);
}

TEST_F(SysWindowTest, ReportIsRefusedBeforeAnyDialogWhenTheTemporaryFolderCannotBeWritten)
{
    TGenSysForm *window = Generate(8, 6, 4);
    std::filesystem::remove_all(TempDir);
    std::ofstream(std::filesystem::path(TempDir).parent_path()) << "x";
    script.answerBox(platform::IDOK);
    sendCommand(window, WM_SYS_REPORT);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text,
              QStringLiteral("Nie można zapisać raportu.\n") + QString::fromStdString(TempDir));
    EXPECT_TRUE(script.dialogs().size() == 1u); // the parameter dialog only
}

} // namespace

// The draws editor on the real Lotto history, from the main window to the saved file: a draw added and
// changed, three deleted, numbers found, a "Suma liczb" filter as a mark, into a new window and in place,
// and the save that an open frequency window hears of.
#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "engine/UDrawsDB.h"
#include "engine/UFilters.h"
#include "output/FGlobalReport.h"
#include "output/FRowsRange.h"
#include "platform/gui/MessageBox.h"
#include "shell/FDrawsEditor.h"
#include "shell/FGlobalControls.h"
#include "shell/FSelectComb.h"
#include "shell/WindowOpeners.h"
#include "statwindows/FStatFreq.h"
#include "syswindows/FFilter.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QDateEdit>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

struct TPlainDraw {
    TDateTime Date = 0;
    TDynByteArr Numbers;
};

int Sum(const TPlainDraw &Draw)
{
    return std::accumulate(Draw.Numbers.begin(), Draw.Numbers.end(), 0);
}

// The draws file as the program's own layout reads: ordinal, date, numbers, each ended by ';', CR LF.
std::string DrawsFileText(const std::vector<TPlainDraw> &Draws)
{
    std::string text;
    for (size_t i = 0; i < Draws.size(); ++i) {
        int year, month, day;
        DecodeDate(Draws[i].Date, year, month, day);
        char line[64];
        std::snprintf(line, sizeof line, "%zu;%04d-%02d-%02d;", i + 1, year, month, day);
        text += line;
        for (int number : Draws[i].Numbers)
            text += std::to_string(number) + ';';
        text += "\r\n";
    }
    return text;
}

// Types the numbers into the dialog and reads them.
void ChooseNumbers(TfrmSelectComb &Dialog, const char *Numbers)
{
    Dialog.eInput->setPlainText(QString::fromLatin1(Numbers));
    Dialog.btnReadNums->click();
}

} // namespace

class DrawsEditorRoadTest : public StatWindowTest {
protected:
    // "Filtruj losowania...": the filter editor with a "Suma liczb" filter of the sums 100..120 of the find
    // type (added unless the editor's draws keep it already) and the options given.
    void FilterBySum(TfrmDrawsEditor &Editor, bool DelComb, bool NewWindow)
    {
        const bool kept = Editor.DrawsMan->HasFilter;
        script.onDialog([DelComb, NewWindow, kept](QDialog &Dialog) {
            auto &filter = dynamic_cast<TfrmFilter &>(Dialog);
            if (!kept) {
                for (int row = 0; row < filter.lbFilters->count(); ++row)
                    if (filter.lbFilters->item(row)->data(Qt::UserRole).toUInt() == fltSum)
                        filter.lbFilters->setCurrentRow(row);
                filter.F_cb1->setCurrentIndex(filter.F_cb1->findData(int(rmRange)));
                filter.F_seFrom1->SetValue(100);
                filter.F_seTo1->SetValue(120);
                filter.btnAddFlt->click();
            }
            filter.rbFltFind->setChecked(true);
            filter.chkOptDelComb->setChecked(DelComb);
            filter.chkOptNewWindow->setChecked(NewWindow);
            filter.btnOK->click();
            ASSERT_TRUE(ProcessUntil([&filter] { return filter.result() == QDialog::Accepted; }));
        });
        sendCommand(&Editor, WM_SYS_FILTER);
    }
};

TEST_F(DrawsEditorRoadTest, EditFilterAndSaveTheLottoHistory)
{
    OpenFrame();
    frame->mStat->actions().at(0)->trigger(); // "Częstotliwości"
    auto *freq = NewestChild<TfrmStatFreq>();
    ASSERT_NE(freq, nullptr);
    frame->mToolDraws->trigger();
    auto *editor = NewestChild<TfrmDrawsEditor>();
    ASSERT_NE(editor, nullptr);
    std::vector<TPlainDraw> expected;
    for (int i = 0; i < Lotto().DrawsMan->Count(); ++i)
        expected.push_back({Lotto().DrawsMan->GetDraw(i).Date, Lotto().DrawsMan->GetDraw(i).Numbers});
    ASSERT_GT(expected.size(), 3000u);
    const size_t historyCount = expected.size();

    // A draw three days after the last; the dialog refuses the last draw's date first.
    const TDateTime added = expected.back().Date + 3;
    script.answerBox(platform::IDOK);
    script.onDialog([&](QDialog &Dialog) {
        auto &draw = dynamic_cast<TfrmSelectComb &>(Dialog);
        ChooseNumbers(draw, "5 16 27 38 49 1");
        draw.dtDateDraw->setDate(ToQDate(expected.back().Date));
        draw.btnOK->click();
        EXPECT_TRUE(draw.isVisible());
        draw.dtDateDraw->setDate(ToQDate(added));
        draw.btnOK->click();
    });
    sendCommand(editor, WM_COMB_ADD);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, QStringLiteral("Istnieje już losowanie o takiej dacie!"));
    EXPECT_EQ(editor->DrawsMan->Count(), int(expected.size()) + 1);

    // Changed to other numbers on the day after.
    script.onDialog([&](QDialog &Dialog) {
        auto &draw = dynamic_cast<TfrmSelectComb &>(Dialog);
        EXPECT_EQ(draw.eInput->toPlainText(), QStringLiteral("1 5 16 27 38 49"));
        ChooseNumbers(draw, "47 2 13 24 35 46");
        draw.dtDateDraw->setDate(ToQDate(added + 1));
        draw.btnOK->click();
    });
    sendCommand(editor, WM_COMB_EDIT);
    QString changed;
    editor->grid->GetCellText(3, 1, changed);
    EXPECT_EQ(changed, QStringLiteral(" 2 13 24 35 46 47 "));

    // The three newest draws of the history deleted; the rest numbered 1..n by date.
    editor->grid->setSelection(TGridRect{0, 2, 3, 4});
    sendCommand(editor, WM_COMB_DELETE);
    expected.erase(expected.end() - 3, expected.end());
    expected.push_back({added + 1, {2, 13, 24, 35, 46, 47}});
    ASSERT_EQ(editor->DrawsMan->Count(), int(expected.size()));
    for (int i = 0; i < editor->DrawsMan->Count(); ++i) {
        ASSERT_EQ(editor->DrawsMan->GetDraw(i).No, i + 1);
        ASSERT_EQ(editor->DrawsMan->GetDraw(i).Date, expected[size_t(i)].Date);
    }
    QString secondNo;
    editor->grid->GetCellText(0, 2, secondNo);
    EXPECT_EQ(secondNo, QString::number(expected.size() - 1));

    // Found numbers: the draws holding all of them, and back.
    script.onDialog([](QDialog &Dialog) {
        auto &numbers = dynamic_cast<TfrmSelectComb &>(Dialog);
        ChooseNumbers(numbers, "42 7 13");
        numbers.btnOK->click();
    });
    editor->btnFind->click();
    const auto holding = std::count_if(expected.begin(), expected.end(), [](const TPlainDraw &D) {
        return std::ranges::count_if(D.Numbers, [](int N) { return N == 7 || N == 13 || N == 42; }) == 3;
    });
    ASSERT_GT(holding, 0);
    EXPECT_EQ(editor->lblCount->text(), QString::number(holding));
    editor->btnDelFind->click();
    EXPECT_EQ(editor->lblCount->text(), QString::number(expected.size()));

    // The sum filter as a mark: the filtered view and the "Filtr" tab.
    const auto passing = std::count_if(expected.begin(), expected.end(), [](const TPlainDraw &D) {
        return Sum(D) >= 100 && Sum(D) <= 120;
    });
    FilterBySum(*editor, false, false);
    EXPECT_TRUE(editor->rbViewFlt->isChecked());
    EXPECT_EQ(editor->lblCount->text(), QString::number(passing));
    EXPECT_EQ(editor->sgFilters->Cells(1, 1), QStringLiteral("Suma liczb"));

    // Deleting into a new window: "Z&apisz" on there, the source untouched.
    FilterBySum(*editor, true, true);
    auto *reduced = NewestChild<TfrmDrawsEditor>();
    ASSERT_NE(reduced, editor);
    EXPECT_EQ(reduced->lblAllCount->text(), QString::number(passing));
    EXPECT_EQ(reduced->Range.Count, uint32_t(passing)) << "the range line tells the draws left";
    EXPECT_TRUE(reduced->btnWrite->isEnabled());
    EXPECT_EQ(editor->DrawsMan->Count(), int(expected.size()));

    // Deleting in place, then saving.
    frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(editor->parentWidget()));
    FilterBySum(*editor, true, false);
    std::erase_if(expected, [](const TPlainDraw &D) { return Sum(D) < 100 || Sum(D) > 120; });
    EXPECT_EQ(editor->lblAllCount->text(), QString::number(expected.size()));
    // The save asks first: every draw of the history left out would go.
    script.answerBox(platform::IDYES);
    editor->btnWrite->click();
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[1].Text, QStringLiteral("Liczba losowań, które zostaną usunięte z bazy: %1.\n"
                                                     "Czy na pewno zapisać zmiany?")
                                          .arg(historyCount - expected.size()));
    EXPECT_EQ(testsupport::readFile(folder->path() / "Draws" / "LottoDraws"), DrawsFileText(expected));
    EXPECT_FALSE(editor->btnWrite->isEnabled());
    // The frequency window heard of it: its range now counts the saved history.
    EXPECT_EQ(freq->Range.Range.Count, expected.size());
}

TEST_F(DrawsEditorRoadTest, AReportOfRowsTenToTwentyWritesTheHeaderAndThoseRows)
{
    OpenFrame();
    TWindowOpeners openers = WindowOpeners();
    InstallReports(openers);
    InstallWindowOpeners(std::move(openers));
    frame->mToolDraws->trigger();
    auto *editor = NewestChild<TfrmDrawsEditor>();
    ASSERT_NE(editor, nullptr);
    script.onDialog([](QDialog &Dialog) {
        auto &rows = dynamic_cast<TfrmRowsRange &>(Dialog);
        rows.rbType2->click();
        rows.sbFrom->SetValue(10);
        rows.sbTo->SetValue(20);
        rows.btnOK->click();
    });
    testsupport::expectReport(script);
    EXPECT_EQ(sendCommand(editor, WM_SYS_REPORT), 1);

    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 1u);
    const testsupport::XlsxSheet &sheet = sheets[0];
    // The first line begins with a carriage return, which the workbook's XML writes escaped.
    EXPECT_EQ(sheet.At("B2").Text, "_x000D_Gra        : Lotto 6 z 49");
    EXPECT_EQ(sheet.At("B3").Text, "Losowania");
    EXPECT_EQ(sheet.At("B6").Text, " Zakres losowań");
    EXPECT_EQ(sheet.At("B7").Text, "  Liczba losowań : " + std::to_string(Lotto().DrawsMan->Count()));
    // The grid's header row at row 11, its rows 10 to 20 below; the texts without the blanks around them.
    for (int row : {0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})
        for (int col = 0; col < 4; ++col) {
            QString text;
            editor->grid->GetCellText(col, row, text);
            EXPECT_EQ(sheet.At(std::string(1, char('B' + col)) + std::to_string(row == 0 ? 11 : row + 2)).Text,
                      text.trimmed().toStdString())
                << row << " " << col;
        }
    EXPECT_EQ(sheet.Cells.count("B23"), 0u);
}

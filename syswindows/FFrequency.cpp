#include "syswindows/FFrequency.h"

#include "controls/StringAlignGrid.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/ResultGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int GroupRows = 20;
constexpr int ColumnsPerGroup = 3; // number, count, spacer

QLineEdit *ValueField(QWidget *Parent)
{
    auto *field = new QLineEdit(Parent);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    return field;
}

} // namespace

TfrmFreq::TfrmFreq(QWidget *parent) : QDialog(parent)
{
    platform::setHelpContext(this, 503);
    CreateControls();
}

void TfrmFreq::CreateControls()
{
    setWindowTitle(QStringLiteral("Rozkład liczb "));
    sgFreq = NewGrid(this, 2, GroupRows + 1, 0, 1);
    ColourResultGrid(sgFreq);
    txtMin = ValueField(this);
    txtMax = ValueField(this);
    txtDiff = ValueField(this);
    auto *values = new QHBoxLayout;
    for (auto [caption, field] : {std::pair{QStringLiteral("Min:"), txtMin}, std::pair{QStringLiteral("Max:"), txtMax},
                                  std::pair{QStringLiteral("Różnica:"), txtDiff}}) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        values->addWidget(label);
        values->addWidget(field, 1);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sgFreq, 1);
    layout->addLayout(values);
}

void TfrmFreq::Init(const TSystem &System)
{
    const int n = System.N;
    Items.assign(size_t(n), {});
    for (int i = 0; i < n && size_t(i) < System.Key.size(); ++i)
        Items[size_t(i)].Number = System.Key[size_t(i)];
    for (int row = 0; row < System.ViewCount(); ++row) {
        const uint8_t *positions = System.GetComb(row, false);
        // A number added by hand outside the key stays as itself, above N: it has no item.
        for (int j = 0; j < System.K; ++j)
            if (positions[j] >= 1 && positions[j] <= n)
                ++Items[size_t(positions[j]) - 1].Count;
    }
    std::sort(Items.begin(), Items.end(), [](const TItem &A, const TItem &B) { return A.Number < B.Number; });
    ShowItems();
}

void TfrmFreq::ShowItems()
{
    const int groups = int(Items.size()) / GroupRows + (Items.size() % GroupRows > 0 ? 1 : 0);
    // Rows for the fullest group only: fewer than twenty numbers leave no empty rows below them.
    const int rows = std::clamp(int(Items.size()), 1, GroupRows);
    sgFreq->setColCount(std::max(groups, 1) * ColumnsPerGroup - 1);
    sgFreq->setRowCount(rows + 1);
    for (int g = 0; g < groups; ++g) {
        const int col = g * ColumnsPerGroup;
        sgFreq->setCells(col, 0, QStringLiteral("Liczba"));
        sgFreq->setCells(col + 1, 0, QStringLiteral("Ilość"));
        SetColWidth(sgFreq, col, 50);
        SetColWidth(sgFreq, col + 1, 50);
        sgFreq->FontCol(col).Style |= fsBold;
        if (g + 1 < groups)
            SetColWidth(sgFreq, col + 2, 10);
        for (int r = 0; r < rows; ++r) {
            const size_t item = size_t(g * GroupRows + r);
            const bool used = item < Items.size();
            sgFreq->setCells(col, r + 1, used ? QString::number(Items[item].Number) : QString());
            sgFreq->setCells(col + 1, r + 1, used ? QString::number(Items[item].Count) : QString());
        }
    }
    for (int col = 0; col < sgFreq->ColCount(); ++col)
        sgFreq->SetAlignCol(col, alCenter);
    uint32_t least = 0x7FFFFFFF;
    uint32_t most = 0;
    for (const TItem &item : Items) {
        least = std::min(least, item.Count);
        most = std::max(most, item.Count);
    }
    txtMin->setText(QString::number(least));
    txtMax->setText(QString::number(most));
    txtDiff->setText(QString::number(int64_t(most) - int64_t(least)));
    FitGridWidth(sgFreq);
    FitGridHeight(sgFreq);
    // As wide as the grid and the value fields need.
    resize(minimumSizeHint().width(), sizeHint().height());
}

void ShowNumbersDistribution(QWidget *Parent, const TSystem &System)
{
    TfrmFreq dialog(Parent);
    dialog.Init(System);
    platform::execModal(dialog);
}

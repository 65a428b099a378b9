#include "shell/FProbs.h"

#include "controls/Label2000X.h"
#include "controls/StringAlignGrid.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/ProbsTable.h"
#include "shell/ResultGrid.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>

#include <algorithm>

namespace {

// The form's grid, in its pixels.
constexpr int HeaderRowHeight = 18;
constexpr int DegreeColWidth = 45;
constexpr int CellColWidth = 80;
constexpr int CellRowHeight = 30;

// A cell's two lines and its margins.
int CellHeight(const TStringAlignGrid *Grid)
{
    const int lines = 2 * QFontMetrics(toQFont(Grid->Font())).height() + 2 * CellTextMargin;
    return std::max(ScaledHeight(CellRowHeight), lines);
}

} // namespace

TfrmProbs::TfrmProbs(QWidget *parent) : TFirstShow<QWidget>(parent)
{
    platform::setHelpContext(this, 704);
    setWindowTitle(QStringLiteral("Prawdopodobieństwo wygranych"));
    Label19 = new QLabel(QStringLiteral("Liczba skreśleń"), this);
    Label2000X1 = new TLabel2000X(this);
    Label2000X1->SetCaption(QStringLiteral("Prawdopodobieństwo wygranej"));
    Label2000X1->SetAngle(90);
    Label2000X1->SetAutoSize(true);
    Label2000X1->Loaded();
    Label2000X1->setFixedSize(Label2000X1->RotatedSize());
    grid = NewGrid(this, 2, 2, 1, 1);
    grid->setWordwrap(ww_wordwrap);
    grid->setAlignment(alCenter);
    // The grid shows every cell.
    grid->setScrollBars(ssNone);

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label19, 0, 1, Qt::AlignHCenter);
    layout->addWidget(Label2000X1, 1, 0, Qt::AlignVCenter);
    layout->addWidget(grid, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(2, 1);
}

void TfrmProbs::FormShow()
{
    const TGameData *game = Games.CurrentGame();
    if (!game)
        return;
    FGameId = game->Info.Id;
    setWindowTitle(QStringLiteral("<%1> Prawdopodobieństwo wygranych").arg(QString::fromStdString(game->Info.ShortName)));
    grid->setColor(ResultGridColor);
    grid->setSelectedCellColor(ResultGridColor);
    grid->setSelectedFontColor(clWindowText);
    BuildTable(game->Info);
    CenterChildForm(this);
}

void TfrmProbs::BuildTable(const TGameInfo &info)
{
    const TProbsRange range = ProbsRange(info);
    grid->setColCount(range.MaxPicks - range.MinPicks + 2);
    grid->setRowCount(range.MaxPicks - range.Low + 2);
    for (int c = 1; c < grid->ColCount(); ++c)
        grid->setCells(c, 0, QString::number(range.MaxPicks - c + 1));
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->setCells(0, r, QStringLiteral(" P('%1')").arg(range.MaxPicks - r + 1));
    for (int c = 1; c < grid->ColCount(); ++c) {
        const int picks = range.MaxPicks - c + 1;
        for (int r = 1; r < grid->RowCount(); ++r)
            grid->setCells(c, r, QString::fromStdString(ProbsCellText(info.MaxNumber, info.Drawn,
                                                                      info.MinHits[size_t(picks) - 1], picks,
                                                                      range.MaxPicks - r + 1)));
    }

    grid->setRowHeights(0, ScaledRowHeight(HeaderRowHeight));
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->setRowHeights(r, CellHeight(grid));
    SetColWidth(grid, 0, DegreeColWidth, ColTexts(grid, 0));
    for (int c = 1; c < grid->ColCount(); ++c) {
        // A cell's width is that of its longer line.
        QStringList lines;
        for (const QString &text : ColTexts(grid, c))
            lines << text.split(QLatin1Char('\n'));
        SetColWidth(grid, c, CellColWidth, lines);
    }
    FitGridWidth(grid);
    FitGridHeight(grid);
}

void OpenProbs()
{
    const TGameData *game = Games.CurrentGame();
    if (frmMain && game)
        for (QWidget *child : frmMain->ChildForms())
            if (auto *probs = qobject_cast<TfrmProbs *>(child); probs && probs->GameId() == game->Info.Id) {
                if (auto *holder = qobject_cast<QMdiSubWindow *>(probs->parentWidget()))
                    holder->showNormal();
                ActivateChildForm(probs);
                return;
            }
    AddCentredChildForm(new TfrmProbs);
}

// The guarantee window's form: the progress panel while it computes, the results panel afterwards.
#include "syswindows/FGuarSysShort.h"

#include "controls/ALProgressBar.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalProgress.h"
#include "shell/FlatMenus.h"
#include "shell/ResultGrid.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int GuarRowHeight = 17;

TStringAlignGrid *NewResultGrid(QWidget *Parent)
{
    TStringAlignGrid *grid = NewGrid(Parent, 4, 2, 0, 1);
    const int textHeight = QFontMetrics(toQFont(grid->Font())).height() + 2 * CellTextMargin;
    grid->setDefaultRowHeight(std::max(ScaledHeight(GuarRowHeight), textHeight));
    ColourResultGrid(grid);
    return grid;
}

} // namespace

void TfrmGuarSysShort::CreateControls()
{
    setWindowTitle(QStringLiteral("Obliczanie gwarancji"));
    SavedHeight = ScaledHeight(400);
    resize(ScaledWidth(520), SavedHeight);

    Panel1 = new QWidget(this);
    lblGuartType = new QLabel(Panel1);
    ProgressBar1 = NewProgressBar(Panel1);
    lblProg1 = NewPercentLabel(Panel1);
    Label1 = new QLabel(QStringLiteral("Postęp całkowity"), Panel1);
    ProgressBar2 = NewProgressBar(Panel1);
    lblProg2 = NewPercentLabel(Panel1);
    auto *progress = new QGridLayout(Panel1);
    progress->addWidget(lblGuartType, 0, 0, 1, 2);
    progress->addWidget(ProgressBar1, 1, 0);
    progress->addWidget(lblProg1, 1, 1);
    progress->addWidget(Label1, 2, 0, 1, 2);
    progress->addWidget(ProgressBar2, 3, 0);
    progress->addWidget(lblProg2, 3, 1);
    progress->setColumnStretch(0, 1);

    Panel4 = new QWidget(this);
    lblPrec = new QLabel(Panel4);
    PageControl1 = new QTabWidget(Panel4);
    TabSheet1 = new QWidget;
    sgDetails = NewResultGrid(TabSheet1);
    sgDetails->setContextMenuPolicy(Qt::CustomContextMenu);
    pGuars = new QMenu(this);
    connect(sgDetails, &QWidget::customContextMenuRequested, this, [this](const QPoint &Pos) {
        if (!pGuars->isEmpty())
            pGuars->popup(sgDetails->mapToGlobal(Pos));
    });
    (new QVBoxLayout(TabSheet1))->addWidget(sgDetails);
    PageControl1->addTab(TabSheet1, QStringLiteral("Szczegóły"));
    TabSheet2 = new QWidget;
    sgTotal = NewResultGrid(TabSheet2);
    (new QVBoxLayout(TabSheet2))->addWidget(sgTotal);
    PageControl1->addTab(TabSheet2, QStringLiteral("Podsumowanie"));
    auto *results = new QVBoxLayout(Panel4);
    results->setContentsMargins(0, 0, 0, 0);
    results->addWidget(lblPrec);
    results->addWidget(PageControl1, 1);
    Panel4->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(Panel4, 1);

    Details = std::make_unique<TResultGrid>(sgDetails, SortMan, 1, [this] { return State == 0; });
    Details->SetCellProc([this](int Col, int Row, TCellFormat &Format) { sgDetailsGetCellFormat(Col, Row, Format); });
    Details->SetSortProc([this](int SortKey, int Direction) { return sgDetailsSortColumn(SortKey, Direction); });
    Total = std::make_unique<TResultGrid>(sgTotal, SortMan, 1, [this] { return State == 0; });
    XPMenu1 = NewFormXPMenu(this);
}

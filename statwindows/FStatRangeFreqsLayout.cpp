// The frequency ranges window's form: the range line, the parameters page, the details with the
// selected draw's views, the stacked chart, the grouping and the summary.
#include "statwindows/FStatRangeFreqs.h"

#include "controls/FloatSpin.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/ProgressPanel.h"
#include "shell/ResultGrid.h"
#include "statwindows/ClassTablePage.h"
#include "syswindows/ResultCharts.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

TFloatSpin *BoundSpin(QWidget *Parent, int Value, int Precision)
{
    TFloatSpin *spin = NewIntSpin(Parent, 0, 1000, Value);
    spin->SetPrecision(uint8_t(Precision));
    spin->LargeInc = 10;
    return spin;
}

} // namespace

void TfrmStatRangeFreqs::CreateControls()
{
    resize(ScaledSize(640, 460));
    PageControl1 = new QTabWidget(this);
    PageControl1->addTab(CreateParamsPage(), QStringLiteral("Parametry"));
    PageControl1->addTab(Classes->DetailsPage, QStringLiteral("Szczegóły"));
    PageControl1->addTab(Classes->GroupsPage, QStringLiteral("Szczegóły - grupowanie"));
    PageControl1->addTab(Classes->SummaryPage, QStringLiteral("Podsumowanie"));

    // The details table: the selected draw's numbers above it, their window's counts beside it.
    QWidget *table = Classes->DetailsPage->widget(0);
    auto *tableLayout = qobject_cast<QVBoxLayout *>(table->layout());
    Classes->eSelComb->hide();
    sgSelDraw = NewGrid(table, 1, 2, 0, 1);
    FitGridHeight(sgSelDraw);
    Classes->lblSelComb->setBuddy(sgSelDraw);
    qobject_cast<QHBoxLayout *>(tableLayout->itemAt(0)->layout())->insertWidget(1, sgSelDraw, 1);
    sgFreqs = NewGrid(table, 2, 2, 0, 1);
    sgFreqs->setMaximumWidth(ScaledWidth(110));
    tableLayout->removeWidget(Classes->sgDetails);
    auto *grids = new QHBoxLayout;
    grids->addWidget(Classes->sgDetails, 1);
    grids->addWidget(sgFreqs);
    tableLayout->addLayout(grids, 1);
    FSelDraw = BindResultGrid(
        sgSelDraw, 0, [this](int Col, int Row, TCellFormat &Format) { SelDrawCell(Col, Row, Format); });
    FFreqs = BindResultGrid(
        sgFreqs, seFreqsEntry, [this](int Col, int Row, TCellFormat &Format) { FreqsCell(Col, Row, Format); },
        [this](int SortKey, int Direction) { return SortFreqs(SortKey, Direction); });

    // The stacked chart stands for the page's chart of one class.
    QWidget *lineChart = Classes->DetailsPage->widget(1);
    Classes->DetailsPage->removeTab(1);
    lineChart->hide();
    Classes->DetailsPage->addTab(CreateChartPage(), QStringLiteral("Wykres"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(txtDateDesc);
    layout->addWidget(PageControl1, 1);
    Panel1->hide();
}

QWidget *TfrmStatRangeFreqs::CreateParamsPage()
{
    auto *page = new QWidget;
    seDrawCount = NewIntSpin(page, 1, 1, 1);
    auto *drawCount = BuddyLabel(QStringLiteral("Liczba losowań wstecz:"), seDrawCount, page);

    gbRangeType = new QGroupBox(QStringLiteral("Zakresy"), page);
    rbRangeType1 = new QRadioButton(QStringLiteral("Procentowo"), gbRangeType);
    rbRangeType2 = new QRadioButton(QStringLiteral("Ilościowo"), gbRangeType);
    seFrom1 = BoundSpin(gbRangeType, 10, 1);
    seTo1 = BoundSpin(gbRangeType, 10, 1);
    seFrom2 = BoundSpin(gbRangeType, 1, 0);
    seTo2 = BoundSpin(gbRangeType, 1, 0);
    lblFrom1 = BuddyLabel(QStringLiteral("Od:"), seFrom1, gbRangeType);
    lblTo1 = BuddyLabel(QStringLiteral("Do:"), seTo1, gbRangeType);
    lblFrom2 = BuddyLabel(QStringLiteral("Od:"), seFrom2, gbRangeType);
    lblTo2 = BuddyLabel(QStringLiteral("Do:"), seTo2, gbRangeType);
    auto *ranges = new QGridLayout(gbRangeType);
    int row = 0;
    for (auto [button, from, fromSpin, to, toSpin] :
         {std::tuple{rbRangeType1, lblFrom1, seFrom1, lblTo1, seTo1},
          std::tuple{rbRangeType2, lblFrom2, seFrom2, lblTo2, seTo2}}) {
        ranges->addWidget(button, row, 0);
        ranges->addWidget(from, row, 1);
        ranges->addWidget(fromSpin, row, 2);
        ranges->addWidget(to, row, 3);
        ranges->addWidget(toSpin, row, 4);
        ++row;
    }
    ranges->setColumnStretch(5, 1);

    auto *gbColors = new QGroupBox(QStringLiteral("Kolory zakresów"), page);
    auto *colors = new QGridLayout(gbColors);
    for (int zone = 0; zone < 3; ++zone) {
        QLineEdit *field = new QLineEdit(gbColors);
        field->setReadOnly(true);
        eColors[size_t(zone)] = field;
        btnColors[size_t(zone)] = new QPushButton(QStringLiteral("W&ybierz..."), gbColors);
        colors->addWidget(BuddyLabel(QStringLiteral("Zakres %1:").arg(zone + 1), field, gbColors), zone, 0);
        colors->addWidget(field, zone, 1);
        colors->addWidget(btnColors[size_t(zone)], zone, 2);
    }
    btnDefColors = new QPushButton(QStringLiteral("Kolory domyślne"), gbColors);
    colors->addWidget(btnDefColors, 3, 2);
    colors->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(page);
    auto *drawLine = new QHBoxLayout;
    drawLine->addWidget(drawCount);
    drawLine->addWidget(seDrawCount);
    drawLine->addStretch(1);
    layout->addLayout(drawLine);
    layout->addWidget(gbRangeType);
    layout->addWidget(gbColors);
    layout->addStretch(1);
    return page;
}

QWidget *TfrmStatRangeFreqs::CreateChartPage()
{
    auto *page = new QWidget;
    Chart1 = NewChartView(page);
    Chart1->chart()->legend()->setAlignment(Qt::AlignBottom);
    auto *panel = new QHBoxLayout;
    const std::array<QString, 3> captions = {QStringLiteral("Wartości zakresów"), QStringLiteral("Długości zakresów"),
                                             QStringLiteral("Współczynniki")};
    for (size_t kind = 0; kind < captions.size(); ++kind) {
        rbDetCharts[kind] = new QRadioButton(captions[kind], page);
        panel->addWidget(rbDetCharts[kind]);
    }
    panel->addStretch(1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(Chart1, 1);
    layout->addLayout(panel);
    return page;
}

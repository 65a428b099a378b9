// The logical-operations dialog's controls, its two grids and the tick boxes of the B grid.
#include "syswindows/FOperSys.h"

#include "controls/ALProgressBar.h"
#include "controls/PBEdit.h"
#include "controls/StringAlignGrid.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalProgress.h"
#include "shell/FigureField.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The tick box's side and the inset of its cross, in the forms' pixels.
constexpr int TickSide = 14;
constexpr int CrossInset = 3;

} // namespace

void TfrmOperSys::CreateControls()
{
    setWindowTitle(QStringLiteral("Operacje logiczne na systemach"));
    sgA = NewGrid(this, 6, 2, 0, 1);
    cbOper = new QComboBox(this);
    for (const char *text : {"Suma systemów", "Część wspólna systemów", "Różnica systemów", "Złożenie systemów",
                             "Dopełnienie systemu"})
        cbOper->addItem(QString::fromUtf8(text));
    auto *operLabel = new QLabel(QStringLiteral("&Rodzaj operacji:"), this);
    operLabel->setBuddy(cbOper);
    sgB = NewGrid(this, 7, 2, 0, 1);
    btnSelAll = new QPushButton(QStringLiteral("Zaznacz wszystkie"), this);
    btnDeselAll = new QPushButton(QStringLiteral("Odznacz wszystkie"), this);
    for (TStringAlignGrid *grid : {sgA, sgB}) {
        grid->setOptions(grid->Options() & ~goRangeSelect);
        ColourResultGrid(grid);
        grid->setSelectedFontColor(clBlack);
    }
    sgA->setOptions(sgA->Options() | goRowSelect);
    DefaultHeightA = ScaledHeight(110);
    sgB->setMinimumHeight(ScaledHeight(110));

    gbResult = new QGroupBox(QStringLiteral("System wynikowy"), this);
    eCombCount = new TFigureField(gbResult);
    eCombCount->setAlignment(Qt::AlignRight);
    PBEdit1 = new TPBEdit(gbResult);
    PBEdit1->setReadOnly(true);
    btnDoOper = new QPushButton(QStringLiteral("&Przelicz"), gbResult);
    auto *countLabel = new QLabel(QStringLiteral("Liczba kombinacji:"), gbResult);
    countLabel->setBuddy(eCombCount);
    auto *costLabel = new QLabel(QStringLiteral("Koszt systemu:"), gbResult);
    costLabel->setBuddy(PBEdit1);
    auto *result = new QGridLayout(gbResult);
    result->addWidget(countLabel, 0, 0);
    result->addWidget(eCombCount, 0, 1);
    result->addWidget(costLabel, 1, 0);
    result->addWidget(PBEdit1, 1, 1);
    result->addWidget(btnDoOper, 0, 2);
    result->setColumnStretch(1, 1);

    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("A&nuluj"), this);
    ProgressBar1 = NewProgressBar(this);
    lblProgress = NewPercentLabel(this);

    auto *oper = new QHBoxLayout;
    oper->addWidget(operLabel);
    oper->addWidget(cbOper, 1);
    auto *ticks = new QHBoxLayout;
    ticks->addWidget(btnSelAll);
    ticks->addWidget(btnDeselAll);
    ticks->addStretch(1);
    auto *progress = new QHBoxLayout;
    progress->addWidget(ProgressBar1, 1);
    progress->addWidget(lblProgress);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sgA);
    layout->addLayout(oper);
    layout->addWidget(sgB, 1);
    layout->addLayout(ticks);
    layout->addWidget(gbResult);
    layout->addLayout(progress);
    layout->addLayout(buttons);
    resize(ScaledSize(560, 520));

    sgB->OnDrawCell = [this](TStringGrid *Sender, int ACol, int ARow, const TRect &Rect, TGridDrawState) {
        sgBDrawCell(Sender, ACol, ARow, Rect);
    };
    sgB->viewport()->installEventFilter(this);
    sgB->installEventFilter(this);
    connectGuarded(btnSelAll, &QPushButton::clicked, this, [this] { SetAllTicks(true); });
    connectGuarded(btnDeselAll, &QPushButton::clicked, this, [this] { SetAllTicks(false); });
    connectGuarded(btnDoOper, &QPushButton::clicked, this, [this] { RunOperation(false); });
    connectGuarded(btnOK, &QPushButton::clicked, this, [this] { RunOperation(true); });
    connectGuarded(btnCancel, &QPushButton::clicked, this, &TfrmOperSys::btnCancelClick);
}

void TfrmOperSys::ApplyLayout()
{
    const bool complement = Oper == soComplement;
    sgB->setVisible(!complement);
    btnSelAll->setVisible(!complement);
    btnDeselAll->setVisible(!complement);
    auto *layout = static_cast<QVBoxLayout *>(this->layout());
    layout->setStretchFactor(sgA, complement ? 1 : 0);
    if (complement) {
        sgA->setMinimumHeight(DefaultHeightA);
        sgA->setMaximumHeight(QWIDGETSIZE_MAX);
    } else {
        sgA->setFixedHeight(DefaultHeightA);
    }
    btnSelAll->setEnabled(Oper != soDifference);
    btnDeselAll->setEnabled(Oper != soDifference);
}

void TfrmOperSys::sgBDrawCell(TStringGrid *Sender, int ACol, int ARow, const TRect &Rect)
{
    if (ACol != 0 || ARow < 1 || !HasTicks() || size_t(ARow - 1) >= ListB.size())
        return;
    QPainter &canvas = *Sender->Canvas();
    canvas.save();
    const int side = std::min(ScaledHeight(TickSide), std::min(Rect.Width(), Rect.Height()) - 2);
    const QRect box(Rect.Left + (Rect.Width() - side) / 2, Rect.Top + (Rect.Height() - side) / 2, side, side);
    canvas.setBrush(Qt::NoBrush);
    canvas.setPen(QPen(Qt::black, 1));
    canvas.drawRect(box);
    if (Checked[size_t(ARow - 1)]) {
        const QRect cross = box.adjusted(CrossInset, CrossInset, -CrossInset, -CrossInset);
        canvas.setPen(QPen(Qt::black, 2));
        canvas.drawLine(cross.topLeft(), cross.bottomRight());
        canvas.drawLine(cross.topRight(), cross.bottomLeft());
    }
    canvas.restore();
}

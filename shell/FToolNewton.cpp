#include "shell/FToolNewton.h"

#include "controls/FloatSpin.h"
#include "controls/PBEdit.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalWindows.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QVBoxLayout>


namespace {

constexpr int MaxN = 100;
constexpr int DefaultN = 10;
constexpr int DefaultK = 5;

// The record: Valid, N, K.
constexpr size_t ParamsSize = 3;

// The widest result, C(100, 50).
const QString WidestResult = QStringLiteral("100 891 344 545 564 193 334 812 497 256");

QLabel *SymbolLabel(const QString &Text, QWidget *Parent, int Scale)
{
    auto *label = new QLabel(Text, Parent);
    if (Scale > 1) {
        QFont font = label->font();
        font.setPixelSize(Scale * QFontMetrics(font).height());
        label->setFont(font);
    }
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

std::string NewtonParamsKey()
{
    return ParamsKey("Stats\\", 0, 6);
}

std::string GroupByThree(const std::string &Digits)
{
    std::string text;
    for (size_t i = 0; i < Digits.size(); ++i) {
        if (i > 0 && (Digits.size() - i) % 3 == 0)
            text += ' ';
        text += Digits[i];
    }
    return text;
}

TfrmToolNewton::TfrmToolNewton(QWidget *parent) : TFirstShow<QWidget>(parent)
{
    platform::setHelpContext(this, 709);
    setWindowTitle(QStringLiteral("Dwumian Newtona"));
    CreateControls();
}

void TfrmToolNewton::CreateControls()
{
    seN = NewIntSpin(this, 1, MaxN, DefaultN);
    seK = NewIntSpin(this, 1, MaxN, DefaultK);
    seN->OnChange = guardedCall([this](QObject *) { seNChange(); });
    seN->OnEditDone = guardedCall([this](QObject *) { BoundK(); });
    seK->OnChange = guardedCall([this](QObject *) { ShowResult(); });
    auto *labelN = new QLabel(QStringLiteral("Ilość liczb (n):"), this);
    auto *labelK = new QLabel(QStringLiteral("Liczba skreśleń (k):"), this);
    labelN->setBuddy(seN);
    labelK->setBuddy(seK);

    lblOpen = SymbolLabel(QStringLiteral("("), this, 2);
    lblN = SymbolLabel(QStringLiteral("n"), this, 1);
    lblK = SymbolLabel(QStringLiteral("k"), this, 1);
    lblClose = SymbolLabel(QStringLiteral(")"), this, 2);
    lblEquals = SymbolLabel(QStringLiteral("="), this, 1);
    eRes = new TPBEdit(this);
    eRes->setReadOnly(true);
    eRes->SetAlignment(taRightJustify);
    eRes->Loaded();
    const QFontMetrics metrics(eRes->font());
    eRes->setMinimumWidth(metrics.horizontalAdvance(WidestResult) + 4 * metrics.averageCharWidth());

    auto *spins = new QGridLayout;
    spins->addWidget(labelN, 0, 0);
    spins->addWidget(seN, 0, 1);
    spins->addWidget(labelK, 1, 0);
    spins->addWidget(seK, 1, 1);
    spins->setColumnStretch(2, 1);

    auto *nk = new QVBoxLayout;
    nk->setSpacing(0);
    nk->addWidget(lblN);
    nk->addWidget(lblK);
    auto *symbol = new QHBoxLayout;
    symbol->addWidget(lblOpen);
    symbol->addLayout(nk);
    symbol->addWidget(lblClose);
    symbol->addWidget(lblEquals);
    symbol->addWidget(eRes, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(spins);
    layout->addLayout(symbol);
    layout->addStretch(1);
}

void TfrmToolNewton::FormShow()
{
    CenterChildForm(this);
    FTriangle.assign(MaxN + 1, {});
    for (size_t n = 0; n <= MaxN; ++n) {
        std::vector<THugeInt> &row = FTriangle[n];
        row.resize(n + 1);
        IntToHuge(1, row[0]);
        if (n > 0)
            row[n] = FTriangle[n - 1][n - 1];
        for (size_t k = 1; k < n; ++k)
            HugeAdd(FTriangle[n - 1][k], FTriangle[n - 1][k - 1], row[k]);
    }
    for (TFloatSpin *spin : {seN, seK}) {
        spin->SetMinValue(1);
        spin->SetMaxValue(MaxN);
    }
    LoadParams();
    ShowResult();
    seN->setFocus();
}

void TfrmToolNewton::LoadParams()
{
    const TStoredRecord stored = ReadParamsRecord(NewtonParamsKey(), ParamsSize);
    const int n = stored.Valid() ? stored.Bytes[1] : DefaultN;
    const int k = stored.Valid() ? stored.Bytes[2] : DefaultK;
    SetStoredValue(seN, n);
    // k's limit follows n even when the stored n was refused.
    seNChange();
    SetStoredValue(seK, k);
}

void TfrmToolNewton::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TfrmToolNewton::FormClose()
{
    if (!Shown() || FTriangle.empty())
        return;
    SaveParams();
    FTriangle.clear();
}

void TfrmToolNewton::SaveParams()
{
    WriteParamsRecord(NewtonParamsKey(), {1, uint8_t(SpinValue(seN)), uint8_t(SpinValue(seK))});
}

void TfrmToolNewton::seNChange()
{
    // The first digits of a number being typed leave k alone.
    if (!seN->TypingUnfinished())
        BoundK();
    ShowResult();
}

void TfrmToolNewton::BoundK()
{
    if (seN->Value() < seN->MinValue())
        return;
    const double n = double(SpinValue(seN));
    if (seK->Value() > n)
        seK->SetValue(n);
    seK->SetMaxValue(n);
}

void TfrmToolNewton::ShowResult()
{
    if (FTriangle.empty())
        return;
    if (seN->Value() < seN->MinValue() || seK->Value() < seK->MinValue()) {
        eRes->clear();
        return;
    }
    const int n = SpinValue(seN);
    const int k = SpinValue(seK);
    eRes->setText(k > n ? QStringLiteral("0")
                        : QString::fromStdString(GroupByThree(HugeToStr(FTriangle[size_t(n)][size_t(k)]))));
}

void OpenToolNewton()
{
    QMdiSubWindow *holder = AddCentredChildForm(new TfrmToolNewton);
    if (!holder)
        return;
    // A single border: no resizing, a system menu and no other button.
    holder->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    holder->setFixedSize(holder->size());
    // New flags hide the window.
    holder->show();
}

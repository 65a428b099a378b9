#include "output/FRowsRange.h"

#include "controls/FloatSpin.h"
#include "shell/FGlobalControls.h"
#include "shell/GuardedConnect.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

TFloatSpin *RowSpin(QWidget *Parent)
{
    TFloatSpin *spin = NewIntSpin(Parent, 1, 100, 1);
    spin->LargeInc = 10;
    return spin;
}

} // namespace

TfrmRowsRange::TfrmRowsRange(QWidget *Owner) : TFirstShow<QDialog>(Owner)
{
    setWindowTitle(QStringLiteral("Wybór wierszy"));
    resize(235, 131);
    rbType1 = new QRadioButton(QStringLiteral("&Wszystkie wiersze"), this);
    rbType2 = new QRadioButton(QStringLiteral("&Zakres wierszy"), this);
    rbType2->setChecked(true);
    Label5 = new QLabel(QStringLiteral("&Od:"), this);
    sbFrom = RowSpin(this);
    Label5->setBuddy(sbFrom);
    Label6 = new QLabel(QStringLiteral("&Do:"), this);
    sbTo = RowSpin(this);
    Label6->setBuddy(sbTo);
    btnOK = new QPushButton(QStringLiteral("O&K"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);

    auto *range = new QGridLayout;
    range->addWidget(Label5, 0, 0);
    range->addWidget(sbFrom, 0, 1);
    range->addWidget(Label6, 1, 0);
    range->addWidget(sbTo, 1, 1);
    range->setContentsMargins(20, 0, 0, 0);
    auto *choice = new QVBoxLayout;
    choice->addWidget(rbType1);
    choice->addWidget(rbType2);
    choice->addLayout(range);
    choice->addStretch(1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(choice, 1);
    layout->addLayout(buttons);

    connectGuarded(rbType1, &QRadioButton::toggled, this, [this](bool Checked) { UpdateControls(!Checked); });
    sbFrom->OnChange = [this](QObject *) {
        sbTo->SetMinValue(std::max<double>(sbFrom->IntegerInRange(), 1));
    };
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmRowsRange::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmRowsRange::UpdateControls(bool Enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{Label5, sbFrom, Label6, sbTo})
        control->setEnabled(Enabled);
}

void TfrmRowsRange::FormShow()
{
    const int maxRow = std::clamp(MaxRow, 1, MaxRangeRow);
    sbFrom->SetMaxValue(maxRow);
    sbTo->SetMaxValue(maxRow);
    if (MaxRow <= 100) {
        sbTo->SetValue(maxRow);
        rbType1->setChecked(true);
    } else {
        sbTo->SetValue(100);
        rbType2->setChecked(true);
    }
    UpdateControls(rbType2->isChecked());
}

void TfrmRowsRange::btnOKClick()
{
    AllRows = rbType1->isChecked();
    if (!AllRows) {
        // A typed value is clamped only when its field loses the focus: Enter may come before that.
        const int maxRow = std::clamp(MaxRow, 1, MaxRangeRow);
        FromRow = int(std::clamp<int64_t>(sbFrom->GetAsInteger(), 1, maxRow));
        ToRow = int(std::clamp<int64_t>(sbTo->GetAsInteger(), FromRow, maxRow));
    }
    accept();
}

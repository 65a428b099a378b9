#include "shell/FReadComb.h"

#include "controls/StringAlignGrid.h"
#include "platform/gui/ModalHooks.h"
#include "shell/CombSetsGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/GuardedConnect.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmReadComb::TfrmReadComb(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    setWindowTitle(QStringLiteral("Wczytaj zbiór liczb"));
    setWindowFlag(Qt::Tool);
    setSizeGripEnabled(true);
    Grid = NewCombSetsGrid(this, false);
    Grid->OnSelectCell = [this](TStringGrid *, int, int ARow, bool &) { ShowCombSetComment(txtDesc, FSets, ARow); };
    Grid->OnDblClick = guardedCall([this] {
        if (btnOK->isEnabled())
            btnOKClick();
    });
    Label1 = new QLabel(QStringLiteral("&Komentarz:"), this);
    txtDesc = new QPlainTextEdit(this);
    txtDesc->setReadOnly(true);
    QPalette palette = txtDesc->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Inactive, QPalette::Window));
    txtDesc->setPalette(palette);
    FitMemoLines(txtDesc, 4);
    Label1->setBuddy(txtDesc);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmReadComb::btnOKClick);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addWidget(Label1);
    layout->addWidget(txtDesc);
    layout->addLayout(buttons);
    resize(Grid->CalcGridWidth(true) + 2 * layout->contentsMargins().left(), 360);
}

void TfrmReadComb::FormShow()
{
    txtDesc->clear();
    FSets = ReadCombSets(CombSetsFileName()).Sets;
    FillCombSetsGrid(Grid, FSets, txtDesc);
    btnOK->setEnabled(!FSets.empty());
}

void TfrmReadComb::btnOKClick()
{
    const int row = Grid->Row();
    if (row < 1 || size_t(row) > FSets.size())
        return;
    const TCombSetRec &set = FSets[size_t(row) - 1];
    Numbers.assign(set.Chosen().begin(), set.Chosen().end());
    Count = set.Count;
    accept();
}

std::optional<TDynByteArr> ReadCombSet(QWidget *Owner)
{
    TfrmReadComb dialog(Owner);
    if (platform::execModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Numbers;
}

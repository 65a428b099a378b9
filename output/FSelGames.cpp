#include "output/FSelGames.h"

#include "engine/UGameMan.h"
#include "shell/GuardedConnect.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

void TSelGamesTree::mousePressEvent(QMouseEvent *event)
{
    TCustomTreeNT::mousePressEvent(event);
    if (OnCheckClick)
        OnCheckClick();
}

void TSelGamesTree::keyPressEvent(QKeyEvent *event)
{
    TCustomTreeNT::keyPressEvent(event);
    if (OnCheckClick)
        OnCheckClick();
}

TfrmSelGames::TfrmSelGames(const std::string &Selection, QWidget *Parent) : QDialog(Parent)
{
    setWindowTitle(QStringLiteral("Wybierz gry do aktualizacji"));
    tvGames = new TSelGamesTree(this);
    tvGames->setOptions(tvGames->Options() | toCheckBoxes | toShowButtons);
    Root = tvGames->Items().AddChild(nullptr, QStringLiteral("Wszystkie gry"), -1);
    Root->setChecked(true);
    for (int i = 0; i < Games.Count() && i < static_cast<int>(Selection.size()); ++i) {
        if (Selection[static_cast<size_t>(i)] != '1')
            continue;
        TTreeNTNode *node =
            tvGames->Items().AddChild(Root, QString::fromStdString(Games.GetGameInfo(i)->Name), i);
        node->setChecked(true);
    }
    Root->Expand(false);
    tvGames->OnCheckClick = guardedCall(this, &TfrmSelGames::TreeCheckClick);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Anuluj"), this);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tvGames);
    layout->addLayout(buttons);
    resize(300, 320);
    TreeCheckClick();
}

void TfrmSelGames::TreeCheckClick()
{
    if (Root->Checked() != RootChecked) {
        RootChecked = Root->Checked();
        for (int i = 0; i < Root->Count(); ++i)
            Root->Item(i)->setChecked(RootChecked);
    }
    bool any = false;
    for (int i = 0; i < Root->Count(); ++i)
        any = any || Root->Item(i)->Checked();
    btnOK->setEnabled(any);
}

std::string TfrmSelGames::Result() const
{
    std::string result(static_cast<size_t>(Games.Count()), '0');
    for (int i = 0; i < Root->Count(); ++i)
        if (Root->Item(i)->Checked())
            result[static_cast<size_t>(Root->Item(i)->Data())] = '1';
    return result;
}

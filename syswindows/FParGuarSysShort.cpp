#include "syswindows/FParGuarSysShort.h"

#include "controls/FloatSpin.h"
#include "controls/TreeNT.h"
#include "engine/UAllGuars.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Data of the roots; a variant's node holds its index in its list + 1.
constexpr intptr_t FirstListRoot = -1;
constexpr intptr_t SecondListRoot = -2;

} // namespace

TfrmParGuarSysShort::TfrmParGuarSysShort(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    platform::setHelpContext(this, 402);
    setWindowTitle(QStringLiteral("Parametry gwarancji"));
    Tree = new TTreeNT(this);
    Tree->setHeaderHidden(true);
    Tree->setOptions(toCheckBoxes | toShowButtons | toShowLines | toShowRoot | toReadOnly);
    Tree->installEventFilter(this);
    Tree->viewport()->installEventFilter(this);
    FloatSpin1 = new TFloatSpin(this);
    FloatSpin1->SetPrecision(5);
    FloatSpin1->SetMinValue(0);
    FloatSpin1->SetMaxValue(1);
    FloatSpin1->Increment = 0.1;
    FloatSpin1->SetValue(1);
    Label1 = new QLabel(QStringLiteral("Dokładność gwarancji:"), this);
    Label1->setBuddy(FloatSpin1);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmParGuarSysShort::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *precision = new QHBoxLayout;
    precision->addWidget(Label1);
    precision->addWidget(FloatSpin1);
    precision->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Tree, 1);
    layout->addLayout(precision);
    layout->addLayout(buttons);
    resize(ScaledSize(320, 340));
}

void TfrmParGuarSysShort::Init(TAllGuars *AVariants, int AMode)
{
    Variants = AVariants;
    Mode = AMode;
}

void TfrmParGuarSysShort::FormShow()
{
    Tree->Items().Clear();
    if (!Variants)
        return;
    for (TGeneralList<TOneOfAllGuars> *list : {&Variants->List1, &Variants->List2})
        for (int i = 0; i < list->Count(); ++i)
            list->GetItem(i)->Selected = false;
    if (Mode == 0) {
        AddRoot(QStringLiteral("Wszystkie liczby"), FirstListRoot, false);
    } else {
        AddRoot(QStringLiteral("Wszystkie liczby nierozróżnialne"), FirstListRoot, false);
        if (Variants->List2.Count() > 0)
            AddRoot(QStringLiteral("Wszystkie liczby rozróżnialne"), SecondListRoot, true);
    }
    // The first root checked: its variants with it.
    if (TTreeNTNode *first = Tree->Items().GetFirstNode()) {
        first->setChecked(true);
        Tree->setSelected(first);
        TreeClick();
    }
    Tree->FullExpand();
}

void TfrmParGuarSysShort::AddRoot(const QString &Text, intptr_t Data, bool SecondList)
{
    const TGeneralList<TOneOfAllGuars> &list = SecondList ? Variants->List2 : Variants->List1;
    TTreeNTNode *root = Tree->Items().AddChild(nullptr, Text, Data);
    for (int i = 0; i < list.Count(); ++i)
        Tree->Items().AddChild(root, QString::fromStdString(list.GetItem(i)->LongText), i + 1);
}

bool TfrmParGuarSysShort::eventFilter(QObject *watched, QEvent *event)
{
    // The tree toggles a check on the press; the rule follows on the release.
    if ((watched == Tree->viewport() && event->type() == QEvent::MouseButtonRelease) ||
        (watched == Tree && event->type() == QEvent::KeyRelease))
        TreeClick();
    return QDialog::eventFilter(watched, event);
}

void TfrmParGuarSysShort::TreeClick()
{
    TTreeNTNode *node = Tree->Selected();
    if (!node)
        return;
    if (TTreeNTNode *root = node->Parent()) {
        bool all = true;
        for (int i = 0; i < root->Count(); ++i)
            all = all && root->Item(i)->Checked();
        root->setChecked(all);
    } else {
        for (int i = 0; i < node->Count(); ++i)
            node->Item(i)->setChecked(node->Checked());
    }
}

void TfrmParGuarSysShort::btnOKClick()
{
    SelectedCount = 0;
    for (TTreeNTNode *root = Tree->Items().GetFirstNode(); root; root = root->GetNextSibling()) {
        TGeneralList<TOneOfAllGuars> &list = root->Data() == SecondListRoot ? Variants->List2 : Variants->List1;
        for (int i = 0; i < root->Count(); ++i) {
            const TTreeNTNode *child = root->Item(i);
            if (!child->Checked())
                continue;
            list.GetItem(int(child->Data()) - 1)->Selected = true;
            ++SelectedCount;
        }
    }
    FloatSpin1->Commit();
    Precision = FloatSpin1->Value();
    done(SelectedCount > 0 ? 1 : 2);
}

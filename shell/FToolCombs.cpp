#include "shell/FToolCombs.h"

#include "controls/Cp1250Validator.h"
#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "platform/gui/HelpContext.h"
#include "shell/CombSetsGrid.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalWindows.h"
#include "shell/GuardedConnect.h"
#include "shell/NumberPad.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The pad's buttons, in pixels of the forms' font.
constexpr int PadButtonWidth = 24;
constexpr int PadButtonHeight = 21;
constexpr int PadColumns = 20;
constexpr int PadMargin = 5;

QPointer<TfrmToolCombs> OpenWindow;

} // namespace

TfrmToolCombs::TfrmToolCombs(QWidget *parent) : TFirstShow<QWidget>(parent)
{
    platform::setHelpContext(this, 707);
    setWindowTitle(QStringLiteral("Zbiory liczb"));
    CreateControls();
}

void TfrmToolCombs::CreateControls()
{
    Grid = NewCombSetsGrid(this, true);
    Grid->OnSelectCell = guardedCall([this](TStringGrid *, int, int ARow) {
        ShowCombSetComment(txtDesc, FFile.Sets, ARow);
    });
    Grid->OnDblClick = guardedCall([this] {
        if (btnReadComb->isEnabled())
            btnReadCombClick();
    });
    Label1 = new QLabel(QStringLiteral("&Komentarz:"), this);
    txtDesc = new QPlainTextEdit(this);
    FitMemoLines(txtDesc, 3);
    TCp1250Validator::Restrict(txtDesc);
    LimitLength(txtDesc, MaxSetComment);
    txtDesc->installEventFilter(this);
    Label1->setBuddy(txtDesc);
    btnReadComb = new QPushButton(QStringLiteral("&Wczytaj"), this);
    btnDelete = new QPushButton(QStringLiteral("&Usuń"), this);

    gbKey = new TNumberPad(this);
    gbKey->Sorted = false;
    gbKey->OnChange = guardedCall(this, &TfrmToolCombs::PadChanged);
    eInput = new QLineEdit(this);
    btnReadNums = new QPushButton(QStringLiteral("W&czytaj"), this);
    Label2 = new QLabel(QStringLiteral("Wybrane &liczby:"), this);
    txtSelNums = new QPlainTextEdit(this);
    txtSelNums->setReadOnly(true);
    txtSelNums->setFont(QFont(QStringLiteral("Courier New"), 9));
    FitMemoLines(txtSelNums, 3);
    Label2->setBuddy(txtSelNums);
    btnWrite = new QPushButton(QStringLiteral("&Zapisz"), this);
    btnReplace = new QPushButton(QStringLiteral("Z&astąp"), this);
    btnClear = new QPushButton(QStringLiteral("W&yczyść"), this);
    for (QPushButton *button : {btnWrite, btnReplace, btnReadComb, btnDelete})
        button->setEnabled(false);

    connectGuarded(btnReadComb, &QPushButton::clicked, this, &TfrmToolCombs::btnReadCombClick);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &TfrmToolCombs::btnDeleteClick);
    connectGuarded(btnReadNums, &QPushButton::clicked, this, &TfrmToolCombs::btnReadNumsClick);
    connectGuarded(btnWrite, &QPushButton::clicked, this, &TfrmToolCombs::btnWriteClick);
    connectGuarded(btnReplace, &QPushButton::clicked, this, &TfrmToolCombs::btnReplaceClick);
    connectGuarded(btnClear, &QPushButton::clicked, gbKey, &TNumberPad::Clear);

    auto *setButtons = new QVBoxLayout;
    setButtons->addWidget(btnReadComb);
    setButtons->addWidget(btnDelete);
    setButtons->addStretch(1);
    auto *comment = new QGridLayout;
    comment->addWidget(Label1, 0, 0);
    comment->addWidget(txtDesc, 1, 0);
    comment->addLayout(setButtons, 1, 1);
    comment->setColumnStretch(0, 1);

    auto *typed = new QHBoxLayout;
    typed->addWidget(eInput, 1);
    typed->addWidget(btnReadNums);
    auto *padButtons = new QVBoxLayout;
    padButtons->addWidget(btnWrite);
    padButtons->addWidget(btnReplace);
    padButtons->addWidget(btnClear);
    padButtons->addStretch(1);
    auto *chosen = new QVBoxLayout;
    chosen->addLayout(typed);
    chosen->addWidget(Label2);
    chosen->addWidget(txtSelNums);
    chosen->addStretch(1);
    auto *pad = new QHBoxLayout;
    pad->addWidget(gbKey, 0, Qt::AlignTop);
    pad->addLayout(chosen, 1);
    pad->addLayout(padButtons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addLayout(comment);
    layout->addLayout(pad);
}

void TfrmToolCombs::FormShow()
{
    gbKey->Build(MaxSetNumbers, ScaledSize(PadButtonWidth, PadButtonHeight), PadColumns, PadMargin);
    FFileName = CombSetsFileName();
    FFile = ReadCombSets(FFileName);
    ButtonRule();
    txtDesc->clear();
    txtSelNums->clear();
    eInput->clear();
    FillGrid();
    // Centred once the pad and the grid have taken their room.
    CenterChildForm(this);
}

void TfrmToolCombs::closeEvent(QCloseEvent *event)
{
    if (OpenWindow == this)
        OpenWindow = nullptr;
    FormClose();
    QWidget::closeEvent(event);
}

void TfrmToolCombs::FormClose()
{
    if (!Shown() || FClosed)
        return;
    FClosed = true;
    if (!WriteCombSets(FFileName, FFile))
        ShowWriteFailure(FFileName);
}

bool TfrmToolCombs::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtDesc && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmToolCombs::PadChanged()
{
    std::string text;
    CombToStr(gbKey->Chosen().data(), uint8_t(gbKey->Chosen().size()), "%2d ", text);
    txtSelNums->setPlainText(QString::fromStdString(text));
    ButtonRule();
}

void TfrmToolCombs::ButtonRule()
{
    const bool chosen = !gbKey->Chosen().empty();
    const bool sets = !FFile.Sets.empty();
    btnWrite->setEnabled(chosen);
    btnReplace->setEnabled(chosen && sets);
    btnDelete->setEnabled(sets);
    btnReadComb->setEnabled(sets);
}

void TfrmToolCombs::FillGrid()
{
    FillCombSetsGrid(Grid, FFile.Sets, txtDesc);
}

TCombSetRec *TfrmToolCombs::CurrentSet()
{
    const int row = Grid->Row();
    return row >= 1 && size_t(row) <= FFile.Sets.size() ? &FFile.Sets[size_t(row) - 1] : nullptr;
}

void TfrmToolCombs::btnWriteClick()
{
    FFile.Sets.insert(FFile.Sets.begin(), TCombSetRec::Make(gbKey->Chosen(), txtDesc->toPlainText().toStdString()));
    FillGrid();
    Grid->setRow(1);
    ButtonRule();
}

void TfrmToolCombs::btnReplaceClick()
{
    if (TCombSetRec *set = CurrentSet()) {
        *set = TCombSetRec::Make(gbKey->Chosen(), txtDesc->toPlainText().toStdString());
        FillGrid();
    }
}

void TfrmToolCombs::btnDeleteClick()
{
    const TGridRect selection = Grid->Selection();
    const int top = std::max(selection.Top, 1);
    const int bottom = std::min(selection.Bottom, int(FFile.Sets.size()));
    if (top <= bottom)
        FFile.Sets.erase(FFile.Sets.begin() + (top - 1), FFile.Sets.begin() + bottom);
    FillGrid();
    ButtonRule();
}

void TfrmToolCombs::btnReadCombClick()
{
    if (const TCombSetRec *set = CurrentSet()) {
        txtDesc->setPlainText(QString::fromStdString(set->Comment));
        gbKey->Load(set->Chosen());
    }
}

void TfrmToolCombs::btnReadNumsClick()
{
    TTextToComb parser;
    parser.Init(MaxSetNumbers, MaxSetNumbers);
    if (parser.Parse(eInput->text().toStdString(), false, true))
        gbKey->Load(std::span(parser.Comb.data(), size_t(parser.Count)));
}

void OpenToolCombs()
{
    if (OpenWindow) {
        ActivateChildForm(OpenWindow);
        return;
    }
    OpenWindow = new TfrmToolCombs;
    AddCentredChildForm(OpenWindow);
}

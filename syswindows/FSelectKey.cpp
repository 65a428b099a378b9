#include "syswindows/FSelectKey.h"

#include "core/UComb.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/FReadComb.h"
#include "shell/GuardedConnect.h"
#include "shell/NumberPad.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <numeric>

TfrmSelectKey::TfrmSelectKey(QWidget *Owner) : TGenForm(Owner)
{
    platform::setHelpContext(this, 504);
    setWindowTitle(QStringLiteral("Klucz"));
    CreateControls();
}

void TfrmSelectKey::CreateControls()
{
    gbKey = new TNumberPad(this);
    gbKey->Sorted = false;
    gbKey->OnChange = guardedCall(this, &TfrmSelectKey::SelectionChanged);
    static_cast<TNumberChoiceBoxes &>(*this) = BuildNumberChoiceBoxes(this);
    connectGuarded(btnReadNums, &QPushButton::clicked, this, &TfrmSelectKey::btnReadNumsClick);

    const auto button = [this](const QString &Caption, auto Handler) {
        auto *created = new QPushButton(Caption, this);
        connectGuarded(created, &QPushButton::clicked, this, Handler);
        return created;
    };
    btnDef = button(QStringLiteral("&Domyślny"), &TfrmSelectKey::btnDefClick);
    btnPerm = button(QStringLiteral("&Permutacja"), &TfrmSelectKey::btnPermClick);
    btnPerm->setEnabled(false);
    btnRnd = button(QStringLiteral("&Losowy"), &TfrmSelectKey::btnRndClick);
    btnReset = button(QStringLiteral("Wy&czyść"), [this] { gbKey->Clear(); });
    btnRead = button(QStringLiteral("Wc&zytaj..."), &TfrmSelectKey::btnReadClick);
    btnOK = button(QStringLiteral("&OK"), &TfrmSelectKey::btnOKClick);
    btnOK->setDefault(true);
    btnCancel = button(QStringLiteral("&Anuluj"), [this] { Close(); });

    // The keys act in this window only, not in the whole main window.
    actEnter = new QAction(this);
    actEnter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    actEnter->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connectGuarded(actEnter, &QAction::triggered, this, [this] {
        if (btnOK->isEnabled())
            btnOKClick();
    });
    actEsc = new QAction(this);
    actEsc->setShortcut(QKeySequence(Qt::Key_Escape));
    actEsc->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connectGuarded(actEsc, &QAction::triggered, this, [this] { Close(); });
    addActions({actEnter, actEsc});

    auto *keyButtons = new QHBoxLayout;
    for (QPushButton *key : {btnDef, btnPerm, btnRnd, btnReset, btnRead})
        keyButtons->addWidget(key);
    keyButtons->addStretch(1);
    auto *answer = new QVBoxLayout;
    answer->addWidget(btnOK);
    answer->addWidget(btnCancel);
    answer->addStretch(1);
    // The chosen numbers take the width beside the pad, a key of ten numbers to a line.
    txtSelected->setMinimumWidth(txtSelected->fontMetrics().horizontalAdvance(QString(32, QLatin1Char('0'))));
    auto *layout = new QGridLayout(this);
    layout->addWidget(gbKey, 0, 0, Qt::AlignTop);
    layout->addWidget(gbSelected, 0, 1, Qt::AlignTop);
    layout->addLayout(answer, 0, 2, 3, 1);
    layout->addLayout(keyButtons, 1, 0, 1, 2);
    layout->addWidget(gbInput, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(3, 1);
}

void TfrmSelectKey::Start()
{
    BuildChoicePad(*gbKey, MaxNumber);
    NewKey = Key;
    lblToSelect->setText(QString::number(N));
    gbKey->Load(Key);
    eInput->setPlainText(NumbersText(gbKey->Chosen(), "%2d ") + QLatin1Char(' '));
}

void TfrmSelectKey::FormShow()
{
    CenterChildForm(this);
    // Its content does not change: the window keeps the size it opened with.
    QWidget *frame = WindowFrame();
    frame->setFixedSize(frame->size());
    btnOK->setFocus();
}

void TfrmSelectKey::SelectionChanged()
{
    const TDynByteArr &chosen = gbKey->Chosen();
    ShowChosen(chosen);
    btnOK->setEnabled(chosen.size() == N);
    btnPerm->setEnabled(chosen.size() > 1);
}

void TfrmSelectKey::btnDefClick()
{
    TDynByteArr key(N);
    std::iota(key.begin(), key.end(), uint8_t(1));
    gbKey->Load(key);
}

void TfrmSelectKey::btnPermClick()
{
    const TDynByteArr chosen = gbKey->Chosen();
    if (chosen.empty())
        return;
    const auto count = uint8_t(chosen.size());
    TDynByteArr order(count);
    RandomComb(order.data(), count, count, false);
    TDynByteArr shuffled;
    for (uint8_t position : order)
        shuffled.push_back(chosen[size_t(position) - 1]);
    gbKey->Load(shuffled);
}

void TfrmSelectKey::btnRndClick()
{
    TDynByteArr key(N);
    RandomComb(key.data(), N, MaxNumber, false);
    gbKey->Load(key);
}

void TfrmSelectKey::btnReadNumsClick()
{
    if (const auto typed = TypedNumbers(MaxNumber, N, false))
        gbKey->Load(*typed);
}

void TfrmSelectKey::btnReadClick()
{
    if (const auto numbers = ReadCombSet(this))
        gbKey->Load(*numbers);
}

void TfrmSelectKey::btnOKClick()
{
    NewKey = gbKey->Chosen();
    Notify(1);
    Close();
}

void TfrmSelectKey::Notify(int Accepted)
{
    if (Owner)
        postCommand(Owner, WM_SYS_KEY_DONE, Accepted);
}

void TfrmSelectKey::closeEvent(QCloseEvent *event)
{
    Notify(0);
    event->accept();
}

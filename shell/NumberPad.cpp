#include "shell/NumberPad.h"

#include "controls/DragSpeedButton.h"

#include <QFont>
#include <QPalette>

#include <algorithm>

TNumberPad::TNumberPad(QWidget *parent) : QWidget(parent) {}

void TNumberPad::Build(int MaxNumber, QSize ButtonSize, int PerRow, int Margin)
{
    qDeleteAll(FButtons);
    FButtons.clear();
    FChosen.clear();
    QFont font(QStringLiteral("Courier New"), 9);
    // Blue numbers; a number that cannot be chosen keeps the style's disabled grey.
    QPalette palette = this->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::ButtonText, Qt::blue);
    for (int i = 1; i <= MaxNumber; ++i) {
        auto *button = new TDragSpeedButton(this);
        button->Tag = i;
        button->setText(QString::number(i));
        button->setFont(font);
        button->setPalette(palette);
        button->setGeometry(Margin + (i - 1) % PerRow * ButtonSize.width(),
                            Margin + (i - 1) / PerRow * ButtonSize.height(), ButtonSize.width(), ButtonSize.height());
        connect(button, &TDragSpeedButton::clicked, this, [this, button] { ButtonClick(button); });
        button->OnMouseDown = [this](TDragSpeedButton *Sender, Qt::MouseButton Button) {
            ButtonMouseDown(Sender, Button);
        };
        button->OnDragOver = [](TDragSpeedButton *Sender, TDragSpeedButton *, bool &Accept) {
            Accept = Sender->isChecked();
        };
        button->OnDragDrop = [this](TDragSpeedButton *Target, TDragSpeedButton *Source) {
            ButtonDragDrop(Target, Source);
        };
        button->show();
        FButtons.push_back(button);
    }
    const int rows = (MaxNumber + PerRow - 1) / PerRow;
    setFixedSize(2 * Margin + std::min(MaxNumber, PerRow) * ButtonSize.width(), 2 * Margin + rows * ButtonSize.height());
}

void TNumberPad::RestrictTo(std::span<const uint8_t> Key)
{
    for (TDragSpeedButton *button : FButtons)
        button->setEnabled(std::find(Key.begin(), Key.end(), button->Tag) != Key.end());
}

void TNumberPad::Clear()
{
    Load({});
}

void TNumberPad::Load(std::span<const uint8_t> Numbers)
{
    for (TDragSpeedButton *button : FButtons)
        button->setChecked(false);
    FChosen.clear();
    for (uint8_t number : Numbers) {
        if (number < 1 || number > MaxNumber() || !Button(number)->isEnabled() || Button(number)->isChecked())
            continue;
        Button(number)->setChecked(true);
        Choose(number);
    }
    Changed();
}

void TNumberPad::Choose(uint8_t Number)
{
    if (Sorted)
        FChosen.insert(std::upper_bound(FChosen.begin(), FChosen.end(), Number), Number);
    else
        FChosen.push_back(Number);
}

void TNumberPad::ButtonClick(TDragSpeedButton *Button)
{
    const auto number = uint8_t(Button->Tag);
    if (Button->isChecked())
        Choose(number);
    else
        std::erase(FChosen, number);
    Changed();
}

void TNumberPad::ButtonMouseDown(TDragSpeedButton *Button, Qt::MouseButton MouseButton)
{
    if (MouseButton == Qt::RightButton && Button->isChecked() && !Sorted)
        Button->BeginDrag();
}

void TNumberPad::ButtonDragDrop(TDragSpeedButton *Target, TDragSpeedButton *Source)
{
    const auto target = std::find(FChosen.begin(), FChosen.end(), Target->Tag);
    const auto source = std::find(FChosen.begin(), FChosen.end(), Source->Tag);
    if (target == FChosen.end() || source == FChosen.end())
        return;
    std::iter_swap(target, source);
    Changed();
}

void TNumberPad::Changed()
{
    if (OnChange)
        OnChange();
}

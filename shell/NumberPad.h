#pragma once
// The pad of number buttons of the combination dialogs: one toggle button per number 1..N in rows, and
// the numbers chosen on it, kept ascending or in the order of choice. In the order of choice, a chosen
// button dragged with the right mouse button onto another chosen one exchanges the two numbers' places.

#include "core/DynArrays.h"

#include <QSize>
#include <QWidget>

#include <functional>
#include <span>
#include <vector>

class TDragSpeedButton;

class TNumberPad : public QWidget {
    Q_OBJECT

public:
    explicit TNumberPad(QWidget *parent = nullptr);

    // Buttons of ButtonSize for 1..MaxNumber, PerRow in a row, the first Margin pixels inside the pad;
    // the pad takes the size they need. Nothing is chosen afterwards.
    void Build(int MaxNumber, QSize ButtonSize, int PerRow, int Margin);

    // Chosen numbers are kept ascending (true) or in the order of choice.
    bool Sorted = true;

    // Only the numbers of Key can be chosen from now on (before anything is chosen).
    void RestrictTo(std::span<const uint8_t> Key);
    // Releases every button.
    void Clear();
    // Clear, then chooses each number of Numbers that has an enabled button, in the given order.
    void Load(std::span<const uint8_t> Numbers);

    const TDynByteArr &Chosen() const { return FChosen; }
    int MaxNumber() const { return int(FButtons.size()); }
    // The button of Number (1..MaxNumber).
    TDragSpeedButton *Button(int Number) const { return FButtons[size_t(Number - 1)]; }

    // After every change of the chosen numbers.
    std::function<void()> OnChange;

private:
    void ButtonClick(TDragSpeedButton *Button);
    void ButtonMouseDown(TDragSpeedButton *Button, Qt::MouseButton MouseButton);
    void ButtonDragDrop(TDragSpeedButton *Target, TDragSpeedButton *Source);
    void Choose(uint8_t Number);
    void Changed();

    std::vector<TDragSpeedButton *> FButtons;
    TDynByteArr FChosen;
};

#pragma once
// "Rozkład liczb": how often each of the player's numbers occurs in the shown combinations of a system,
// in groups of 20 numbers side by side, with the smallest and largest count and their difference.

#include <QDialog>

#include <cstdint>
#include <vector>

class QLineEdit;
class QWidget;
class TStringAlignGrid;
class TSystem;

class TfrmFreq : public QDialog {
    Q_OBJECT

public:
    explicit TfrmFreq(QWidget *parent = nullptr);

    // Counts the shown rows of System and shows the counts.
    void Init(const TSystem &System);

    struct TItem {
        uint8_t Number = 0;
        uint32_t Count = 0;
    };
    // The key's numbers ascending, each with the rows that hold its position.
    std::vector<TItem> Items;

    TStringAlignGrid *sgFreq;
    QLineEdit *txtMin;
    QLineEdit *txtMax;
    QLineEdit *txtDiff;

private:
    void CreateControls();
    void ShowItems();
};

// The distribution of the numbers of System's shown rows, in a modal dialog over Parent.
void ShowNumbersDistribution(QWidget *Parent, const TSystem &System);

#pragma once
// "Prawdopodobieństwo wygranych": for the game current when the window opens, the odds of a win and
// its probability per number of picks (columns) and hits (rows).

#include "shell/FirstShow.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class TLabel2000X;
class TStringAlignGrid;
struct TGameInfo;

class TfrmProbs : public TFirstShow<QWidget> {
    Q_OBJECT

public:
    explicit TfrmProbs(QWidget *parent = nullptr);

    // The id of the game the window shows; 0 until it is shown.
    uint8_t GameId() const { return FGameId; }

    QLabel *Label19;
    TLabel2000X *Label2000X1;
    TStringAlignGrid *grid;

private:
    void FormShow() override;
    void BuildTable(const TGameInfo &info);

    uint8_t FGameId = 0;
};

// Brings the open probabilities window of the current game forward, restored to its normal size, or
// opens one.
void OpenProbs();

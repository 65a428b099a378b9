#pragma once
// "Wybierz gry do aktualizacji": the games with download sites in a checked tree under "Wszystkie gry".
// The root checks or unchecks every game; OK is enabled while a game is checked.

#include "controls/TreeNT.h"

#include <QDialog>

#include <functional>
#include <string>

class QPushButton;

// The tree that tells its owner after every click or key that may have changed a check mark.
class TSelGamesTree : public TCustomTreeNT {
    Q_OBJECT

public:
    using TCustomTreeNT::TCustomTreeNT;
    std::function<void()> OnCheckClick;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

class TfrmSelGames : public QDialog {
    Q_OBJECT

public:
    // Selection: one character per game in game order, '1' for a game that may be chosen.
    TfrmSelGames(const std::string &Selection, QWidget *Parent = nullptr);

    // One character per game in game order: '1' for a checked game, else '0'.
    std::string Result() const;

    TSelGamesTree *tvGames;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    void TreeCheckClick();

    TTreeNTNode *Root;
    bool RootChecked = true;
};

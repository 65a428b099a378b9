#pragma once
// "Dwumian Newtona": the binomial coefficient C(n, k) for n up to 100, exactly, in groups of three
// digits. The last n and k are kept for the next window.

#include "core/HugeInts.h"
#include "shell/FirstShow.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class TFloatSpin;
class TPBEdit;

class TfrmToolNewton : public TFirstShow<QWidget> {
    Q_OBJECT

public:
    explicit TfrmToolNewton(QWidget *parent = nullptr);

    TFloatSpin *seN;
    TFloatSpin *seK;
    QLabel *lblOpen;
    QLabel *lblN;
    QLabel *lblK;
    QLabel *lblClose;
    QLabel *lblEquals;
    TPBEdit *eRes;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void CreateControls();
    void FormShow() override;
    void FormClose();
    void LoadParams();
    void SaveParams();
    void seNChange();
    // k at most n, once n is complete.
    void BoundK();
    // C(n, k) of the values shown; empty while either is empty.
    void ShowResult();

    // Row n holds C(n, 0..n); built when the window is shown, freed when it closes.
    std::vector<std::vector<THugeInt>> FTriangle;
};

// The parameters' key: "Stats\0\6".
std::string NewtonParamsKey();

// Digits in groups of three from the right, one blank between groups: "1 234 567".
std::string GroupByThree(const std::string &Digits);

// Opens a calculator in the main window.
void OpenToolNewton();

#pragma once
// The dialog in which a system window's system enters the play history, with the day it was sent and
// the stake multiplier.

#include <QDialog>

#include <memory>

class QDateEdit;
class QPushButton;
class TFloatSpin;
class TSystem;
struct THistoryAddResult;

class TfrmHistItem : public QDialog {
    Q_OBJECT

public:
    explicit TfrmHistItem(QWidget *parent = nullptr);
    ~TfrmHistItem() override;

    // Keeps the system; today's date and multiplier 1.
    void SetSystem(const TSystem *System);

    QDateEdit *dtDate;
    TFloatSpin *seRate;
    QPushButton *btnOK;
    QPushButton *btnCancel;

    // What AddToHistory answered once OK was pressed.
    const THistoryAddResult &Result() const { return *FResult; }

private:
    void btnOKClick();

    const TSystem *FSystem = nullptr;
    std::unique_ptr<THistoryAddResult> FResult;
};

// The history command of a system window: the dialog for System, then what became of the entry.
void AddSystemToHistory(QWidget *Parent, const TSystem &System);

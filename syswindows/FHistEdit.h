#pragma once
// The editor of one play-history entry: the day sent, the multiplier, the win and the bets that hit
// each level. The cost stays as it was recorded.

#include <QDialog>

#include <memory>

class QDateEdit;
class QLineEdit;
class QPushButton;
class TFloatSpin;
class TStringAlignGrid;
struct THistoryItem;

class TfrmHistEdit : public QDialog {
    Q_OBJECT

public:
    explicit TfrmHistEdit(QWidget *parent = nullptr);
    ~TfrmHistEdit() override;

    // Shows a copy of Entry.
    void SetItem(const THistoryItem &Entry);

    QDateEdit *dtDate;
    TFloatSpin *seRate;
    TFloatSpin *seWin;
    TStringAlignGrid *sgHits;
    QLineEdit *eGame;
    QLineEdit *eSystem;
    QLineEdit *eK;
    QLineEdit *eN;
    QLineEdit *eCComb;
    QLineEdit *eCost;
    QPushButton *btnOK;
    QPushButton *btnCancel;

    // After OK: the edited entry, and whether it differs from the one shown.
    const THistoryItem &Item() const { return *FItem; }
    bool Modified = false;

private:
    void btnOKClick();
    // The hit level shown in grid row Row (from 1).
    int LevelOfRow(int Row) const { return FTopLevel - Row + 1; }

    std::unique_ptr<THistoryItem> FItem;
    int FTopLevel = 0;
};

#pragma once
// The progress panel a window shows at its bottom while its worker computes: a status text, a progress
// bar of 0..10000 and its percentage. Hidden until Begin.

#include <QWidget>

class QLabel;
class TALProgressBar;

class TProgressPanel : public QWidget {
    Q_OBJECT

public:
    explicit TProgressPanel(QWidget *Parent = nullptr);

    QLabel *lblPrsText;
    TALProgressBar *ProgressBar1;
    QLabel *lblProgress;

    // Shows the panel with Text, the bar at Pos and no percentage.
    void Begin(const QString &Text, int Pos);
    // ShowProgress on the bar and the percentage label.
    void ShowPos(int Pos, int Step);
    void SetText(const QString &Text);
    void End();
};

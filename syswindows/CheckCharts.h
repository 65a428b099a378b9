#pragma once
// The charts of the check windows, on two pages: "Trafienia", a line per hit level over the shown rows,
// each switched on by its item in lbHits (the axis scaled to the lines shown), and "Wygrana", the wins
// of the shown rows.

#include <QStringList>
#include <QTabWidget>

#include <vector>


class QChartView;
class QListWidget;
class QPushButton;
struct TCheckRow;

class TCheckCharts : public QTabWidget {
    Q_OBJECT

public:
    explicit TCheckCharts(QWidget *Parent);

    // The levels charted: TopLevel down, Count of them, read from the hit elements from FirstHit on;
    // ticked when first listed from LowHits up.
    struct TLevels {
        int TopLevel = 0;
        int FirstHit = 0;
        int Count = 0;
        int LowHits = 0;
    };

    // Charts the rows, Labels one per row (upright when DrawNumbers, else turned) and shows the pages;
    // hides them for exactly one row. The level list keeps its ticks while the levels stay the same.
    void ShowRows(const std::vector<TCheckRow> &Rows, const QStringList &Labels, bool DrawNumbers,
                  const TLevels &Levels);

    QChartView *Chart1;
    QListWidget *lbHits;
    QPushButton *btnSelAll;
    QPushButton *btnDeselAll;
    QChartView *Chart2;

private:
    void FillHitLevels(const TLevels &Levels);
    void ApplyHitLevels();

    int FListedTop = -1;
    int FListedCount = -1;
};

#pragma once
// The two tabs that every system window but the staking one shows: the system's rows, its parameters,
// its key and the view buttons on "System"; its filters on "Filtr".

#include <QStringList>

#include <cstdint>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;
class TStringAlignGrid;

struct TSysWindowLayout {
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;
    TStringAlignGrid *sgSystem = nullptr;
    TStringAlignGrid *sgStat = nullptr;
    TStringAlignGrid *sgKey = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *rbViewAll = nullptr;
    QRadioButton *rbViewFlt = nullptr;
    // Below the view buttons: where a kind window adds controls of its own, taking the height left.
    QVBoxLayout *KindPanel = nullptr;
    TStringAlignGrid *sgFilters = nullptr;
    QPushButton *btnFltDel = nullptr;
    QLineEdit *eFilter = nullptr;
};

// Builds the tabs into Form; StatRows are the captions of the info grid's rows below its header.
TSysWindowLayout BuildSysWindowLayout(QWidget *Form, const QStringList &StatRows);

// Design widths of the columns the window sizes again as its system changes (FGlobalGrids' rule).
constexpr int SysRowNumberWidth = 43;  // "Nr"
constexpr int SysStatValueWidth = 100; // "Wartość"
constexpr int SysKeyColWidth = 22;     // a number of the key

// The colours of the system grids: the background, and the selected cells and rows that pass a filter.
constexpr uint32_t SysGridColor = 0xC9E0EB;
constexpr uint32_t SysSelectedColor = 0xB4CBD6;

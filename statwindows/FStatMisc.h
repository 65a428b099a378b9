#pragma once
// "Różne": eleven properties of every draw of the window's range (or row of a system), grouped and
// summarised beside their expected values, with the even/odd pattern of each draw. The colours of the
// details chart's lines can be chosen while the window is open; the classes of the two charts are kept.

#include "statwindows/FStatClassPatterns.h"

class QPushButton;
class TStatMisc;

class TfrmStatMisc : public TfrmStatClassPatterns {
    Q_OBJECT

public:
    static constexpr int MiscStatIndex = 1;
    // The "Params" record: the two chart lists' items, u32 each.
    static constexpr size_t ParamsSize = 8;

    explicit TfrmStatMisc(QWidget *Owner = nullptr);

    TStatMisc *StatMisc = nullptr; // the window's statistic (Stat)
    // The colours of the details chart's three lines.
    QPushButton *Button1;
    QPushButton *Button2;
    QPushButton *Button3;

protected:
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void Calculate() override;

private:
    void ChooseSeriesColor(int Series);
};

#pragma once
// "Kolejne liczby": the runs of consecutive numbers in every draw of the window's range (or row of a
// system), counted by run length, grouped and summarised, with each draw's run lengths as a pattern.

#include "statwindows/FStatClassPatterns.h"

class TStatSucc;

class TfrmStatSucc : public TfrmStatClassPatterns {
    Q_OBJECT

public:
    static constexpr int SuccStatIndex = 4;

    explicit TfrmStatSucc(QWidget *Owner = nullptr);

    TStatSucc *StatSucc = nullptr; // the window's statistic (Stat)

protected:
    std::unique_ptr<TStat> CreateStat() override;
    void Calculate() override;
    // Results only where some draw holds a run.
    bool HasClasses() const override;
};

#pragma once
// "Cyfry": for every draw of the window's range (or row of a system) how many of its numbers carry each
// digit, the first or the last one, grouped and summarised beside the expected counts, with each draw's
// repeated digits as a pattern.

#include "statwindows/FStatClassPatterns.h"

class QComboBox;
class TStatDigits;

class TfrmStatDigits : public TfrmStatClassPatterns {
    Q_OBJECT

public:
    static constexpr int DigitsStatIndex = 8;
    // The "Params" record: one byte, 1 for the first digit.
    static constexpr size_t ParamsSize = 1;

    explicit TfrmStatDigits(QWidget *Owner = nullptr);

    TStatDigits *StatDigits = nullptr; // the window's statistic (Stat)
    QLabel *lblDigitType;
    QComboBox *cbDigitType; // "Pierwsza cyfra", "Druga cyfra"

protected:
    std::unique_ptr<TStat> CreateStat() override;
    void ReadParams() override;
    void WriteParams() override;
    void Calculate() override;
};

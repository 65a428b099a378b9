#pragma once
// The parameters of a full system: how many numbers and how many per combination, with what the whole
// system costs and wins while it is small enough to be listed. The last values are kept per game.

#include "syswindows/FParSysGeneral.h"

class TfrmParSysFull : public TGenParSysForm {
    Q_OBJECT

public:
    explicit TfrmParSysFull(QWidget *parent = nullptr);

protected:
    // Every combination, while there are no more than a system may list.
    std::optional<int64_t> CostedCombinations() const override;
    std::optional<double> HitScale() const override;

private:
    bool Listed() const;
};

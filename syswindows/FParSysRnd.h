#pragma once
// The parameters of a random system: how many numbers, how many per combination and how many
// combinations to draw, with what such a system costs. The last values are kept per game.

#include "syswindows/FParSysGeneral.h"

class TfrmParSysRnd : public TGenParSysForm {
    Q_OBJECT

public:
    explicit TfrmParSysRnd(QWidget *parent = nullptr);
};

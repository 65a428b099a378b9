#pragma once
// What a filtering or exploring run reads: a system's rows or a draw history's draws.

#include <cstdint>

class TDrawsManager;
class TSystem;

struct TFilterSource {
    uint8_t Mode = 1; // 1 a system, 0 a draw history
    TSystem *System = nullptr;
    TDrawsManager *DrawsMan = nullptr;
};

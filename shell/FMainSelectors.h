#pragma once
// What the main window's selectors and menus offer: the system kinds of the system selector and the
// statistics, with the numbers that open their windows.

#include <QString>

#include <array>

// The system selector's items; they are not in the order of the system kind numbers.
inline const std::array<QString, 7> SystemSelectorItems = {
    QStringLiteral("Skrócony - klasyczny"), QStringLiteral("Skrócony - zmienny"), QStringLiteral("Skrócony - losowy"),
    QStringLiteral("Pełny - prosty"),       QStringLiteral("Pełny - złożony"),    QStringLiteral("Stawkowy"),
    QStringLiteral("Gwarancyjny"),
};

// The system kind whose window the system selector's item Index opens; -1 for any other index.
int SystemSelectorKind(int Index);

struct TStatItem {
    QString Caption;
    int StatIndex; // the number that opens the statistic's window and travels in WM_SYS_STATS
};

// The statistics in selector and menu order.
inline const std::array<TStatItem, 12> StatItems = {{
    {QStringLiteral("Częstotliwości"), 0},
    {QStringLiteral("Różne"), 1},
    {QStringLiteral("Serie"), 2},
    {QStringLiteral("Przerwy"), 3},
    {QStringLiteral("Kolejne liczby"), 4},
    {QStringLiteral("Przedziały liczbowe"), 6},
    {QStringLiteral("Optymalne kombinacje"), 5},
    {QStringLiteral("Następstwa"), 7},
    {QStringLiteral("Cyfry"), 8},
    {QStringLiteral("Oczekiwanie"), 9},
    {QStringLiteral("Różnice"), 10},
    {QStringLiteral("Zakresy częstotliwości"), 11},
}};

// The statistics a system window computes over its own combinations ("Statystyka" of the system menus).
inline const std::array<int, 6> SystemStatIndexes = {0, 1, 4, 6, 8, 10};

// The caption of the statistic with StatIndex; empty for an unknown one.
QString StatCaption(int StatIndex);

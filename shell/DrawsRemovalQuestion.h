#pragma once
// The question asked before a game's draw history is replaced by draws that lack some of its own.

#include <QString>

class TDrawsManager;

// History's draws are to be replaced with Replacement's: when that removes draws from History, a
// question (flags 36) says how many, after Lead when it is given, and ends in Question. Answers
// whether to go on: at once when nothing would be removed.
bool ConfirmDrawsRemoval(const TDrawsManager &History, const TDrawsManager &Replacement, const QString &Lead,
                         const QString &Question);

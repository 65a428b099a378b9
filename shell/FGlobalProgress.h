#pragma once
// The progress bar, its percentage label and the status text of the main window's status bar.

#include <QString>

class QLabel;
class TALProgressBar;

// Position 0 and no percentage on the main status bar.
void ProgressClear();
// ShowProgress on the main status bar's bar and label.
void ProgressShow(int Pos, int Step);
// Bar at Pos; Lbl shows Pos / Max as a percentage with two decimals for Step 1, one for Step 10 and none
// for Step 100 (the steps TProgress reports with); any other Step leaves Lbl's text. Lbl is repainted.
void ShowProgress(TALProgressBar *Bar, QLabel *Lbl, int Pos, int Step);
// The second panel of the main status bar.
void SetStatusText(const QString &Text);

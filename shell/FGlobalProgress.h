#pragma once
// The progress bar, its percentage label and the status text of the main window's status bar. Every
// operation here may be called from any thread: widgets are touched only on the GUI thread, at once when
// called there, else later through the installed dispatcher (in the order of the calls).

#include <QString>
#include <Qt>

#include <functional>

class QLabel;
class QWidget;
class TALProgressBar;

// A progress bar of the program's look: one navy bar over 0..10000, no text of its own.
TALProgressBar *NewProgressBar(QWidget *Parent);
// The label ShowProgress writes a bar's percentage to: by the width rule, wide enough for "100,00%" in
// its own font.
QLabel *NewPercentLabel(QWidget *Parent, Qt::Alignment Alignment = Qt::AlignRight | Qt::AlignVCenter);

// Runs Task on the GUI thread: at once when called there, else queued through the installed dispatcher
// (dropped when none is installed); never blocks.
void RunOnGuiThread(std::function<void()> Task);

// Position 0 and no percentage on the main status bar.
void ProgressClear();
// ShowProgress on the main status bar's bar and label.
void ProgressShow(int Pos, int Step);
// Bar at Pos; Lbl shows Pos / Max as a percentage with two decimals for Step 1, one for Step 10 and none
// for Step 100 (the steps TProgress reports with); any other Step leaves Lbl's text. Lbl is repainted.
// A call queued from another thread does nothing once Bar or Lbl is gone.
void ShowProgress(TALProgressBar *Bar, QLabel *Lbl, int Pos, int Step);
// The second panel of the main status bar.
void SetStatusText(const QString &Text);

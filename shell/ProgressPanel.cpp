#include "shell/ProgressPanel.h"

#include "controls/ALProgressBar.h"
#include "shell/FGlobalProgress.h"

#include <QHBoxLayout>
#include <QLabel>

TProgressPanel::TProgressPanel(QWidget *Parent) : QWidget(Parent)
{
    lblPrsText = new QLabel(this);
    ProgressBar1 = NewProgressBar(this);
    lblProgress = NewPercentLabel(this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(lblPrsText);
    layout->addWidget(ProgressBar1, 1);
    layout->addWidget(lblProgress);
    hide();
}

void TProgressPanel::Begin(const QString &Text, int Pos)
{
    lblPrsText->setText(Text);
    lblProgress->clear();
    ProgressBar1->SetPosition(Pos);
    show();
}

void TProgressPanel::ShowPos(int Pos, int Step)
{
    ShowProgress(ProgressBar1, lblProgress, Pos, Step);
}

void TProgressPanel::SetText(const QString &Text)
{
    lblPrsText->setText(Text);
}

void TProgressPanel::End()
{
    hide();
}

#include "controls/BtnComboBox.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr int PanelWidth = 20;
constexpr int ButtonWidth = 16;
constexpr int ButtonHeight = 17;

} // namespace

TBtnComboBox::TBtnComboBox(QWidget *parent)
    : QWidget(parent)
    , FCombo(new QComboBox(this))
    , FPanel(new QFrame(this))
    , FButton(new QPushButton(FPanel))
{
    FCombo->setObjectName(QStringLiteral("Combo"));
    FButton->setObjectName(QStringLiteral("Btn"));
    FPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    FPanel->setLineWidth(1);
    FPanel->resize(PanelWidth, FCombo->sizeHint().height() - 4);
    FCombo->resize(FCombo->sizeHint());
    FButton->setGeometry(1, 1, ButtonWidth, ButtonHeight);
    connect(FButton, &QPushButton::clicked, this, [this] {
        if (OnBtnClick)
            OnBtnClick(this);
    });
    resize(FCombo->width() + FPanel->width(), FCombo->height());
}

void TBtnComboBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int comboHeight = height() - 1;
    FCombo->setGeometry(0, 0, width() - FPanel->width() - 3, comboHeight);
    FPanel->setGeometry(FCombo->x() + FCombo->width(), FPanel->y(), FPanel->width(), comboHeight - 3);
    FButton->move(1, (FPanel->height() - ButtonHeight) / 2);
}

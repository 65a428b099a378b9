#include "controls/BtnComboBox.h"

#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr int PanelWidth = 20;
// The combo's height is the control's less this; the panel with its button is as tall as the combo.
constexpr int ComboHeightGap = 1;
constexpr int ComboGap = 3;

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
    FPanel->resize(PanelWidth, FCombo->sizeHint().height());
    connect(FButton, &QPushButton::clicked, this, [this] {
        if (OnBtnClick)
            OnBtnClick(this);
    });
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    resize(sizeHint());
    PlaceParts();
}

QSize TBtnComboBox::sizeHint() const
{
    const QSize combo = FCombo->sizeHint();
    return {combo.width() + PanelWidth + ComboGap, combo.height() + ComboHeightGap};
}

QSize TBtnComboBox::minimumSizeHint() const
{
    const QSize combo = FCombo->minimumSizeHint();
    return {combo.width() + PanelWidth + ComboGap, FCombo->sizeHint().height() + ComboHeightGap};
}

void TBtnComboBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    PlaceParts();
}

void TBtnComboBox::PlaceParts()
{
    const int comboHeight = height() - ComboHeightGap;
    FCombo->setGeometry(0, 0, width() - FPanel->width() - ComboGap, comboHeight);
    FPanel->setGeometry(FCombo->x() + FCombo->width(), FCombo->y(), FPanel->width(), comboHeight);
    const int frame = FPanel->frameWidth();
    FButton->setGeometry(frame, frame, FPanel->width() - 2 * frame, FPanel->height() - 2 * frame);
}

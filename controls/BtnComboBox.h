#pragma once
// A drop-down list with a small button glued to its right edge, as tall as the list.

#include "controls/Component.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QFrame;
class QPushButton;

class TBtnComboBox : public QWidget, public LoadedComponent {
    Q_OBJECT
public:
    explicit TBtnComboBox(QWidget *parent = nullptr);

    QComboBox *Combo() const { return FCombo; }
    QPushButton *Button() const { return FButton; }
    // The frame that holds the button, flush right of the combo.
    QFrame *ButtonPanel() const { return FPanel; }

    // The combo's natural size with the button panel beside it.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Raised after the button's own click handlers.
    std::function<void(QObject *Sender)> OnBtnClick;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void PlaceParts();

    QComboBox *FCombo;
    QFrame *FPanel;
    QPushButton *FButton;
};

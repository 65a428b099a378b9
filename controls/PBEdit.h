#pragma once
// An edit with right or centred text that keeps its text selected when entered with the mouse and
// whose Enter key clicks the default buttons of its window.

#include "controls/Alignment.h"
#include "controls/Component.h"

#include <QLineEdit>

class TPBEdit : public QLineEdit, public LoadedComponent {
    Q_OBJECT
public:
    explicit TPBEdit(QWidget *parent = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    QString Version() const { return QStringLiteral("2.00.00.00"); }

    bool AutoSelect = true;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Clicks every enabled default push button of the window; false when there is none.
    bool clickDefaultButtons();

    TAlignment FAlignment = taLeftJustify;
    bool FEnteredWithMouse = false;
};

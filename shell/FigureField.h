#pragma once
// A read-only field of a figure (a count or an amount of money): never narrower than its whole text, so
// that no digit and no sign of it is hidden; the layout, and with it the window, makes room for it.

#include <QLineEdit>

class TFigureField : public QLineEdit {
    Q_OBJECT

public:
    explicit TFigureField(QWidget *Parent, Qt::Alignment Align = Qt::AlignLeft);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    // The width that shows the whole text without scrolling it.
    int WholeTextWidth() const;
};

#pragma once
// The main window's status bar: panels of text side by side, and room for child controls (the
// progress bar and its percentage label sit on the first panel).

#include "controls/Component.h"
#include "controls/Graphics.h"

#include <QStatusBar>
#include <QString>

#include <vector>

struct TStatusPanel {
    int Width = 50;
    QString Text;
};

class TALStatusBar : public QStatusBar, public LoadedComponent {
    Q_OBJECT
public:
    explicit TALStatusBar(QWidget *parent = nullptr);

    // After changing the panels, repaint the bar (update()).
    std::vector<TStatusPanel> Panels;

    // The panel's area: panels follow one another from the left, the last one reaches the right edge.
    TRect PanelRect(int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

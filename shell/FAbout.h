#pragma once
// The About box: the program's icon, name and version; OK and Esc close it.

#include <QDialog>

class QAction;
class QLabel;
class QPushButton;

class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget *parent = nullptr);

    QLabel *Image1;
    QLabel *Label1;
    QLabel *Label7;
    QLabel *Label4;
    QPushButton *btnOK;
    QAction *Action2;

private:
    void Action2Execute();
};

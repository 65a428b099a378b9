#pragma once
// The guarantee parameters: the hit configurations of a system as a tree with check boxes, one root per
// list of variants, and the precision of the computation.

#include "shell/FirstShow.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TAllGuars;
class TFloatSpin;
class TTreeNT;
class TTreeNTNode;

class TfrmParGuarSysShort : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmParGuarSysShort(QWidget *parent = nullptr);

    // Mode 0: the first list under one root; 1: the first list and, when it has any, the second list
    // under a root of its own. The variants' selected flags are set by OK.
    void Init(TAllGuars *AVariants, int AMode);

    // After OK (modal result 1, given when a variant was chosen; else 2): the precision, 0..1.
    double Precision = 1.0;
    // Variants chosen by OK.
    int SelectedCount = 0;

    TTreeNT *Tree;
    QLabel *Label1;
    TFloatSpin *FloatSpin1;
    QPushButton *btnOK;
    QPushButton *btnCancel;

protected:
    // A click or a key on the tree, once the tree has dealt with it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow() override;
    void AddRoot(const QString &Text, intptr_t Data, bool SecondList);
    // The root's check follows its children, a root's children follow it.
    void TreeClick();
    void btnOKClick();

    TAllGuars *Variants = nullptr;
    int Mode = 0;
};

#pragma once
// "Parametry raportu": the user ticks which of a window's tables go into its report.

#include <QDialog>
#include <QString>

#include <vector>

class QListWidget;
class QPushButton;

class TfrmSelRepItems : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSelRepItems(QWidget *Owner = nullptr);

    QListWidget *CheckListBox1;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *btnSelAll;
    QPushButton *btnDeselAll;

    // The number of names given, hidden ones included.
    int ItemCount = 0;

    // Lists every name, ticked, whose Enabled entry is true (every name when Enabled is empty).
    void SetItems(const std::vector<QString> &Names, const std::vector<bool> &Enabled);
    // ItemCount entries: true where the name is listed and ticked.
    std::vector<bool> GetChecked() const;

private:
    void btnOKClick();
    void CheckAll(bool Checked);
};

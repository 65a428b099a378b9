#pragma once
// The guarantee of a composite full system still as generated: for every way the drawn numbers fall
// into its two parts, how many of its combinations reach each prize level and what they win. A dependent
// guarantee window of its system window: it closes with that window and when the system is replaced.

#include "shell/UGeneralForm.h"

#include <string>

class TFCSGuaranty;
class TStringAlignGrid;
struct TGameData;

class TfrmGuarSysFull : public TGenForm {
    Q_OBJECT

public:
    explicit TfrmGuarSysFull(QWidget *Owner = nullptr);

    // The caption of the system window's tag and the system's description, and the guarantee's table.
    void Init(const TGameData &Game, int AWindowNo, const std::string &ADescription, const TFCSGuaranty &Guarantee);

    std::string Description;
    TStringAlignGrid *sgGuar;

protected:
    bool HandleCommand(CommandEvent &Command) override;
    // Only the read and report commands.
    void FormActivate() override;

private:
    void FormShow() override;
    // The table on a sheet below the line "Gwarancja : " and the description.
    void Report();
};

#pragma once
// The saved filter sets window "Wczytaj filtry": the filter sets of the filters folder, each with its
// comment, its filters and their expression; it deletes files and returns the chosen sets' files.

#include "engine/UFilters.h"
#include "syswindows/ReadListForm.h"

#include <cstdint>
#include <string>
#include <vector>

class QLineEdit;
class TStringAlignGrid;
struct TGameData;

// One listed filter set.
struct TFilterSetObject : TListedFile {
    uint32_t FilterCount = 0;
};

// Reads a filter-set file for the list: its checksum, the current version and file kind 5, the
// information block with its comment and the count of filters; false otherwise.
bool ReadListedFilterSet(const std::string &FileName, TFilterSetObject &Object);

class TfrmFilterRead : public TReadListForm {
    Q_OBJECT

public:
    explicit TfrmFilterRead(QWidget *parent = nullptr);

    // Before the modal show: the game and the sizes the sets are read with, and the caller's list that
    // the window fills with the filters of the selected set (and empties). A set is shown as it was
    // saved, over no pool.
    void Init(const TGameData *AGame, uint32_t AN, TFilterList *AScratch, uint32_t AK);

    const TFilterSetObject &Object(int Row) const { return static_cast<const TFilterSetObject &>(Listed(Row)); }

    // After modal result 1: the selected sets' files in list order.
    std::vector<std::string> FileNames;

    QLabel *Label3;
    TStringAlignGrid *sgFlts;
    QLabel *Label4;
    QLineEdit *eSym;

private:
    void FormShow() override;
    int CompareColumn(const TListedFile &A, const TListedFile &B, int Column, const QCollator &Collator) const override;
    const std::vector<int> &TieOrder(int Column) const override;
    QStringList RowTexts(const TListedFile &Object) const override;
    void ShowSelection(int Row) override;
    void Accept() override;

    const TGameData *Game = nullptr;
    uint32_t N = 0;
    uint32_t K = 0;
    TFilterList *Scratch = nullptr;
};

#pragma once
// The saved-systems window: the systems and guarantee sets saved in the data folder, each with its
// comment; it deletes files and opens the chosen ones, each in a new system window of its kind.

#include "syswindows/ReadListForm.h"

#include <string>

// One listed file.
struct TReadFileObject : TListedFile {
    int GameIndex = -1; // in the game list
};

// Reads the head of a data file for the list (the header, the information block and the comment, not
// the rest): the current version, a known game and file kind 0 or 1 are required; false otherwise. The
// whole file is checked when it is opened.
bool ReadListedObject(const std::string &FileName, TReadFileObject &Object);

class TfrmReadFile : public TReadListForm {
    Q_OBJECT

public:
    explicit TfrmReadFile(QWidget *parent = nullptr);

    // Opens every selected object, in list order, in a new system window of its kind. A file that fails
    // its checksum, or a guarantee file that does not read, is told as a file that cannot be read.
    void OpenSelected();

    // The object shown in a row.
    const TReadFileObject &Object(int Row) const { return static_cast<const TReadFileObject &>(Listed(Row)); }

private:
    void FormShow() override;
    int CompareColumn(const TListedFile &A, const TListedFile &B, int Column, const QCollator &Collator) const override;
    const std::vector<int> &TieOrder(int Column) const override;
    QStringList RowTexts(const TListedFile &Object) const override;
};

// The main window's read command: the window, modal, then the chosen objects opened.
void OpenReadWindowDialog();

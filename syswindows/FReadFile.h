#pragma once
// The saved-systems window: the systems and guarantee sets saved in the data folder, each with its
// comment; it deletes files and opens the chosen ones, each in a new system window of its kind.

#include "core/UGlobalFiles.h"
#include "shell/FirstShow.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TdfsExtListView;

// One listed file.
struct TReadFileObject {
    std::string FileName; // full path
    TFileHeader Header;
    TFileInfo Info;
    int GameIndex = -1; // in the game list
};

// Reads the head of a data file for the list (the header, the information block and the comment, not
// the rest): the current version, a known game and file kind 0 or 1 are required; false otherwise. The
// whole file is checked when it is opened.
bool ReadListedObject(const std::string &FileName, TReadFileObject &Object);

class TfrmReadFile : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmReadFile(QWidget *parent = nullptr);
    ~TfrmReadFile() override;

    // Opens every selected object, in list order, in a new system window of its kind. A file that fails
    // its checksum, or a guarantee file that does not read, is told as a file that cannot be read.
    void OpenSelected();

    // The object shown in a row.
    const TReadFileObject &Object(int Row) const { return *Objects[size_t(Row)]; }

    TdfsExtListView *lvObjs;
    QLabel *Label1;
    QPlainTextEdit *Memo1;
    QPushButton *btnRead;
    QPushButton *btnDelete;
    QPushButton *btnDelAll;
    QPushButton *btnCancel;
    QAction *Action1;

private:
    void CreateControls();
    void FormShow() override;
    // Sorts the objects by the sort column and direction and shows them, keeping the selection.
    void ShowSorted();
    void lvObjsColumnClick(int Column);
    void ShowSortMark();
    // Widens each column to its design width, its bold caption with a sort mark, and its texts.
    void FitColumns();
    void UpdateButtons();
    void ShowComment();
    std::vector<int> SelectedRows() const;
    void btnReadClick();
    void btnDeleteClick();
    void btnDelAllClick();
    // Deletes the files of the rows (ascending) from the last to the first; a row whose file stays keeps
    // its place.
    void DeleteRows(const std::vector<int> &Rows);

    std::vector<std::unique_ptr<TReadFileObject>> Objects; // in row order
    int FSortColumn = 0;
    bool FAscending = true;
};

// The main window's read command: the window, modal, then the chosen objects opened.
void OpenReadWindowDialog();

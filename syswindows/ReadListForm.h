#pragma once
// The base of the windows that list the documents saved in a folder (systems, filter sets): one row per
// file with its comment below, sorting by a column click with a "+"/"-" mark on the column, several
// rows selected at once, deleting the selected files or all of them, and reading the selected ones.

#include "core/UGlobalFiles.h"
#include "shell/FirstShow.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QCollator;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class TdfsExtListView;

// One listed file; the windows add what they show of their kind.
struct TListedFile {
    virtual ~TListedFile() = default;
    std::string FileName; // full path
    TFileHeader Header;
    TFileInfo Info;
};

// -1, 0 or 1 as A is before, with or after B.
template <typename T>
int CompareKeys(T A, T B)
{
    return A < B ? -1 : (B < A ? 1 : 0);
}
// The titles in the locale's order, ignoring case.
int CompareTitles(const TListedFile &A, const TListedFile &B, const QCollator &Collator);
// The saved date and, unless it is midnight, the time of day.
QString SavedDateText(TDateTime Date);

struct TReadListColumn {
    const char *Caption;
    int Width; // in the forms' pixels
};

// What differs between the listing windows.
struct TReadListTexts {
    QString Title;
    std::vector<TReadListColumn> Columns;
    QString MarkPrefix; // what stands between a column's caption and its sort mark
    QString DelAllCaption;
    QString NoneSelected;   // the notice of a read without a selected row
    QString DelAllQuestion; // asked before every file is deleted
};

class TReadListForm : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    TReadListForm(TReadListTexts Texts, QWidget *parent);
    ~TReadListForm() override;

    int Count() const { return int(Objects.size()); }
    const TListedFile &Listed(int Row) const { return *Objects[size_t(Row)]; }
    // The selected rows, ascending.
    std::vector<int> SelectedRows() const;

    TdfsExtListView *lvObjs;
    QLabel *Label1;
    QPlainTextEdit *Memo1;
    QPushButton *btnRead;
    QPushButton *btnDelete;
    QPushButton *btnDelAll;
    QPushButton *btnCancel;
    QAction *Action1;

protected:
    using TReadProc = std::function<std::unique_ptr<TListedFile>(const std::string &FileName)>;

    // Lists every "L*.dat" file of Folder that Read accepts, sorted, its first row selected.
    void ListFolder(const std::string &Folder, const TReadProc &Read);

    // Between the comment and the buttons: the place of what a window shows beside the comment.
    QVBoxLayout *Details;

    // -1, 0 or 1 by the key of Column.
    virtual int CompareColumn(const TListedFile &A, const TListedFile &B, int Column,
                              const QCollator &Collator) const = 0;
    // The keys that break ties after the key of the clicked Column.
    virtual const std::vector<int> &TieOrder(int Column) const = 0;
    virtual QStringList RowTexts(const TListedFile &Object) const = 0;
    // The selection changed, its comment shown: the window shows the rest of the first selected row
    // (-1 for none).
    virtual void ShowSelection(int Row);
    // The read with rows selected: modal result 1 by default.
    virtual void Accept();

private:
    void CreateControls();
    // Sorts the objects by the sort column and direction and shows them, keeping the selection.
    void ShowSorted();
    void lvObjsColumnClick(int Column);
    void ShowSortMark();
    // Widens each column to its design width, its bold caption with a sort mark, and its texts.
    void FitColumns();
    void UpdateButtons();
    void SelectionChanged();
    void btnReadClick();
    void btnDeleteClick();
    void btnDelAllClick();
    // Deletes the files of the rows (ascending) from the last to the first; a row whose file stays keeps
    // its place.
    void DeleteRows(const std::vector<int> &Rows);

    const TReadListTexts FTexts;
    std::vector<std::unique_ptr<TListedFile>> Objects; // in row order
    int FSortColumn = 0;
    bool FAscending = true;
};

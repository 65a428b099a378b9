#include "syswindows/ReadListForm.h"

#include "controls/ExtListView.h"
#include "core/ProgramLocale.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalWindows.h"
#include "shell/GuardedConnect.h"

#include <QAction>
#include <QCollator>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTime>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

constexpr TColor ListColor = 0xC9E0EB;
constexpr TColor HeaderColor = 0x800000;
constexpr int SecondsPerDay = 86400;

} // namespace

int CompareTitles(const TListedFile &A, const TListedFile &B, const QCollator &Collator)
{
    return Collator.compare(QString::fromStdString(A.Info.Title), QString::fromStdString(B.Info.Title));
}

QString SavedDateText(TDateTime Date)
{
    QString text = QString::fromStdString(DateToStr(Date));
    const double fraction = Date - std::floor(Date);
    const int seconds = std::min(int(std::lround(fraction * SecondsPerDay)), SecondsPerDay - 1);
    if (seconds > 0)
        text += QLatin1Char(' ') + QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HH:mm:ss"));
    return text;
}

TReadListForm::TReadListForm(TReadListTexts Texts, QWidget *parent)
    : TFirstShow<QDialog>(parent), FTexts(std::move(Texts))
{
    setWindowTitle(FTexts.Title);
    setWindowFlag(Qt::Tool);
    setMinimumSize(254, 227);
    CreateControls();
}

TReadListForm::~TReadListForm() = default;

void TReadListForm::CreateControls()
{
    lvObjs = new TdfsExtListView(this);
    lvObjs->SetStyle(TLVStyle::lvOwnerDrawFixed);
    lvObjs->SetExtendedStyles(lvxGridLines | lvxFullRowSelect);
    lvObjs->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvObjs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvObjs->AutoResort = false;
    QPalette palette = lvObjs->palette();
    palette.setColor(QPalette::Base, toQColor(ListColor));
    lvObjs->setPalette(palette);
    for (const TReadListColumn &column : FTexts.Columns)
        lvObjs->AddColumn(QString::fromUtf8(column.Caption), column.Width);
    // Bold navy captions, drawn the default way.
    lvObjs->OnDrawHeader = [](TCustomEnhListView *, QPainter &Painter, int, TRect &, bool, bool &DefaultDrawing) {
        QFont font = Painter.font();
        font.setBold(true);
        Painter.setFont(font);
        Painter.setPen(toQColor(HeaderColor));
        DefaultDrawing = true;
    };
    lvObjs->OnColumnClick = guardedCall([this](TCustomEnhListView *, int Column) { lvObjsColumnClick(Column); });
    lvObjs->Loaded();
    connectGuarded(lvObjs->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   &TReadListForm::SelectionChanged);
    connectGuarded(lvObjs, &QAbstractItemView::doubleClicked, this, &TReadListForm::btnReadClick);

    Label1 = new QLabel(QStringLiteral("&Komentarz:"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Label1->setBuddy(Memo1);
    btnRead = new QPushButton(QStringLiteral("&Wczytaj"), this);
    btnRead->setDefault(true);
    btnDelete = new QPushButton(QStringLiteral("&Usuń"), this);
    btnDelAll = new QPushButton(FTexts.DelAllCaption, this);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnRead, &QPushButton::clicked, this, &TReadListForm::btnReadClick);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &TReadListForm::btnDeleteClick);
    connectGuarded(btnDelAll, &QPushButton::clicked, this, &TReadListForm::btnDelAllClick);
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { done(2); });
    Action1 = new QAction(this);
    Action1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(Action1);
    connectGuarded(Action1, &QAction::triggered, this, &TReadListForm::btnDeleteClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnRead);
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnDelAll);
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    Details = new QVBoxLayout;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lvObjs, 3);
    layout->addWidget(Label1);
    layout->addWidget(Memo1, 1);
    layout->addLayout(Details, 2);
    layout->addLayout(buttons);
    resize(760, 420);
}

void TReadListForm::ListFolder(const std::string &Folder, const TReadProc &Read)
{
    TStrArray names;
    ListFiles(Folder + "L*.dat", names);
    for (const std::string &name : names)
        if (std::unique_ptr<TListedFile> object = Read(Folder + name))
            Objects.push_back(std::move(object));
    ShowSorted();
    ShowSortMark();
    FitColumns();
    if (!Objects.empty())
        lvObjs->SelectItem(0);
    UpdateButtons();
}

void TReadListForm::ShowSorted()
{
    std::vector<const TListedFile *> selected;
    for (int row : SelectedRows())
        selected.push_back(Objects[size_t(row)].get());
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const std::vector<int> &keys = TieOrder(FSortColumn);
    std::stable_sort(Objects.begin(), Objects.end(), [&](const auto &A, const auto &B) {
        int result = CompareColumn(*A, *B, FSortColumn, collator);
        for (size_t i = 0; result == 0 && i < keys.size(); ++i)
            result = CompareColumn(*A, *B, keys[i], collator);
        return FAscending ? result < 0 : result > 0;
    });
    {
        const QSignalBlocker quiet(lvObjs->selectionModel());
        lvObjs->Model()->removeRows(0, lvObjs->Model()->rowCount());
        for (const auto &object : Objects) {
            const QStringList texts = RowTexts(*object);
            lvObjs->AddItem(texts.front(), texts.mid(1));
        }
        for (size_t row = 0; row < Objects.size(); ++row)
            if (std::find(selected.begin(), selected.end(), Objects[row].get()) != selected.end())
                lvObjs->selectionModel()->select(lvObjs->Model()->index(int(row), 0),
                                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    SelectionChanged();
}

void TReadListForm::lvObjsColumnClick(int Column)
{
    if (Column < 0 || Column >= int(FTexts.Columns.size()))
        return;
    FAscending = Column == FSortColumn ? !FAscending : true;
    FSortColumn = Column;
    ShowSorted();
    ShowSortMark();
}

void TReadListForm::ShowSortMark()
{
    for (int column = 0; column < int(FTexts.Columns.size()); ++column) {
        QString caption = QString::fromUtf8(FTexts.Columns[size_t(column)].Caption);
        if (column == FSortColumn)
            caption += FTexts.MarkPrefix + (FAscending ? QStringLiteral("+") : QStringLiteral("-"));
        lvObjs->Model()->horizontalHeaderItem(column)->setText(caption);
    }
}

void TReadListForm::FitColumns()
{
    QFont bold = lvObjs->font();
    bold.setBold(true);
    const QFontMetrics captions(bold);
    const QFontMetrics cells(lvObjs->font());
    const int margin = 2 * cells.averageCharWidth();
    int total = 0;
    for (int column = 0; column < int(FTexts.Columns.size()); ++column) {
        const TReadListColumn &design = FTexts.Columns[size_t(column)];
        const QString caption = QString::fromUtf8(design.Caption) + FTexts.MarkPrefix + QStringLiteral("+");
        int width = std::max(ScaledWidth(design.Width), captions.horizontalAdvance(caption) + margin);
        for (int row = 0; row < lvObjs->Model()->rowCount(); ++row)
            width = std::max(width, cells.horizontalAdvance(lvObjs->Model()->index(row, column).data().toString()) + margin);
        lvObjs->SetColumnWidth(column, width);
        total += width;
    }
    const int spare = lvObjs->viewport()->width() - total;
    if (spare < 0)
        FitWindowToGrid(this, lvObjs, lvObjs->width() - spare + lvObjs->verticalScrollBar()->sizeHint().width(),
                        false);
}

std::vector<int> TReadListForm::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : lvObjs->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TReadListForm::UpdateButtons()
{
    const bool selected = !SelectedRows().empty();
    btnDelAll->setEnabled(!Objects.empty());
    btnDelete->setEnabled(selected);
    btnRead->setEnabled(selected);
}

void TReadListForm::SelectionChanged()
{
    const int row = lvObjs->SelectedIndex();
    Memo1->setPlainText(row >= 0 ? QString::fromStdString(Objects[size_t(row)]->Info.Comment) : QString());
    ShowSelection(row);
    UpdateButtons();
}

void TReadListForm::ShowSelection(int) {}

void TReadListForm::Accept()
{
    done(1);
}

void TReadListForm::btnReadClick()
{
    if (SelectedRows().empty()) {
        MsgBox(FTexts.NoneSelected, QString(), MsgFlagsNotice);
        return;
    }
    Accept();
}

void TReadListForm::btnDeleteClick()
{
    const std::vector<int> rows = SelectedRows();
    if (!rows.empty())
        DeleteRows(rows);
}

void TReadListForm::btnDelAllClick()
{
    if (MsgBox(FTexts.DelAllQuestion, QString(), MsgFlagsQuestion) != platform::IDYES)
        return;
    std::vector<int> rows(Objects.size());
    for (size_t row = 0; row < rows.size(); ++row)
        rows[row] = int(row);
    DeleteRows(rows);
}

void TReadListForm::DeleteRows(const std::vector<int> &Rows)
{
    int lastRemoved = -1;
    std::vector<std::string> kept;
    {
        // The comment and the details are cleared first; the row selected at the end shows its own.
        const QSignalBlocker quiet(lvObjs->selectionModel());
        Memo1->clear();
        ShowSelection(-1);
        for (auto row = Rows.rbegin(); row != Rows.rend(); ++row) {
            std::error_code error;
            if (!std::filesystem::remove(Objects[size_t(*row)]->FileName, error) || error) {
                kept.insert(kept.begin(), Objects[size_t(*row)]->FileName);
                continue;
            }
            lvObjs->DeleteItem(*row);
            Objects.erase(Objects.begin() + *row);
            lastRemoved = *row;
        }
    }
    if (lastRemoved >= 0 && !Objects.empty()) {
        lvObjs->SelectItem(std::min(lastRemoved, int(Objects.size()) - 1));
        // Back from the button, so the list shows its selection.
        lvObjs->setFocus();
    }
    SelectionChanged();
    if (!kept.empty())
        ShowDeleteFailure(kept);
}

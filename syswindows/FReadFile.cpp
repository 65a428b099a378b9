#include "syswindows/FReadFile.h"

#include "controls/ExtListView.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalSystems.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/GuardedConnect.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FSysWindows.h"

#include <QAction>
#include <QCollator>
#include <QHBoxLayout>
#include <QHeaderView>
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
#include <functional>

namespace {

constexpr TColor ListColor = 0xC9E0EB;
constexpr TColor HeaderColor = 0x800000;
constexpr int SecondsPerDay = 86400;

enum TReadColumn { rcTitle, rcKind, rcGame, rcSystem, rcDate, ReadColumnCount };

struct TReadColumnDef {
    const char *Caption;
    int Width;
};

const TReadColumnDef ReadColumns[ReadColumnCount] = {
    {"Nazwa obiektu", 265}, {"Rodzaj obiektu", 110}, {"Gra", 70}, {"System", 105}, {"Data utworzenia", 125},
};

// The keys that follow the clicked column.
const std::vector<int> &TieOrder(int Column)
{
    static const std::vector<int> byTitle = {rcTitle, rcKind, rcGame, rcSystem, rcDate};
    static const std::vector<int> byDate = {rcDate, rcTitle, rcKind, rcSystem, rcGame};
    return Column == rcDate ? byDate : byTitle;
}

int CompareKey(const TReadFileObject &A, const TReadFileObject &B, int Column, const QCollator &Collator)
{
    const auto order = [](auto X, auto Y) { return X < Y ? -1 : (Y < X ? 1 : 0); };
    switch (Column) {
    case rcTitle:
        return Collator.compare(QString::fromStdString(A.Info.Title), QString::fromStdString(B.Info.Title));
    case rcKind:
        return order(A.Header.FileKind, B.Header.FileKind);
    case rcGame:
        return order(A.Header.GameId, B.Header.GameId);
    case rcSystem:
        return order(A.Header.SubKind, B.Header.SubKind);
    default:
        return order(A.Info.Date, B.Info.Date);
    }
}

// Date and, unless it is midnight, the time of day.
QString DateTimeText(TDateTime Date)
{
    QString text = QString::fromStdString(DateToStr(Date));
    const double fraction = Date - std::floor(Date);
    const int seconds = std::min(int(std::lround(fraction * SecondsPerDay)), SecondsPerDay - 1);
    if (seconds > 0)
        text += QLatin1Char(' ') + QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HH:mm:ss"));
    return text;
}

QStringList RowTexts(const TReadFileObject &Object)
{
    std::string game;
    Games.GameName(Object.Header.GameId, true, game);
    return {QString::fromStdString(Object.Info.Title),
            Object.Header.FileKind == fkGuaranty ? QStringLiteral("Gwarancja") : QStringLiteral("System"),
            QString::fromStdString(game), SystemKindName(Object.Header.SubKind),
            DateTimeText(Object.Info.Date)};
}

} // namespace

bool ReadListedObject(const std::string &FileName, TReadFileObject &Object)
{
    TReadFileObject read;
    read.FileName = FileName;
    if (!readFileHead(FileName, read.Header, read.Info) || !IsCurrentVersion(read.Header.Ver) ||
        (read.Header.FileKind != fkSystem && read.Header.FileKind != fkGuaranty))
        return false;
    read.GameIndex = Games.GameIndexOfId(read.Header.GameId);
    if (read.GameIndex < 0)
        return false;
    Object = std::move(read);
    return true;
}

TfrmReadFile::TfrmReadFile(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    setWindowTitle(QStringLiteral("Wczytaj"));
    setWindowFlag(Qt::Tool);
    setMinimumSize(254, 227);
    CreateControls();
}

TfrmReadFile::~TfrmReadFile() = default;

void TfrmReadFile::CreateControls()
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
    for (const TReadColumnDef &column : ReadColumns)
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
    connectGuarded(lvObjs->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        ShowComment();
        UpdateButtons();
    });
    connectGuarded(lvObjs, &QAbstractItemView::doubleClicked, this, &TfrmReadFile::btnReadClick);

    Label1 = new QLabel(QStringLiteral("&Komentarz:"), this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setReadOnly(true);
    Label1->setBuddy(Memo1);
    btnRead = new QPushButton(QStringLiteral("&Wczytaj"), this);
    btnRead->setDefault(true);
    btnDelete = new QPushButton(QStringLiteral("&Usuń"), this);
    btnDelAll = new QPushButton(QStringLiteral("U&suń wszystkie"), this);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    connectGuarded(btnRead, &QPushButton::clicked, this, &TfrmReadFile::btnReadClick);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &TfrmReadFile::btnDeleteClick);
    connectGuarded(btnDelAll, &QPushButton::clicked, this, &TfrmReadFile::btnDelAllClick);
    connectGuarded(btnCancel, &QPushButton::clicked, this, [this] { done(2); });
    Action1 = new QAction(this);
    Action1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(Action1);
    connectGuarded(Action1, &QAction::triggered, this, &TfrmReadFile::btnDeleteClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnRead);
    buttons->addWidget(btnDelete);
    buttons->addWidget(btnDelAll);
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lvObjs, 3);
    layout->addWidget(Label1);
    layout->addWidget(Memo1, 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

void TfrmReadFile::FormShow()
{
    TStrArray names;
    ListFiles(DataDir + "L*.dat", names);
    for (const std::string &name : names) {
        auto object = std::make_unique<TReadFileObject>();
        if (ReadListedObject(DataDir + name, *object))
            Objects.push_back(std::move(object));
    }
    ShowSorted();
    ShowSortMark();
    FitColumns();
    if (!Objects.empty())
        lvObjs->SelectItem(0);
    UpdateButtons();
}

void TfrmReadFile::ShowSorted()
{
    std::vector<const TReadFileObject *> selected;
    for (int row : SelectedRows())
        selected.push_back(Objects[size_t(row)].get());
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const std::vector<int> &keys = TieOrder(FSortColumn);
    std::stable_sort(Objects.begin(), Objects.end(), [&](const auto &A, const auto &B) {
        int result = CompareKey(*A, *B, FSortColumn, collator);
        for (size_t i = 0; result == 0 && i < keys.size(); ++i)
            result = CompareKey(*A, *B, keys[i], collator);
        return FAscending ? result < 0 : result > 0;
    });
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

void TfrmReadFile::lvObjsColumnClick(int Column)
{
    if (Column < 0 || Column >= ReadColumnCount)
        return;
    FAscending = Column == FSortColumn ? !FAscending : true;
    FSortColumn = Column;
    ShowSorted();
    ShowSortMark();
}

void TfrmReadFile::ShowSortMark()
{
    for (int column = 0; column < ReadColumnCount; ++column) {
        QString caption = QString::fromUtf8(ReadColumns[column].Caption);
        if (column == FSortColumn)
            caption += FAscending ? QStringLiteral(" +") : QStringLiteral(" -");
        lvObjs->Model()->horizontalHeaderItem(column)->setText(caption);
    }
}

void TfrmReadFile::FitColumns()
{
    QFont bold = lvObjs->font();
    bold.setBold(true);
    const QFontMetrics captions(bold);
    const QFontMetrics cells(lvObjs->font());
    const int margin = 2 * cells.averageCharWidth();
    int total = 0;
    for (int column = 0; column < ReadColumnCount; ++column) {
        const QString caption = QString::fromUtf8(ReadColumns[column].Caption) + QStringLiteral(" +");
        int width = std::max(ScaledWidth(ReadColumns[column].Width), captions.horizontalAdvance(caption) + margin);
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

std::vector<int> TfrmReadFile::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : lvObjs->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TfrmReadFile::UpdateButtons()
{
    const bool selected = !SelectedRows().empty();
    btnDelAll->setEnabled(!Objects.empty());
    btnDelete->setEnabled(selected);
    btnRead->setEnabled(selected);
}

void TfrmReadFile::ShowComment()
{
    const int row = lvObjs->SelectedIndex();
    Memo1->setPlainText(row >= 0 ? QString::fromStdString(Objects[size_t(row)]->Info.Comment) : QString());
}

void TfrmReadFile::btnReadClick()
{
    if (SelectedRows().empty()) {
        MsgBox(QStringLiteral("Nie wybrano żadnego obiektu."), QString(), MsgFlagsNotice);
        return;
    }
    done(1);
}

void TfrmReadFile::btnDeleteClick()
{
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    Memo1->clear();
    DeleteRows(rows);
}

void TfrmReadFile::btnDelAllClick()
{
    if (MsgBox(QStringLiteral("Czy na pewno usunąć wszystkie obiekty?"), QString(), MsgFlagsQuestion) !=
        platform::IDYES)
        return;
    std::vector<int> rows(Objects.size());
    for (size_t row = 0; row < rows.size(); ++row)
        rows[row] = int(row);
    Memo1->clear();
    DeleteRows(rows);
}

void TfrmReadFile::DeleteRows(const std::vector<int> &Rows)
{
    int lastRemoved = -1;
    for (auto row = Rows.rbegin(); row != Rows.rend(); ++row) {
        std::error_code error;
        if (!std::filesystem::remove(Objects[size_t(*row)]->FileName, error) || error)
            continue;
        lvObjs->DeleteItem(*row);
        Objects.erase(Objects.begin() + *row);
        lastRemoved = *row;
    }
    if (lastRemoved >= 0 && !Objects.empty()) {
        lvObjs->SelectItem(std::min(lastRemoved, int(Objects.size()) - 1));
        // Back from the button, so the list shows its selection.
        lvObjs->setFocus();
    }
    UpdateButtons();
}

void TfrmReadFile::OpenSelected()
{
    for (int row : SelectedRows()) {
        const TReadFileObject &object = *Objects[size_t(row)];
        TGameData *game = Games.GetGame(object.GameIndex);
        const int kind = object.Header.SubKind;
        if (object.Header.FileKind == fkSystem) {
            if (CheckFileCRC(object.FileName))
                OpenSystemFile(game, kind, object.FileName);
            else
                ShowReadFailure(object.FileName);
            continue;
        }
        TGuarantyFile file;
        if (!LoadGuarantyFile(object.FileName, game, ProgramParams.GProb, file)) {
            ShowReadFailure(object.FileName);
            continue;
        }
        file.Set->Description = file.Info.Title;
        if (TGenSysForm *window = NewSysWindow(kind))
            window->OpenWithGuarantee(game, std::move(file.System), std::move(file.Set));
    }
}

void OpenReadWindowDialog()
{
    TfrmReadFile dialog(frmMain);
    if (platform::execModal(dialog) == 1)
        dialog.OpenSelected();
}

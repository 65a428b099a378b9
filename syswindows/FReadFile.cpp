#include "syswindows/FReadFile.h"

#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalSystems.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FSysWindows.h"

#include <QCollator>

#include <algorithm>

namespace {

enum TReadColumn { rcTitle, rcKind, rcGame, rcSystem, rcDate };

TReadListTexts ReadFileTexts()
{
    return {QStringLiteral("Wczytaj"),
            {{"Nazwa obiektu", 265}, {"Rodzaj obiektu", 110}, {"Gra", 70}, {"System", 105}, {"Data utworzenia", 125}},
            QStringLiteral(" "),
            QStringLiteral("U&suń wszystkie"),
            QStringLiteral("Nie wybrano żadnego obiektu."),
            QStringLiteral("Czy na pewno usunąć wszystkie obiekty?")};
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

TfrmReadFile::TfrmReadFile(QWidget *parent) : TReadListForm(ReadFileTexts(), parent)
{
    platform::setHelpContext(this, 205);
}

void TfrmReadFile::FormShow()
{
    ListFolder(DataDir, [](const std::string &FileName) -> std::unique_ptr<TListedFile> {
        auto object = std::make_unique<TReadFileObject>();
        if (!ReadListedObject(FileName, *object))
            return nullptr;
        return object;
    });
}

const std::vector<int> &TfrmReadFile::TieOrder(int Column) const
{
    static const std::vector<int> byTitle = {rcTitle, rcKind, rcGame, rcSystem, rcDate};
    static const std::vector<int> byDate = {rcDate, rcTitle, rcKind, rcSystem, rcGame};
    return Column == rcDate ? byDate : byTitle;
}

int TfrmReadFile::CompareColumn(const TListedFile &A, const TListedFile &B, int Column, const QCollator &Collator) const
{
    switch (Column) {
    case rcTitle:
        return CompareTitles(A, B, Collator);
    case rcKind:
        return CompareKeys(A.Header.FileKind, B.Header.FileKind);
    case rcGame:
        return CompareKeys(A.Header.GameId, B.Header.GameId);
    case rcSystem:
        return CompareKeys(A.Header.SubKind, B.Header.SubKind);
    default:
        return CompareKeys(A.Info.Date, B.Info.Date);
    }
}

QStringList TfrmReadFile::RowTexts(const TListedFile &Object) const
{
    std::string game;
    Games.GameName(Object.Header.GameId, true, game);
    return {QString::fromStdString(Object.Info.Title),
            Object.Header.FileKind == fkGuaranty ? QStringLiteral("Gwarancja") : QStringLiteral("System"),
            QString::fromStdString(game), SystemKindName(Object.Header.SubKind), SavedDateText(Object.Info.Date)};
}

void TfrmReadFile::OpenSelected()
{
    for (int row : SelectedRows()) {
        const TReadFileObject &object = Object(row);
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

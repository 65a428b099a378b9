#include "syswindows/FFilterRead.h"

#include "controls/StringAlignGrid.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalStartup.h"
#include "shell/ResultGrid.h"
#include "syswindows/FilterListGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

enum TFilterSetColumn { fcTitle, fcCount, fcDate };

TReadListTexts FilterReadTexts()
{
    return {QStringLiteral("Wczytaj filtry"),
            {{"Nazwa filtru", 300}, {"Liczba filtrów", 105}, {"Data utworzenia", 125}},
            QString(),
            QStringLiteral("Usuń w&szystkie"),
            QStringLiteral("Nie wybrano żadnego filtru."),
            QStringLiteral("Czy na pewno usunąć wszystkie filtry?")};
}

} // namespace

bool ReadListedFilterSet(const std::string &FileName, TFilterSetObject &Object)
{
    TDynByteArr bytes;
    if (!readFileBytes(FileName, bytes) || !hasValidCRC(bytes))
        return false;
    platform::ByteReader in(std::span<const uint8_t>(bytes).first(bytes.size() - CRCSize));
    TFilterSetObject read;
    read.FileName = FileName;
    if (!readFileHeader(in, read.Header) || !IsCurrentVersion(read.Header.Ver) ||
        read.Header.FileKind != fkFilterSet || !readFileInfo(in, read.Info) || !in.get(read.FilterCount))
        return false;
    Object = std::move(read);
    return true;
}

TfrmFilterRead::TfrmFilterRead(QWidget *parent) : TReadListForm(FilterReadTexts(), parent)
{
    platform::setHelpContext(this, 706);
    sgFlts = NewGrid(this, 3, 2, 0, 1);
    sgFlts->setOptions(sgFlts->Options() | goRowSelect);
    ColourResultGrid(sgFlts);
    SetHeader(sgFlts, {QStringLiteral("F"), QStringLiteral("Filtr"), QStringLiteral("Parametry")}, {28, 178, 451});
    Label3 = new QLabel(QStringLiteral("Opis wybranego filtru:"), this);
    Label3->setBuddy(sgFlts);
    eSym = new QLineEdit(this);
    eSym->setReadOnly(true);
    Label4 = new QLabel(QStringLiteral("Zapis symboliczny:"), this);
    Label4->setBuddy(eSym);
    Details->addWidget(Label3);
    Details->addWidget(sgFlts, 1);
    Details->addWidget(Label4);
    Details->addWidget(eSym);
    resize(ScaledSize(700, 520));
}

void TfrmFilterRead::Init(const TGameData *AGame, uint32_t AN, TFilterList *AScratch, uint32_t AK)
{
    Game = AGame;
    N = AN;
    Scratch = AScratch;
    K = AK;
}

void TfrmFilterRead::FormShow()
{
    ListFolder(FiltersDir, [](const std::string &FileName) -> std::unique_ptr<TListedFile> {
        auto object = std::make_unique<TFilterSetObject>();
        if (!ReadListedFilterSet(FileName, *object))
            return nullptr;
        return object;
    });
}

const std::vector<int> &TfrmFilterRead::TieOrder(int Column) const
{
    static const std::vector<int> byTitle = {fcDate};
    static const std::vector<int> byCount = {fcTitle, fcDate};
    static const std::vector<int> byDate = {fcTitle};
    return Column == fcCount ? byCount : Column == fcDate ? byDate : byTitle;
}

int TfrmFilterRead::CompareColumn(const TListedFile &A, const TListedFile &B, int Column,
                                  const QCollator &Collator) const
{
    switch (Column) {
    case fcTitle:
        return CompareTitles(A, B, Collator);
    case fcCount:
        return CompareKeys(static_cast<const TFilterSetObject &>(A).FilterCount,
                           static_cast<const TFilterSetObject &>(B).FilterCount);
    default:
        return CompareKeys(A.Info.Date, B.Info.Date);
    }
}

QStringList TfrmFilterRead::RowTexts(const TListedFile &Object) const
{
    return {QString::fromStdString(Object.Info.Title),
            QString::number(static_cast<const TFilterSetObject &>(Object).FilterCount),
            SavedDateText(Object.Info.Date)};
}

void TfrmFilterRead::ShowSelection(int Row)
{
    if (!Scratch)
        return;
    Scratch->Clear();
    if (Row >= 0)
        LoadFilterSet(*Scratch, Game, N, K, {}, Listed(Row).FileName, TFilterRecordRead::AsStored);
    ShowFilterList(*Scratch, sgFlts, eSym);
}

void TfrmFilterRead::Accept()
{
    FileNames.clear();
    for (int row : SelectedRows())
        FileNames.push_back(Listed(row).FileName);
    done(1);
}

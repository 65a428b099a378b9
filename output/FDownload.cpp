#include "output/FDownload.h"

#include "controls/ALProgressBar.h"
#include "controls/EnhListView.h"
#include "controls/ImageList.h"
#include "core/ProgramParams.h"
#include "core/UGlobalFiles.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/DrawsRemovalQuestion.h"
#include "shell/FDrawsEditor.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/GuardedConnect.h"
#include "shell/UpdateFiles.h"
#include "shell/USites.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr uint32_t ListColor = 0x00C9E0EB;

// The row images, 16 x 16: a navy clock while the game is processed, a red cross when it failed, a green
// tick when its file was read.
QPixmap RowPixmap(int Image)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (Image) {
    case TfrmDownload::imgWorking:
        painter.setPen(QPen(QColor(0, 0, 128), 1.6));
        painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        painter.drawPolyline(QPolygonF({QPointF(8, 4), QPointF(8, 8), QPointF(11, 10)}));
        break;
    case TfrmDownload::imgFailed:
        painter.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    default:
        painter.setPen(QPen(QColor(0, 150, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
        break;
    }
    return pixmap;
}

void RemoveQuietly(const std::string &FileName)
{
    std::error_code ignored;
    fs::remove(FileName, ignored);
}

} // namespace

TfrmDownload::TfrmDownload(QWidget *Parent) : TFirstShow<QDialog>(Parent)
{
    platform::setHelpContext(this, 702);
    setWindowTitle(QStringLiteral("Aktualizacja bazy losowań"));
    Items.Sorted = false;

    ImageList1 = new TImageList(16, 16, this);
    for (const int image : {imgWorking, imgFailed, imgRead})
        ImageList1->Add(RowPixmap(image));

    auto *statusCaption = new QLabel(QStringLiteral("Status:"), this);
    lblStatus = new QLabel(this);
    ProgressBar1 = NewProgressBar(this);
    ProgressBar1->SetMax(1001);
    lblProg = NewPercentLabel(this, Qt::AlignCenter);
    btnStop = new QPushButton(QStringLiteral("&Zatrzymaj"), this);
    LV = new TCustomEnhListView(this);
    LV->AddColumn(QStringLiteral("Gra"), ScaledWidth(115));
    LV->AddColumn(QStringLiteral("Wyniki"), ScaledWidth(265));
    LV->SetAutoColumnSort(TAutoColumnSort::acsNoSort);
    LV->SetSmallImages(ImageList1);
    LV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV->setSelectionBehavior(QAbstractItemView::SelectRows);
    btnOK = new QPushButton(QStringLiteral("A&ktualizuj"), this);
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    btnCancel->setEnabled(false);

    connectGuarded(btnStop, &QPushButton::clicked, this, [this] {
        btnStop->setEnabled(false);
        StopDownload();
    });
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmDownload::btnOKClick);
    connectGuarded(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *status = new QHBoxLayout;
    status->addWidget(statusCaption);
    status->addWidget(lblStatus, 1);
    auto *progress = new QHBoxLayout;
    progress->addWidget(ProgressBar1, 1);
    progress->addWidget(lblProg);
    progress->addWidget(btnStop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(status);
    layout->addLayout(progress);
    layout->addWidget(LV, 1);
    layout->addLayout(buttons);
    resize(ScaledSize(420, 300));

    Downloader.OnConnected = [this] { Post([this] { lblStatus->setText(QStringLiteral("Połączony. Odbieranie danych...")); }); };
    Downloader.OnFileSize = [this](int32_t Size) {
        Post([this, Size] {
            ProgressBar1->SetMax(Size + 1);
            ProgressBar1->SetPosition(1);
        });
    };
    Downloader.OnProgress = [this](int32_t BytesRead) {
        Post([this, BytesRead] { ShowProgress(ProgressBar1, lblProg, BytesRead + 1, 100); });
    };
    UnZip.SetSortMode(TZipSortMode::ByFileName);
    UnZip.RecreateDirs = true;
    UnZip.OverwriteMode = TUZOverwriteMode::Always;
    UnZip.DoAll = true;
    Worker.OnFinished = [this](const TTaskEnd &) { DownloadDone(); };
}

TfrmDownload::~TfrmDownload()
{
    Worker.Stop();
}

int TfrmDownload::RowImage(int Row) const
{
    return RowImages.at(static_cast<size_t>(Row));
}

void TfrmDownload::FormShow()
{
    QPalette palette = LV->palette();
    palette.setColor(QPalette::Base, QColor(ListColor & 0xFF, (ListColor >> 8) & 0xFF, (ListColor >> 16) & 0xFF));
    LV->setPalette(palette);
    std::error_code ec;
    fs::create_directories(TempDir, ec);
    RunDir = MakeUpdateFolder(TempDir);
    FillList();
    State = 2;
    btnStop->setEnabled(true);
    Worker.Start([this](TMyThread &Thread) { DownloadAll(Thread); });
}

void TfrmDownload::FillList()
{
    for (int i = 0; i < Games.Count() && i < static_cast<int>(Selection.size()); ++i)
        if (Selection[static_cast<size_t>(i)] != '0') {
            LV->AddItem(QString::fromStdString(Games.GetGameInfo(i)->Name), {QString()});
            RowImages.push_back(-1);
        }
    // The game names fit their column at any font size.
    const QAbstractItemView *view = LV;
    LV->SetColumnWidth(0, std::max(LV->columnWidth(0), view->sizeHintForColumn(0)));
    // "Wyniki" takes the rest of the list's width, however narrow: nothing to scroll sideways.
    LV->SetColumnWidth(1, LV->header()->minimumSectionSize());
    LV->header()->setStretchLastSection(true);
}

void TfrmDownload::Post(std::function<void()> Update)
{
    QMetaObject::invokeMethod(this, std::move(Update), Qt::QueuedConnection);
}

void TfrmDownload::SetRow(int Row, int Image, const QString &Result)
{
    Post([this, Row, Image, Result] {
        RowImages[static_cast<size_t>(Row)] = Image;
        LV->Item(Row).setImageIndex(Image);
        if (!Result.isNull())
            LV->Item(Row).setSubItem(0, Result);
    });
}

void TfrmDownload::DownloadAll(TMyThread &Thread)
{
    Downloader.Thread = &Thread;
    int row = 0;
    for (int i = 0; i < Games.Count() && i < static_cast<int>(Selection.size()); ++i) {
        if (Selection[static_cast<size_t>(i)] == '0')
            continue;
        if (Thread.GetTerminated())
            break;
        TGameData *game = Games.GetGame(i);
        SetRow(row, imgWorking, QString());
        TSiteRec site;
        if (static_cast<size_t>(i) < SiteLists.size() && SiteLists[static_cast<size_t>(i)]->Count() > 0)
            SiteLists[static_cast<size_t>(i)]->GetSite(0, site);
        const QString location = QString::fromStdString(site.Location);
        Post([this, location] {
            ProgressBar1->SetPosition(0);
            lblProg->clear();
            lblStatus->setText(QStringLiteral("Łączenie się z ") + location);
        });
        Downloader.URL = site.Location;
        Downloader.FileName = DownloadFileName(TempDir, game->Info.Id);
        Downloader.GetFile();
        if (Thread.GetTerminated()) {
            SetRow(row, imgFailed, QStringLiteral("Operacja została przerwana."));
            RemoveQuietly(Downloader.FileName);
            break;
        }
        auto item = std::make_unique<TDownloadItem>();
        item->Game = game;
        item->DrawsMan = game->DrawsMan.get();
        item->Error = Downloader.Error;
        if (item->Error.Code != 0) {
            SetRow(row, imgFailed, QString::fromStdString(item->Error.Msg));
        } else {
            // The whole file came: the bar full and 100%.
            Post([this] { ShowProgress(ProgressBar1, lblProg, ProgressBar1->Max(), 100); });
            std::string file = Downloader.FileName;
            if (site.Zipped) {
                Post([this] { lblStatus->setText(QStringLiteral("Rozpakowywanie pliku...")); });
                file = RunDir.empty() ? std::string() : UnzipFile(file, RunDir + std::to_string(game->Info.Id));
                if (file.empty())
                    SetRow(row, imgFailed, QStringLiteral("Nie mogę rozpakować pliku."));
            }
            if (!file.empty()) {
                Imported = true;
                Post([this] { lblStatus->setText(QStringLiteral("Importowanie losowań z pliku...")); });
                item->NewDraws = std::make_unique<TDrawsManager>(game, -1);
                item->NewDraws->SetFormat(site.Format);
                try {
                    item->NewDraws->LoadFromFile(file);
                } catch (...) {
                    item->NewDraws = std::make_unique<TDrawsManager>(game, -1);
                }
                const int32_t count = item->NewDraws->SelCount();
                SetRow(row, imgRead,
                       count != 0 ? QStringLiteral("Liczba losowań : %1").arg(count) : QStringLiteral("Brak losowań"));
            }
        }
        // The draws read are kept in the item; the file is of no more use.
        RemoveQuietly(Downloader.FileName);
        Items.AddItem(item.release(), true);
        ++row;
        Post([this] { lblStatus->clear(); });
    }
}

std::string TfrmDownload::UnzipFile(const std::string &ZipName, const std::string &DestDir)
{
    try {
        UnZip.SetZipName(ZipName);
        UnZip.DestDir = DestDir;
        if (UnZip.UnZip() != 0)
            return GetFirstFile(DestDir);
    } catch (...) {
    }
    return {};
}

void TfrmDownload::StopDownload()
{
    if (State != 2)
        return;
    State = 1;
    Worker.Stop();
    // What the worker queued before it stopped comes first; its end is not reported by the runner.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    DownloadDone();
}

void TfrmDownload::DownloadDone()
{
    lblStatus->setText(State == 1 ? QStringLiteral("Pobieranie przerwane.") : QStringLiteral("Pobieranie zakończone."));
    State = 0;
    btnStop->setEnabled(false);
    btnOK->setEnabled(Imported);
    btnCancel->setEnabled(true);
}

bool TfrmDownload::MergeItem(TDownloadItem &Item, bool Append, const std::string &FileName)
{
    TDrawsManager copy(Item.Game, -1);
    copy.Assign(*Item.DrawsMan);
    copy.CopyDraws(*Item.NewDraws, Append);
    try {
        copy.SaveToFile(FileName);
    } catch (const std::exception &) {
        return false;
    }
    Item.DrawsMan->CopyDraws(*Item.NewDraws, Append);
    return true;
}

void TfrmDownload::btnOKClick()
{
    if (Imported) {
        for (int i = 0; i < Items.Count(); ++i) {
            TDownloadItem &item = *Items.GetItem(i);
            if (item.Error.Code != 0 || !item.NewDraws || item.NewDraws->SelCount() == 0)
                continue;
            // Edits of the game still unsaved in a draws editor are saved or dropped first, or the game
            // stays out of the update.
            if (!QuerySaveDrawsEdits(item.Game))
                continue;
            // Replacing drops the draws the file lacks, entered by hand or not: the user says.
            if (!ProgramParams.IncreaseUpdate &&
                !ConfirmDrawsRemoval(*item.DrawsMan, *item.NewDraws,
                                     QStringLiteral("Aktualizacja zastąpi bazę losowań gry %1 pobranymi losowaniami.")
                                         .arg(QString::fromStdString(item.Game->Info.Name)),
                                     QStringLiteral("Czy na pewno zastąpić bazę losowań?")))
                continue;
            const std::string file = DrawsDir + item.Game->Info.ShortName + "Draws";
            if (MergeItem(item, ProgramParams.IncreaseUpdate, file))
                BroadcastToChildren(WM_DRAWS_DOWNLOADED, item.Game->Info.Id, 0, true);
            else
                ShowWriteFailure(file);
        }
    }
    accept();
}

void TfrmDownload::done(int Result)
{
    StopDownload();
    // What was unpacked has been read: the run's folder goes with the update.
    if (!RunDir.empty()) {
        std::error_code ignored;
        fs::remove_all(RunDir, ignored);
        RunDir.clear();
    }
    QDialog::done(Result);
}

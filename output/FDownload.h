#pragma once
// "Aktualizacja bazy losowań": downloads the file of each chosen game's first site in a worker, unpacks a
// zipped one, reads its draws with the site's line layout and shows per game what happened; "A&ktualizuj"
// merges the new draws into each game's history, saves it and tells every child window.

#include "core/UGeneralList.h"
#include "core/UGlobalUtils.h"
#include "engine/UDrawsDB.h"
#include "output/HTTPGet.h"
#include "output/VCLUnZip.h"
#include "shell/FirstShow.h"
#include "shell/TaskRunner.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class TALProgressBar;
class TCustomEnhListView;
class TImageList;
class TMyThread;
struct TGameData;

struct TDownloadItem {
    TGameData *Game = nullptr;
    TError Error;                           // the download's outcome
    TDrawsManager *DrawsMan = nullptr;      // the game's own history
    std::unique_ptr<TDrawsManager> NewDraws; // the downloaded draws; none unless a file was read
};

class TfrmDownload : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    // Row images.
    enum : int { imgWorking = 0, imgFailed = 1, imgRead = 2 };

    explicit TfrmDownload(QWidget *Parent = nullptr);
    ~TfrmDownload() override;

    // One character per game in game order; a game whose character is not '0' is downloaded. Set before
    // the window is shown.
    std::string Selection;

    QLabel *lblStatus;
    TALProgressBar *ProgressBar1;
    QLabel *lblProg;
    QPushButton *btnStop;
    TCustomEnhListView *LV;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    TImageList *ImageList1;

    // 0 finished, 1 stopping, 2 running.
    uint8_t State = 0;
    bool Imported = false;
    // The image shown in a row; -1 for none yet.
    int RowImage(int Row) const;

    void done(int Result) override;

private:
    void FormShow() override;
    void FillList();
    void StopDownload();
    void DownloadDone();
    void btnOKClick();
    void DownloadAll(TMyThread &Thread);
    // The first file unpacked from the archive into DestDir (a folder in RunDir); '' when none.
    std::string UnzipFile(const std::string &ZipName, const std::string &DestDir);
    // Saves a copy of the game's history with the new draws; only when that is written does the game's
    // own history take them.
    static bool MergeItem(TDownloadItem &Item, bool Append, const std::string &FileName);

    // Queues a change of the window's controls to the GUI thread.
    void Post(std::function<void()> Update);
    void SetRow(int Row, int Image, const QString &Result);

    // The folder made for this run in the temporary folder, with '/': each game unpacks into its own
    // folder in it, named by the game's id. '' when it could not be made. Removed when the window closes,
    // as each game's downloaded file is once the game is done.
    std::string RunDir;
    std::vector<int> RowImages;
    TGeneralList<TDownloadItem> Items;
    THTTPGetFile Downloader;
    TVCLUnZip UnZip;
    TTaskRunner Worker; // last: stopped before the rest goes
};

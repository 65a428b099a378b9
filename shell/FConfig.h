#pragma once
// The dialog "Ustawienia": per game the stakes, the prize table, the download sites with the layout of
// their text and the layout of draws files; for the whole program the guarantee threshold, the most
// combinations, the draw label of the statistics and the incremental update. Every game is edited on a
// copy; OK checks the shown game and, while no window has work going, stores every game and the program
// settings. Cancel leaves everything as it was.

#include "engine/UGame.h"
#include "shell/FirstShow.h"
#include "shell/USites.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class TFloatSpin;
class TLabel2000X;
class TStringAlignGrid;

class TfrmConfig : public TFirstShow<QDialog> {
public:
    explicit TfrmConfig(QWidget *parent = nullptr);
    ~TfrmConfig() override;

    // Set before showing: the dialog opens on "Tabela wygranych" with the game of WinsGameId selected.
    bool OpenOnWins = false;
    uint8_t WinsGameId = 0;

    QComboBox *cbGame;
    QTabWidget *PageControl1;
    QWidget *tsGeneral;
    QWidget *tsWins;
    QWidget *tsSites;
    QWidget *tsFile;

    TFloatSpin *eBasicRate;
    QLabel *lblWinRate;
    TFloatSpin *eWinRate;
    QGroupBox *gbProgram;
    TFloatSpin *seGProb;
    TFloatSpin *seMaxComb;
    QGroupBox *gbStatShow;
    QRadioButton *rbStatShowIndex;
    QRadioButton *rbStatShowDate;
    QCheckBox *chkIncreaseUpdate;

    TLabel2000X *lblDegree;
    QLabel *lblPicks;
    TStringAlignGrid *sgWins;

    QListWidget *lbSites;
    QLineEdit *eISite;
    TFloatSpin *eIColDate;
    TFloatSpin *eIColNumber;
    QCheckBox *chkIStartDate;
    QDateEdit *dtIStart;
    QLineEdit *eIDateFormat;
    QLineEdit *eIDateSep;
    QLineEdit *eINumSep;
    QLineEdit *eISecSep;
    QPushButton *btnAdd;
    QPushButton *btnReplace;
    QPushButton *btnDelete;
    QPushButton *btnUp;
    QPushButton *btnDown;

    TFloatSpin *eFColDate;
    TFloatSpin *eFColNumber;
    QCheckBox *chkFStartDate;
    QDateEdit *dtFStart;
    QLineEdit *eFDateFormat;
    QLineEdit *eFDateSep;
    QLineEdit *eFNumSep;
    QLineEdit *eFSecSep;

    QPushButton *btnOK;
    QPushButton *btnCancel;

    // The fields of one line layout: those of the sites tab or of the file tab.
    struct TLineFields {
        TFloatSpin *ColDate;
        TFloatSpin *ColNumber;
        QCheckBox *StartDate;
        QDateEdit *Start;
        QLineEdit *DateFormat;
        QLineEdit *DateSep;
        QLineEdit *NumSep;
        QLineEdit *SecSep;
    };

private:
    // One game's working copy: its site list and its definition with the prize table.
    struct TGameCopy {
        std::unique_ptr<TSiteMan> Sites;
        TGameInfo Info;
    };

    // Building the form (FConfigLayout.cpp).
    void CreateControls();
    QWidget *CreateGeneralPage();
    QWidget *CreateWinsPage();
    QWidget *CreateSitesPage();
    QWidget *CreateFilePage();
    // The fields of a line layout, as both pages show them.
    QWidget *CreateLineFields(QWidget *Page, TLineFields &Fields);
    TLineFields SiteFields() const;
    TLineFields FileFields() const;

    // Games (FConfig.cpp).
    void FormShow() override;
    void cbGameChange(int Index);
    void ShowGame(int Index);
    void ShowWins(const TGameInfo &Info);
    // The prize table's columns as wide as their texts, and the grid as wide and tall as its cells.
    void FitWins();
    // The shown game's values into its copy; false, with the message shown and the control focused,
    // when one does not pass.
    bool TakeGame();
    bool TakeWins(TGameInfo &Info);
    // A prize typed into the table, shown as money once its edit ends (text that is no amount stays), the
    // table fitted to it.
    void ShowTypedPrize(int Col, int Row);
    // Checks a line layout in the dialog's order (the number separator only when NeedNumberSep).
    bool CheckLine(const TLineFields &Fields, QWidget *Page, bool NeedNumberSep);
    // A check that failed: Page shown, the message, Field focused.
    void Refuse(const QString &Message, QWidget *Page, QWidget *Field);
    // The layout the fields show (start date as whole days, each text cut to 3 characters), and back.
    static TDrawsFormat ReadLine(const TLineFields &Fields);
    static void ShowLine(const TLineFields &Fields, const TDrawsFormat &Format);
    bool CanApply();
    void btnOKClick();

    // Sites (FConfigSites.cpp).
    TSiteMan &ShownSites() const;
    void ShowSites();
    void lbSitesChange(int Row);
    void ShowSite(const TSiteRec &Rec);
    TSiteRec ReadSite() const;
    bool CheckSite();
    void btnAddClick();
    void btnReplaceClick();
    void btnDeleteClick();
    void MoveSite(int Step);
    void UpdateSiteButtons();

    std::vector<TGameCopy> FCopies;
    int FGameIndex = -1;
};

// Opens the dialog modally; with a game id of 0 or more, on that game's prize table.
void OpenConfigDialog(QWidget *Parent, int WinsGameId = -1);

// The options dialog's page of download sites: the shown game's working list, its selection and fields,
// and adding, replacing, deleting and moving sites.
#include "shell/FConfig.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// What the fields show when the list has no site.
TSiteRec EmptySite()
{
    TSiteRec rec;
    rec.Format.DateField = 1;
    rec.Format.NumbersField = 2;
    return rec;
}

} // namespace

TSiteMan &TfrmConfig::ShownSites() const
{
    return *FCopies[size_t(FGameIndex)].Sites;
}

void TfrmConfig::ShowSites()
{
    const TSiteMan &sites = ShownSites();
    {
        const QSignalBlocker blocker(lbSites);
        lbSites->clear();
        for (int i = 0; i < sites.Count(); ++i)
            lbSites->addItem(QString::fromStdString(sites.GetItem(i)->Location));
    }
    if (sites.Count() > 0)
        lbSites->setCurrentRow(0);
    else
        ShowSite(EmptySite());
    UpdateSiteButtons();
}

void TfrmConfig::lbSitesChange(int Row)
{
    if (Row >= 0 && Row < ShownSites().Count())
        ShowSite(*ShownSites().GetItem(Row));
    UpdateSiteButtons();
}

void TfrmConfig::ShowSite(const TSiteRec &Rec)
{
    eISite->setText(QString::fromStdString(Rec.Location));
    ShowLine(SiteFields(), Rec.Format);
}

TSiteRec TfrmConfig::ReadSite() const
{
    TSiteRec rec;
    rec.Location = eISite->text().trimmed().toStdString();
    rec.Zipped = SiteZipped(rec.Location);
    rec.Format = ReadLine(SiteFields());
    return rec;
}

bool TfrmConfig::CheckSite()
{
    if (eISite->text().trimmed().isEmpty()) {
        Refuse(QStringLiteral("Proszę podać lokalizację."), tsSites, eISite);
        return false;
    }
    return CheckLine(SiteFields(), tsSites, false);
}

void TfrmConfig::btnAddClick()
{
    if (!CheckSite())
        return;
    const int at = lbSites->currentRow();
    const TSiteRec rec = ReadSite();
    if (!ShownSites().AddSite(rec, at)) {
        Refuse(QStringLiteral("Istnieje już taka lokalizacja."), tsSites, eISite);
        return;
    }
    lbSites->insertItem(at < 0 ? lbSites->count() : at, QString::fromStdString(rec.Location));
    lbSites->setCurrentRow(at < 0 ? 0 : at);
    lbSitesChange(lbSites->currentRow());
}

void TfrmConfig::btnReplaceClick()
{
    const int row = lbSites->currentRow();
    if (row < 0 || !CheckSite())
        return;
    const TSiteRec rec = ReadSite();
    ShownSites().SetSite(rec, row);
    lbSites->item(row)->setText(QString::fromStdString(rec.Location));
}

void TfrmConfig::btnDeleteClick()
{
    const int row = lbSites->currentRow();
    if (row < 0)
        return;
    ShownSites().DeleteItem(row);
    {
        const QSignalBlocker blocker(lbSites);
        delete lbSites->takeItem(row);
    }
    if (lbSites->count() == 0) {
        lbSites->setCurrentRow(-1);
        ShowSite(EmptySite());
        UpdateSiteButtons();
        return;
    }
    lbSites->setCurrentRow(-1);
    lbSites->setCurrentRow(std::max(row - 1, 0));
}

void TfrmConfig::MoveSite(int Step)
{
    const int row = lbSites->currentRow();
    const int other = row + Step;
    if (row < 0 || other < 0 || other >= lbSites->count())
        return;
    ShownSites().Exchange(row, other);
    {
        const QSignalBlocker blocker(lbSites);
        const QString text = lbSites->item(row)->text();
        lbSites->item(row)->setText(lbSites->item(other)->text());
        lbSites->item(other)->setText(text);
    }
    lbSites->setCurrentRow(other);
}

void TfrmConfig::UpdateSiteButtons()
{
    const int row = lbSites->currentRow();
    const bool selected = row >= 0 && row < lbSites->count();
    btnReplace->setEnabled(selected);
    btnDelete->setEnabled(selected);
    btnUp->setEnabled(selected && row > 0);
    btnDown->setEnabled(selected && row < lbSites->count() - 1);
}

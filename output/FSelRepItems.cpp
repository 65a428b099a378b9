#include "output/FSelRepItems.h"

#include "controls/Graphics.h"
#include "shell/FGlobalMessages.h"
#include "shell/GuardedConnect.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The index of the item's name among the names given.
constexpr int NameIndexRole = Qt::UserRole;

} // namespace

TfrmSelRepItems::TfrmSelRepItems(QWidget *Owner) : QDialog(Owner)
{
    setWindowTitle(QStringLiteral("Parametry raportu"));
    resize(264, 185);
    CheckListBox1 = new QListWidget(this);
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Anuluj"), this);
    btnSelAll = new QPushButton(this);
    btnSelAll->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    btnSelAll->setToolTip(QStringLiteral("Zaznacz wszystkie"));
    btnDeselAll = new QPushButton(this);
    btnDeselAll->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
    btnDeselAll->setToolTip(QStringLiteral("Odznacz wszystkie"));
    for (QPushButton *glyph : {btnSelAll, btnDeselAll}) {
        glyph->setFixedSize(24, 22);
        glyph->setAutoDefault(false);
    }

    auto *glyphs = new QHBoxLayout;
    glyphs->addWidget(btnSelAll);
    glyphs->addWidget(btnDeselAll);
    glyphs->addStretch(1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addStretch(1);
    auto *list = new QVBoxLayout;
    list->addWidget(CheckListBox1, 1);
    list->addLayout(glyphs);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);

    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmSelRepItems::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(btnSelAll, &QPushButton::clicked, this, [this] { CheckAll(true); });
    connectGuarded(btnDeselAll, &QPushButton::clicked, this, [this] { CheckAll(false); });
}

void TfrmSelRepItems::SetItems(const std::vector<QString> &Names, const std::vector<bool> &Enabled)
{
    QPalette palette = CheckListBox1->palette();
    palette.setColor(QPalette::Base, QColor(235, 224, 201));
    CheckListBox1->setPalette(palette);
    CheckListBox1->clear();
    ItemCount = int(Names.size());
    for (size_t i = 0; i < Names.size(); ++i) {
        if (!Enabled.empty() && (i >= Enabled.size() || !Enabled[i]))
            continue;
        auto *item = new QListWidgetItem(Names[i], CheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
        item->setData(NameIndexRole, int(i));
    }
    if (CheckListBox1->count() > 0)
        CheckListBox1->setCurrentRow(0);
    // Every name whole: the list is at least as wide as its widest item beside a scroll bar.
    const int bar = CheckListBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, CheckListBox1);
    CheckListBox1->setMinimumWidth(CheckListBox1->sizeHintForColumn(0) + 2 * CheckListBox1->frameWidth() +
                                   bar);
    // And tall enough for every item (a screen too small for that scrolls the dialog).
    const int rows = CheckListBox1->count();
    if (rows > 0)
        CheckListBox1->setMinimumHeight(rows * CheckListBox1->sizeHintForRow(0) + 2 * CheckListBox1->frameWidth());
}

std::vector<bool> TfrmSelRepItems::GetChecked() const
{
    std::vector<bool> checked(size_t(ItemCount), false);
    for (int row = 0; row < CheckListBox1->count(); ++row) {
        const QListWidgetItem *item = CheckListBox1->item(row);
        checked[size_t(item->data(NameIndexRole).toInt())] = item->checkState() == Qt::Checked;
    }
    return checked;
}

void TfrmSelRepItems::CheckAll(bool Checked)
{
    for (int row = 0; row < CheckListBox1->count(); ++row)
        CheckListBox1->item(row)->setCheckState(Checked ? Qt::Checked : Qt::Unchecked);
}

void TfrmSelRepItems::btnOKClick()
{
    const std::vector<bool> checked = GetChecked();
    if (std::find(checked.begin(), checked.end(), true) == checked.end()) {
        MsgBox(QStringLiteral("Należy wybrać przynajmniej jedną pozycję."), QString(), MsgFlagsNotice);
        return;
    }
    accept();
}

#include "shell/FAbout.h"

#include "shell/GuardedConnect.h"
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("O programie "));

    Image1 = new QLabel(this);
    Image1->setFixedSize(32, 32);
    Image1->setScaledContents(true);
    Image1->setPixmap(QApplication::windowIcon().pixmap(32, 32));

    Label1 = new QLabel(QStringLiteral("Korvantile"), this);
    QFont nameFont = Label1->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(27);
    Label1->setFont(nameFont);

    Label7 = new QLabel(QStringLiteral("Wersja:"), this);
    Label4 = new QLabel(QStringLiteral("3.0"), this);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &TfrmAbout::Action2Execute);

    Action2 = new QAction(this);
    Action2->setShortcut(QKeySequence(Qt::Key_Escape));
    connectGuarded(Action2, &QAction::triggered, this, &TfrmAbout::Action2Execute);
    addAction(Action2);

    auto *grid = new QGridLayout;
    grid->addWidget(Image1, 0, 0, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1, 1, 2);
    grid->addWidget(Label7, 1, 1);
    grid->addWidget(Label4, 1, 2);
    grid->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(btnOK, 0, Qt::AlignHCenter);
    // As large as what it shows, at any font.
    setFixedSize(sizeHint());

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmAbout::Action2Execute()
{
    close();
}

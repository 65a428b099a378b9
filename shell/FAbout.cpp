#include "shell/FAbout.h"

#include "shell/GuardedConnect.h"
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("O programie "));
    setFixedSize(233, 298);

    Image1 = new QLabel(this);
    Image1->setGeometry(8, 8, 32, 32);
    Image1->setScaledContents(true);
    Image1->setPixmap(QApplication::windowIcon().pixmap(32, 32));

    Label1 = new QLabel(QStringLiteral("Korvantile"), this);
    QFont nameFont = Label1->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(27);
    Label1->setFont(nameFont);
    Label1->setGeometry(48, 6, 177, 36);

    Label7 = new QLabel(QStringLiteral("Wersja:"), this);
    Label7->setGeometry(48, 48, 60, 16);
    Label4 = new QLabel(QStringLiteral("wersja 3.0"), this);
    Label4->setGeometry(110, 48, 115, 16);

    Action2 = new QAction(this);
    Action2->setShortcut(QKeySequence(Qt::Key_Escape));
    connectGuarded(Action2, &QAction::triggered, this, &TfrmAbout::Action2Execute);
    addAction(Action2);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmAbout::Action2Execute()
{
    close();
}

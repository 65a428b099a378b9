#include "syswindows/FWriteFile.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(WriteFileTest, ModeNamesWhatIsSaved)
{
    struct Case {
        int Mode;
        QString Caption;
        QString Label;
    };
    for (const Case &c : {Case{wfSystem, "Zapis systemu", "&Nazwa systemu:"},
                          Case{wfGuarantee, "Zapis gwarancji", "&Nazwa gwarancji:"},
                          Case{wfFilterSet, "Zapis filtru", "&Nazwa filtru:"},
                          Case{3, "Zapisz ...", "&Nazwa systemu:"}}) {
        TfrmWriteFile dialog;
        dialog.Mode = c.Mode;
        dialog.Title = "Propozycja";
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), c.Caption) << c.Mode;
        EXPECT_EQ(dialog.Label1->text(), c.Label) << c.Mode;
        EXPECT_EQ(dialog.Edit1->text(), "Propozycja") << c.Mode;
    }
}

TEST(WriteFileTest, TitleKeepsWhatTheFileHoldsAndTheCommentItsLimit)
{
    TfrmWriteFile dialog;
    dialog.show();
    dialog.Edit1->setText(QString(300, QLatin1Char('x')));
    EXPECT_EQ(dialog.Edit1->text().size(), 255);
    dialog.Edit1->clear();
    QTest::keyClicks(dialog.Edit1, QString(256, QLatin1Char('y')));
    EXPECT_EQ(dialog.Edit1->text().size(), 255);
    dialog.Memo1->setPlainText(QString(10300, QLatin1Char('z')));
    EXPECT_EQ(dialog.Memo1->toPlainText().size(), 10240);
}

TEST(WriteFileTest, EnterInTheCommentSavesWithoutANewLine)
{
    TfrmWriteFile dialog;
    dialog.Title = "System";
    dialog.show();
    dialog.Edit1->clear();
    dialog.Memo1->setFocus();
    QTest::keyClicks(dialog.Memo1, "uwagi");
    QTest::keyClick(dialog.Memo1, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_EQ(dialog.Comment, "uwagi");
    EXPECT_EQ(dialog.Title, "") << "an empty title is accepted";
}

TEST(WriteFileTest, TypingReplacesTheProposedTitleAndCharactersWithoutAWindows1250ByteAreRefused)
{
    TfrmWriteFile dialog;
    dialog.Title = "System skrócony - klasyczny 6/12/22";
    dialog.show();
    for (const QString c : {"Z", "ż", "ж", " ", "€", "✓"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
        QApplication::sendEvent(dialog.Edit1, &press);
    }
    EXPECT_EQ(dialog.Edit1->text(), "Zż €");
    QApplication::clipboard()->setText("a✓b😀\nść");
    dialog.Memo1->insertPlainText("Uwagi ж:");
    dialog.Memo1->paste();
    EXPECT_EQ(dialog.Memo1->toPlainText(), "Uwagi :ab\nść");
    dialog.Memo1->undo();
    EXPECT_EQ(dialog.Memo1->toPlainText(), "Uwagi :") << "the paste is undone in one step";
}

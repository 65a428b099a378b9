#include "controls/GridSupport.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

void StreamToClipboard(const QByteArray &Stream)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8(Stream));
}

QByteArray ClipboardToStream()
{
    return QGuiApplication::clipboard()->text().toUtf8();
}

bool ScrollBarInUse(const QAbstractScrollArea *Control, bool Vertical)
{
    const QScrollBar *bar = Vertical ? Control->verticalScrollBar() : Control->horizontalScrollBar();
    return bar && bar->maximum() != bar->minimum();
}

void WriteStringToStream(QByteArray &Stream, const QString &S)
{
    Stream.append(S.toUtf8());
}

#pragma once
// Clipboard and scroll-bar helpers of the grids. Streams are UTF-8 bytes; the clipboard holds text.

#include <QByteArray>
#include <QString>

class QAbstractScrollArea;

// Puts the whole stream on the clipboard as text.
void StreamToClipboard(const QByteArray &Stream);
// The clipboard's text as a stream; empty when the clipboard holds no text.
QByteArray ClipboardToStream();
// True when the scroll bar of that direction has a range to scroll through.
bool ScrollBarInUse(const QAbstractScrollArea *Control, bool Vertical);
// Appends the characters of S, without length or terminator.
void WriteStringToStream(QByteArray &Stream, const QString &S);

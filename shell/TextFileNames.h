#pragma once
// The file dialogs' filters for text files, and a chosen file's name as the file functions take it.

#include <QFile>
#include <QString>

#include <string>

inline const QString TextFileFilter = QStringLiteral("Plik tekstowy (*.txt)");
inline const QString AnyFileFilter = QStringLiteral("Wszystkie pliki (*)");

inline std::string LocalFileName(const QString &Name)
{
    return QFile::encodeName(Name).toStdString();
}

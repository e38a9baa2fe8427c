#pragma once
// The system's texts are single-byte (Latin-1); host paths are the file system's own bytes.
#include <QFile>
#include <QString>
#include <string>

inline QString toQ(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQ(const QString& text)
{
    return text.toLatin1().toStdString();
}

inline QString hostPathToQ(const std::string& hostPath)
{
    return QFile::decodeName(QByteArray::fromStdString(hostPath));
}

inline std::string hostPathFromQ(const QString& hostPath)
{
    return QFile::encodeName(hostPath).toStdString();
}

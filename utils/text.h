#pragma once
// Conversions between the host's UTF-8 narrow strings and QString.

#include <QString>
#include <string>

inline QString from_utf8(const std::string &s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

inline std::string to_utf8(const QString &s)
{
    const QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

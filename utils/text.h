#pragma once
// Conversions between the host's UTF-8 narrow strings and QString.

#include <QByteArray>
#include <QString>
#include <cstring>
#include <string>

inline QString from_utf8(const std::string &s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// Every character of the bytes: QString::fromUtf8 drops a leading byte-order
// mark, and its QByteArray overload stops at the first NUL. Identifiers
// handed to scripts must keep both.
inline QString from_utf8_exact(const char *data, int size)
{
    QString out;
    while (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) {
        out += QChar(0xFEFF);
        data += 3;
        size -= 3;
    }
    return out + QString::fromUtf8(data, size);
}

inline QString from_utf8_exact(const QByteArray &bytes)
{
    return from_utf8_exact(bytes.constData(), bytes.size());
}

inline std::string to_utf8(const QString &s)
{
    const QByteArray bytes = s.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

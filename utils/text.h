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

// The text with an invisible break chance (U+200B) inside every run of more
// than `longest` characters that offers none (no space, "/", "\", "-", ",",
// ";"), so that a wrapped label folds a long identifier or ciphered word
// instead of widening its page.
inline QString with_break_chances(const QString &text, int longest = 30)
{
    QString out;
    out.reserve(text.size() + text.size() / longest);
    int run = 0;
    for (const QChar c : text) {
        if (run == longest) {
            out += QChar(0x200B);
            run = 0;
        }
        out += c;
        run = c.isSpace() || QStringLiteral("/\\-,;").contains(c) ? 0 : run + 1;
    }
    return out;
}

#include "utils/python-literal.h"

namespace {

bool is_control(ushort u)
{
    return u < 0x20 || u == 0x7f;
}

// Appends c at text[*i] to out; a lone surrogate has no UTF-8 form, so the
// stored script could not carry it.
void append_char(QString &out, const QString &text, int *i)
{
    const QChar c = text[*i];
    if (c.isHighSurrogate() && *i + 1 < text.size() && text[*i + 1].isLowSurrogate())
        out += text.midRef((*i)++, 2);
    else if (c.isSurrogate())
        out += QChar(QChar::ReplacementCharacter);
    else
        out += c;
}

QString control_escape(ushort u)
{
    switch (u) {
    case '\n':
        return QStringLiteral("\\n");
    case '\r':
        return QStringLiteral("\\r");
    case '\t':
        return QStringLiteral("\\t");
    default:
        return QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
}

} // namespace

QString python_escaped(const QString &text, char quote)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(quote))
            out += QLatin1Char('\\') + c;
        else if (is_control(c.unicode()))
            out += control_escape(c.unicode());
        else
            append_char(out, text, &i);
    }
    return out;
}

QString python_triple_quoted(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\'') && (i + 1 == text.size() || text[i + 1] == c))
            out += QLatin1String("\\'");
        else if (is_control(u) && u != '\n' && u != '\t')
            out += control_escape(u);
        else
            append_char(out, text, &i);
    }
    return out;
}

bool python_raw_safe(const QString &text)
{
    for (const QChar c : text)
        if (c == QLatin1Char('"') || is_control(c.unicode()) || c.isSurrogate())
            return false;
    return !text.endsWith(QLatin1Char('\\'));
}

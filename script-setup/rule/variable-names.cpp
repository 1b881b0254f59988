#include "script-setup/rule/variable-names.h"

#include <QTextCodec>

namespace rule {
namespace {

bool is_letter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

QString variable_name(const QString &text)
{
    static QTextCodec *const koi8r = QTextCodec::codecForName("KOI8-R");
    QByteArray bytes = koi8r->fromUnicode(text);
    for (int i = 0; i < bytes.size(); ++i) {
        char c = static_cast<char>(bytes[i] & 0x7f);
        if (!is_letter(c) && (i == 0 || !is_digit(c)))
            c = '_';
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        bytes[i] = c;
    }
    return QString::fromLatin1(bytes);
}

QString VariableNames::generate(const QString &text)
{
    return make_unique(variable_name(text));
}

QString VariableNames::make_unique(const QString &name)
{
    QString unique = name;
    for (int suffix = 1; used_.contains(unique); ++suffix)
        unique = name + QString::number(suffix);
    used_.append(unique);
    return unique;
}

} // namespace rule

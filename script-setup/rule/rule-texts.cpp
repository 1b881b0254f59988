#include "script-setup/rule/rule-texts.h"

#include <QCoreApplication>

namespace rule {
namespace {

// The strings are marked for extraction where they are written.
QString translated(const char *text)
{
    return QCoreApplication::translate("QSetupRule", text);
}

const char *const TYPES[] = {QT_TRANSLATE_NOOP("QSetupRule", "integer"),
                             QT_TRANSLATE_NOOP("QSetupRule", "string"),
                             QT_TRANSLATE_NOOP("QSetupRule", "real")};

} // namespace

QString translate_name(const QString &name)
{
    if (name == QLatin1String("end_time_YYYYMMDD_HHMMSS"))
        return translated(QT_TRANSLATE_NOOP("QSetupRule", "end time YYYY-MM-DD HH:MM:SS:"));
    if (name == QLatin1String("start_time_YYYYMMDD_HHMMSS"))
        return translated(QT_TRANSLATE_NOOP("QSetupRule", "start time YYYY-MM-DD HH:MM:SS:"));
    if (name == QLatin1String("time_YYYYMMDD_HHMMSS"))
        return translated(QT_TRANSLATE_NOOP("QSetupRule", "time YYYY-MM-DD HH:MM:SS:"));
    return QString(name).replace(QLatin1Char('_'), QLatin1Char(' '));
}

QString translate_type(const QString &type)
{
    for (const char *word : TYPES)
        if (type == QLatin1String(word))
            return translated(word);
    return QString();
}

QString retranslate_type(const QString &text)
{
    if (text.contains(translated(QT_TRANSLATE_NOOP("QSetupRule", "in quotes"))))
        return QStringLiteral("string");
    for (const char *word : TYPES)
        if (text == translated(word))
            return QString::fromLatin1(word);
    return QString();
}

QString retranslate_color(const QString &color)
{
    for (const char *word :
         {QT_TRANSLATE_NOOP("QSetupRule", "Green"), QT_TRANSLATE_NOOP("QSetupRule", "Red"),
          QT_TRANSLATE_NOOP("QSetupRule", "Blue")})
        if (color == translated(word))
            return QString::fromLatin1(word);
    return QString();
}

} // namespace rule

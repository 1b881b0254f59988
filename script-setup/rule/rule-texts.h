#pragma once
// The rule page's texts that stand for fixed words: the value types of
// method parameters and settings, and the schedule zones. The page shows the
// translations; the stored form and the script use the words.

#include <QString>

namespace rule {

// "time_YYYYMMDD_HHMMSS" and its "start_"/"end_" forms give their translated
// captions; other names show with blanks for "_".
QString translate_name(const QString &name);
// "integer", "string", "real" -> translated; anything else -> empty.
QString translate_type(const QString &type);
// A text holding the translated "in quotes" -> "string"; a translated type
// -> its word; anything else -> empty.
QString retranslate_type(const QString &text);
// The translated "Green", "Red", "Blue" -> the word; anything else -> empty.
QString retranslate_color(const QString &color);

} // namespace rule

#include "script-setup/rule/code-writer.h"

#include <QtGlobal>

namespace rule {

void CodeWriter::add(const QString &raw)
{
    const QString text = raw.trimmed();
    const bool opens = text.endsWith(QLatin1Char(':'));
    if (opens &&
        (text.startsWith(QLatin1String("elif")) || text.startsWith(QLatin1String("else")))) {
        Q_ASSERT(!if_levels_.empty());
        if (!if_levels_.empty()) {
            level_ = if_levels_.back();
            if_levels_.pop_back();
        }
    }
    const bool definition =
        text.startsWith(QLatin1String("def")) || text.startsWith(QLatin1String("class"));
    if (definition)
        lines_.insert(index_++, QString());
    lines_.insert(index_++, QString(level_, QLatin1Char('\t')) + text);
    if (definition)
        has_body_ = false;
    else if (!text.isEmpty() && !text.startsWith(QLatin1Char('#')))
        has_body_ = true;
    if (opens) {
        if (text.startsWith(QLatin1String("if")))
            if_levels_.push_back(level_);
        ++level_;
    }
}

void CodeWriter::insert_raw(const QString &text)
{
    lines_.insert(index_++, text);
}

void CodeWriter::mark_top()
{
    top_index_ = index_;
    top_level_ = level_;
}

void CodeWriter::to_top()
{
    index_ = top_index_;
    level_ = top_level_;
}

void CodeWriter::dedent()
{
    level_ = qMax(level_ - 1, 0);
}

} // namespace rule

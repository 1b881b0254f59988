#pragma once
// Python identifiers made from object names and settings references, unique
// among the names handed out since the list was last emptied (the page
// empties it after a save, a reset and a named-roots setup).

#include <QString>
#include <QStringList>

namespace rule {

// The text in KOI8-R with bit 7 of every byte cleared; a first byte that is
// not a letter and every byte that is not a letter or digit become "_";
// lower case. settings("a/b") gives settings__a_b__.
QString variable_name(const QString &text);

class VariableNames
{
public:
    VariableNames() = default;
    explicit VariableNames(const QStringList &used)
        : used_(used)
    {}

    // variable_name(text) made unique, and remembered.
    QString generate(const QString &text);
    // The name itself when new, else the name with the smallest suffix 1, 2,
    // 3 ... that is new; remembered either way.
    QString make_unique(const QString &name);

    const QStringList &used() const { return used_; }
    void clear() { used_.clear(); }

private:
    QStringList used_;
};

} // namespace rule

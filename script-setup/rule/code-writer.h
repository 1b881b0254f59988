#pragma once
// Builds a Python script line by line with automatic indentation. Lines go
// in at an insertion index, so code can be written above what exists; the
// top mark is the place right under the script's header.

#include <QString>
#include <QStringList>
#include <vector>

namespace rule {

class CodeWriter
{
public:
    // Trims the text; "elif ...:" and "else:" go back to the level of their
    // "if"; "def" and "class" get an empty line above; a text ending in ":"
    // opens a level. Inner line feeds stay in the one line.
    void add(const QString &text);
    // Puts the text in as it is, without indentation.
    void insert_raw(const QString &text);
    void mark_top();
    void to_top();
    void dedent();

    // Whether the function or class opened last has a statement yet.
    bool open_block_has_body() const { return has_body_; }
    QString text() const { return lines_.join(QLatin1Char('\n')); }

private:
    QStringList lines_;
    int index_ = 0;
    int level_ = 0;
    std::vector<int> if_levels_;
    int top_index_ = 0;
    int top_level_ = 0;
    bool has_body_ = true;
};

} // namespace rule

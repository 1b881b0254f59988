#pragma once
// The Python script that the server's script engine runs for a rule. Every
// function is written right under the header, so the finished script reads:
// header, imports, fixed blocks, the functions newest first, and last the
// activation lines, which then find every function defined.

#include "script-setup/rule/rule.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace rule {

struct GeneratedScript
{
    QString text;
    QStringList used_names; // the list given, extended by the activation's variables
};

// Reads nothing but the value. `used_names` are the variable names handed
// out since the page's last save; the activation's variables get suffixes
// against them. A refusal to store is the caller's (store_script).
GeneratedScript generate_script(const Rule &rule, const QStringList &used_names);

// "action<main>" for sub 0, else "action<main>_<sub>".
QString generate_readable_function_name(int main_index, int sub_index);

// A random number 0..32767, as the C library's rand() gives.
typedef std::function<int()> RandomSource;
// "__rw_func__" when readable, else followed by 16 letters drawn from
// `random` (two numbers per letter: case, then letter).
QString generate_function_name(bool readable, const RandomSource &random);

} // namespace rule

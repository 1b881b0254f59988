#pragma once
// The Python script that the server runs for a template loop: it waits for
// the loop's shortcut, then shows each element on one monitor in turn until
// the operator interferes.

#include "script-setup/loop/templates-order.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace loop {

struct LoopScriptInput
{
    int monitor = 1;
    QString shortcut;
    QByteArray operator_gui; // guid of the operator workstation's GUI object
    std::vector<LoopEntry> entries;
};

// Empty while no operator GUI is known. A loop without elements gives a
// script whose shortcut does nothing (there is nothing to cycle through).
QString generate_loop_script(const LoopScriptInput &input);

// "(('g1',5, 'template'),('c1',10, 'channel'))"; one element keeps a
// trailing comma so that it stays a sequence.
QString element_sequence(const std::vector<LoopEntry> &entries);

// Text made safe inside a single-quoted Python literal: backslash, quote and
// control characters are written as escapes.
QString python_quoted_text(const QString &text);

// The fixed text: %1 monitor, %2 element sequence, %3 operator GUI, %4
// shortcut; %5 and %6 the two translated messages; %7 the guard of a loop
// without elements.
const char *loop_script_template();

// Replaces %1 to %9 by values[0] to values[8] in one pass; the values are
// not scanned again. A placeholder without a value is kept.
QString substitute_once(const QString &text, const std::vector<QString> &values);

} // namespace loop

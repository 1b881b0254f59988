#pragma once
// Names read from a script's declaration or from the settings tree that must
// name a file inside one folder and nothing else: a resource of the script's
// data folder, a stock script's file. Both reach the operator's disk, and a
// packed resource leaves with the published file, so a name that climbs out
// of its folder would hand out whatever the operator can read.

#include <QString>

namespace contained_name {

// Why the name is not a plain entry of a folder: empty, absolute, holding a
// separator ("/" or "\"), a drive or stream mark (":") or NUL, or "." or
// "..". Empty when it is. Untranslated, for the log.
QString refusal(const QString &name);

struct Checked
{
    QString path;    // the file to open; empty when refused
    QString refusal; // as refusal(), or why the entry leads outside the folder
};
// The name checked as above and joined to the folder. An entry that exists
// (or is a link) must resolve, links followed, to a file inside the folder
// as it resolves itself; `path` is then that resolved file, so a link
// changed after the check is not followed again. A missing entry gives the
// joined path.
Checked resolve(const QString &folder, const QString &name);

} // namespace contained_name

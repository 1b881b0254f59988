// Resource names as a script's declaration gives them and stock file names
// as the settings tree holds them: a name the check lets through is a plain
// entry that, joined to its folder, names a file directly inside it.

#include "fuzz/schedule-fuzz-support.h"
#include "script-setup/script/contained-name.h"
#include "script-setup/script/script-data-folder.h"

#include <QDir>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using schedule_fuzz::require;

void check(const QString &name)
{
    if (!contained_name::refusal(name).isEmpty())
        return;
    const QString folder = QStringLiteral("/data/ACME_Gate_2");
    const QString joined = folder + '/' + name;
    require(QDir::cleanPath(joined) == joined);
    require(!name.contains('/') && !name.contains('\\') && !name.contains(':'));
    // Nothing of that name exists there: the check keeps it as joined.
    require(contained_name::resolve(folder, name).path == joined);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    schedule_fuzz::quiet_log();
    const std::string text(reinterpret_cast<const char *>(data), size);
    check(QString::fromStdString(text));
    for (const QString &name : script_data::resources(text))
        check(name);
    return 0;
}

#include "script-setup/script/contained-name.h"

#include <QDir>
#include <QFileInfo>

namespace contained_name {

QString refusal(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("no file name");
    if (name.contains('/') || name.contains('\\'))
        return QStringLiteral("file name '%1' holds a path separator").arg(name);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("file name '%1' names a folder").arg(name);
    // "C:x.py" is relative to the drive's current folder, "x:y" a stream.
    if (name.contains(':'))
        return QStringLiteral("file name '%1' names a drive").arg(name);
    if (name.contains(QChar(0)) || QDir::isAbsolutePath(name))
        return QStringLiteral("file name '%1' is not a plain name").arg(name);
    return QString();
}

Checked resolve(const QString &folder, const QString &name)
{
    Checked out;
    out.refusal = refusal(name);
    if (!out.refusal.isEmpty())
        return out;
    const QString joined = folder + '/' + name;
    const QFileInfo entry(joined);
    if (!entry.exists() && !entry.isSymLink()) {
        out.path = joined;
        return out;
    }
    // A dangling link resolves to nothing that can be checked: a write
    // through it would create its target wherever that is.
    const QString target = entry.canonicalFilePath();
    const QString base = QFileInfo(folder).canonicalFilePath();
    if (target.isEmpty() || base.isEmpty() ||
        !target.startsWith(base.endsWith('/') ? base : base + '/')) {
        out.refusal = QStringLiteral("file name '%1' leads outside %2").arg(name, folder);
        return out;
    }
    out.path = target;
    return out;
}

} // namespace contained_name

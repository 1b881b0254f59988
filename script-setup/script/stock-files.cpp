#include "script-setup/script/stock-files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace stock_files {

QString shared_folder()
{
    QString base = qEnvironmentVariable("VX_SHARED_FILES_DIR");
    if (base.isEmpty())
        base = QCoreApplication::applicationDirPath();
    return base + QLatin1String("/scripts-stock");
}

QString host_folder(const std::string &stock_directory)
{
    return QString::fromStdString(stock_directory) + QLatin1String("/scripts-stock");
}

QString refusal(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("no file name");
    if (name.contains('/') || name.contains('\\'))
        return QStringLiteral("file name '%1' holds a path separator").arg(name);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("file name '%1' names a folder").arg(name);
    // "C:x.py" is relative to the drive's current folder, not to ours.
    if (name.contains(':'))
        return QStringLiteral("file name '%1' names a drive").arg(name);
    if (name.contains(QChar(0)) || QDir::isAbsolutePath(name))
        return QStringLiteral("file name '%1' is not a plain name").arg(name);
    return QString();
}

QString join(const QString &folder, const QString &name)
{
    Q_ASSERT(refusal(name).isEmpty());
    return folder + '/' + name;
}

bool exists_in(const QString &folder, const QString &name)
{
    return QFileInfo(join(folder, name)).isFile();
}

Text read(const QString &first_folder, const QString &second_folder, const QString &name)
{
    Text out;
    for (const QString &folder : {first_folder, second_folder}) {
        QFile file(join(folder, name));
        out.path = file.fileName();
        if (file.open(QIODevice::ReadOnly)) {
            out.text = file.readAll().toStdString();
            out.ok = true;
            out.error.clear();
            return out;
        }
        out.error = QStringLiteral("cannot read %1: %2").arg(out.path, file.errorString());
    }
    return out;
}

} // namespace stock_files

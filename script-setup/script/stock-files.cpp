#include "script-setup/script/stock-files.h"

#include "script-setup/script/contained-name.h"

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

QString join(const QString &folder, const QString &name)
{
    Q_ASSERT(contained_name::refusal(name).isEmpty());
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
        const contained_name::Checked checked = contained_name::resolve(folder, name);
        out.path = folder + '/' + name;
        if (!checked.refusal.isEmpty()) {
            out.refused = true;
            out.error = checked.refusal;
            return out;
        }
        QFile file(checked.path);
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

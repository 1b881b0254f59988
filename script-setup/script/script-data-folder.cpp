#include "script-setup/script/script-data-folder.h"

#include <QDir>
#include <QDomDocument>
#include <QRegularExpression>

namespace script_data {

QString root(const std::string &data_directory)
{
    const QString path = QDir(QString::fromStdString(data_directory)).filePath("scripts-data");
    QDir().mkpath(path);
    return path;
}

QString folder_name(const std::string &declaration, const QString &prefix)
{
    QDomDocument doc;
    if (!doc.setContent(QByteArray::fromStdString(declaration)))
        return QString();
    const QDomElement top = doc.firstChildElement();
    const auto text = [&top](const char *tag) {
        return top.firstChildElement(tag).text();
    };
    QString name =
        QStringLiteral("%5%2%1%3%1%4")
            .arg(QStringLiteral("_"), text("company"), text("title"), text("version"), prefix);
    static const QRegularExpression outside("[^A-Za-z_0-9]");
    return name.replace(outside, QStringLiteral("_"));
}

QStringList resources(const std::string &declaration)
{
    QStringList names;
    QDomDocument doc;
    if (!doc.setContent(QByteArray::fromStdString(declaration)))
        return names;
    const QDomElement list = doc.firstChildElement().firstChildElement("resources");
    for (QDomElement r = list.firstChildElement("resource"); !r.isNull();
         r = r.nextSiblingElement("resource"))
        names << r.text();
    return names;
}

QString translation_file(const QString &root, const QString &name, const QString &code)
{
    return QStringLiteral("%1/%2/%3.ts").arg(root, name, code);
}

} // namespace script_data

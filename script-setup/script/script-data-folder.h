#pragma once
// Where a script keeps its files on the operator's computer: a folder under
// the client's data directory named after the company, title and version of
// its declaration, holding its resources and translations.

#include <QString>
#include <QStringList>
#include <string>

namespace script_data {

// "<data directory>/scripts-data", created when missing.
QString root(const std::string &data_directory);
// prefix + company_title_version with every character outside
// [A-Za-z_0-9] made "_"; empty when the declaration does not parse.
QString folder_name(const std::string &declaration, const QString &prefix = QString());
// The "resource" file names of the declaration, in order.
QStringList resources(const std::string &declaration);
// "<root>/<name>/<code>.ts"
QString translation_file(const QString &root, const QString &name, const QString &code);

} // namespace script_data

#pragma once
// The files of stock scripts: the shared stock folder that ships with the
// client and the host's own stock folder. A file name read from the settings
// tree names a file inside one of them and nothing else (contained_name).

#include <QString>
#include <string>

namespace stock_files {

// "<base>/scripts-stock", the base being the directory the client's shared
// files live in: VX_SHARED_FILES_DIR when set, else the program's directory.
QString shared_folder();
// "<stock_directory>/scripts-stock"
QString host_folder(const std::string &stock_directory);

// folder + "/" + name; the name must have passed contained_name::refusal().
QString join(const QString &folder, const QString &name);
bool exists_in(const QString &folder, const QString &name);

struct Text
{
    bool ok = false;
    bool refused = false; // the entry leads outside its folder: not read
    std::string text;
    QString path;  // the file read, or the last one tried
    QString error; // untranslated, for the log
};
// The file from the first of the two folders that has it readable; an
// entry that leads outside its folder stops the search unread.
Text read(const QString &first_folder, const QString &second_folder, const QString &name);

} // namespace stock_files

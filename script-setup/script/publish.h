#pragma once
// The text of a published script: its header, its resource files packed in
// (zlib, Base64), and its body, plain or obfuscated for exec_encoded; and the
// file it is written to. No widgets here.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

namespace script_publish {

struct Resource
{
    QString name;
    QByteArray content;
};

// Base64 of the data cut into lines of 72 characters, each "\t\t<piece>\n".
std::string base64_lines(const QByteArray &data);
// The "resources = {...}" block with its check line; empty for no resources.
std::string resources_block(const std::vector<Resource> &resources);
// The whole file from already read resources. The old resources block of
// the text is dropped.
std::string published_text(const std::string &editor_text, const std::vector<Resource> &resources,
                           bool encoded);

struct Refusal
{
    QString name;
    QString why; // untranslated, for the log
};
struct Result
{
    std::string text;
    QString error;                // empty on success, translated otherwise
    std::vector<Refusal> refused; // names that lead outside the data folder
};
// Reads the listed files of the data folder, then builds the text. A name
// that leads outside the folder (contained_name) is left out unread.
Result publish(const std::string &editor_text, const QStringList &resource_names,
               const QString &data_folder, bool encoded);

// The name a publish writes to: ".py" appended unless it ends so
// (case-sensitive); empty stays empty.
QString target_name(const QString &chosen);
// Writes through a temporary file renamed into place, so a failure leaves
// the old file whole. Returns the translated failure, or empty.
QString write_file(const QString &path, const std::string &text);

} // namespace script_publish

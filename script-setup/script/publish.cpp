#include "script-setup/script/publish.h"

#include "script-setup/script/contained-name.h"
#include "script-setup/script/script-header.h"
#include "utils/script-cipher.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <zlib.h>

namespace script_publish {
namespace {

const int line_width = 72;

QString tr(const char *text)
{
    return QCoreApplication::translate("QSetupScript", text);
}

QByteArray zlib_stream(const QByteArray &data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    QByteArray out(static_cast<int>(size), '\0');
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &size,
                  reinterpret_cast<const Bytef *>(data.constData()),
                  static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return QByteArray();
    out.resize(static_cast<int>(size));
    return out;
}

} // namespace

std::string base64_lines(const QByteArray &data)
{
    const QByteArray encoded = data.toBase64();
    std::string out;
    for (int at = 0; at < encoded.size(); at += line_width) {
        out += "\t\t";
        out += encoded.mid(at, line_width).toStdString();
        out += '\n';
    }
    return out;
}

std::string resources_block(const std::vector<Resource> &resources)
{
    if (resources.empty())
        return std::string();
    std::string out = "resources = {";
    for (size_t i = 0; i < resources.size(); ++i) {
        if (i)
            out += ',';
        out += "\n\t\"" + resources[i].name.toStdString() + "\": '''\n";
        out += base64_lines(zlib_stream(resources[i].content));
        out += "\t'''";
    }
    out += "\n}\nvxutils.resources_check(script_path, resources)\n\n";
    return out;
}

std::string published_text(const std::string &editor_text, const std::vector<Resource> &resources,
                           bool encoded)
{
    const script_header::Parts parts = script_header::split(editor_text);
    std::string out;
    if (!parts.header_comment.empty() || !parts.docstring.empty())
        out += parts.header_comment + parts.docstring + "\n\n\n";
    out += resources_block(resources);
    if (!encoded)
        return out + parts.body;
    const std::string ciphered = script_cipher::encipher(parts.body);
    out += "script = '''\n";
    out += base64_lines(QByteArray(ciphered.data(), static_cast<int>(ciphered.size())));
    out += "'''\nexec_encoded(script)\n";
    return out;
}

Result publish(const std::string &editor_text, const QStringList &resource_names,
               const QString &data_folder, bool encoded)
{
    Result result;
    std::vector<Resource> resources;
    for (const QString &name : resource_names) {
        const contained_name::Checked checked = contained_name::resolve(data_folder, name);
        if (!checked.refusal.isEmpty()) {
            result.refused.push_back({name, checked.refusal});
            continue;
        }
        QFile file(checked.path);
        if (!file.open(QIODevice::ReadOnly)) {
            result.error = tr("cannot read resource %1").arg(file.fileName());
            return result;
        }
        resources.push_back({name, file.readAll()});
    }
    result.text = published_text(editor_text, resources, encoded);
    return result;
}

QString target_name(const QString &chosen)
{
    if (chosen.isEmpty() || chosen.endsWith(QLatin1String(".py")))
        return chosen;
    return chosen + QLatin1String(".py");
}

QString write_file(const QString &path, const std::string &text)
{
    QSaveFile file(path);
    // Unbuffered: a write that fails at the final flush would otherwise
    // still be committed over the old file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return tr("cannot write file");
    const qint64 size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return tr("cannot write file");
    }
    return file.commit() ? QString() : tr("cannot write file");
}

} // namespace script_publish

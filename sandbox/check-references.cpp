#include "sandbox/check-references.h"

#include "sandbox/server-services.h"
#include "sandbox/session.h"
#include "script-setup/references/server-reader.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace sandbox {

int check_references(Session &session, std::FILE *out)
{
    using namespace references;
    const Settings root = session.server_root();
    const ServerContents contents = read_server(root);
    Targets targets = targets_of(contents, root);
    targets.objects_known = true;
    for (const auto &o : session.services().lists().objects)
        targets.object_names.insert(o.name);
    targets.sounds_known = true;
    for (const auto &s : session.services().catalogue().sounds)
        targets.sounds.insert(s);

    std::vector<const Referrer *> referrers;
    for (const auto &o : contents.objects)
        referrers.push_back(&o.second);
    const std::string scripts = contents.scripts ? contents.scripts->path() : std::string();
    const std::vector<Broken> broken = broken_references(referrers, targets);
    for (const Broken &b : broken) {
        QJsonObject line;
        line["folder"] = QString::fromStdString(scripts + "/" + b.referrer->guid);
        line["name"] = QString::fromStdString(b.referrer->name);
        line["type"] = QString::fromStdString(b.referrer->type);
        line["kind"] = QString::fromLatin1(kind_name(b.reference.kind));
        line["missing"] = QString::fromStdString(b.reference.value);
        line["where"] = QString::fromLatin1(place_name(b.reference.place));
        if (b.reference.place != ACTIVATION)
            line["index"] = b.reference.index + 1;
        std::fprintf(out, "%s\n", QJsonDocument(line).toJson(QJsonDocument::Compact).constData());
    }
    std::fflush(out);
    return broken.empty() ? 0 : 1;
}

} // namespace sandbox

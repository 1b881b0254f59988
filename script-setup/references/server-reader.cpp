#include "script-setup/references/server-reader.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QStringList>

namespace references {
namespace {

const char *const CANNOT_READ = "GUI: cannot read references: %s\n";

template <class F> bool logged(F series)
{
    try {
        series();
        return true;
    } catch (const std::exception &e) {
        VX_LOG(logging_facility::FAILURE, CANNOT_READ, e.what());
    }
    return false;
}

QString text(const Settings &folder, const char *key)
{
    return from_utf8(folder->get_string_or(key, std::string()));
}

std::string action_key(int index, const char *suffix = "")
{
    return "action" + std::to_string(index) + suffix;
}

// The keys rule_references looks at, all in the caller's locked series.
rule::StoredRule read_rule_keys(const Settings &folder)
{
    rule::StoredRule stored;
    stored.activation_code = folder->get_integer_or("activation_type", rule::NO_ACTIVATION);
    stored.activation_list = rule::split_list(text(folder, "activation_list"));
    stored.activation_names = rule::split_list(text(folder, "activation_names"));
    stored.activation_params = rule::split_list(text(folder, "activation_params"));
    const int count =
        std::min(std::max(folder->get_integer_or("action_count", 0), 0), int(rule::MAX_ACTIONS));
    for (int i = 0; i < count; ++i) {
        rule::StoredAction a;
        a.code = folder->get_integer_or(action_key(i, "_type"), -1);
        a.action = from_utf8(folder->get_string_or(action_key(i), std::string()));
        a.params = from_utf8(folder->get_string_or(action_key(i, "_params"), std::string()));
        stored.actions.push_back(a);
    }
    return stored;
}

// The named folder below `root`, each step under its parent's lock.
Settings folder_at(Settings folder, const QStringList &parts)
{
    for (const QString &part : parts) {
        if (!folder)
            return folder;
        FolderLock guard(folder);
        folder = folder->subdir(to_utf8(part), 0);
    }
    return folder;
}

std::vector<std::pair<std::string, Settings>> children(const Settings &folder)
{
    std::vector<std::pair<std::string, Settings>> out;
    if (!folder)
        return out;
    logged([&] {
        FolderLock guard(folder);
        for (const std::string &name : folder->ls())
            out.emplace_back(name, folder->subdir(name, 0));
    });
    return out;
}

} // namespace

bool read_object(const Settings &folder, const std::string &server_name, Referrer *out)
{
    if (!folder)
        return false;
    bool wanted = false;
    const bool ok = logged([&] {
        FolderLock guard(folder);
        Referrer r;
        r.type = folder->type();
        if (r.type != "Rule" && r.type != "TemplateLoop" && r.type != "Schedule" &&
            r.type != "EmailAccount")
            return;
        wanted = true;
        r.guid = folder->name();
        r.name = folder->get_string_or("name", std::string());
        if (r.type == "Rule")
            r.references = rule_references(read_rule_keys(folder), server_name);
        else if (r.type == "TemplateLoop")
            r.references = loop_references(folder->get_string_or("templates_order", ""));
        else if (r.type == "Schedule")
            r.references = schedule_references(folder->get_string_or("affected_channels", ""));
        *out = r;
    });
    return ok && wanted;
}

bool read_channel(const Settings &channel, bool *alive)
{
    return logged([&] {
        FolderLock guard(channel);
        *alive = channel->get_integer_or("archive_zombie_flag", 0) != 1;
    });
}

ServerContents read_server(const Settings &root)
{
    ServerContents c;
    if (!root)
        return c;
    logged([&] {
        FolderLock guard(root);
        c.server_name = root->name();
        c.scripts = root->cd("scripts", 0);
        c.channels = root->cd("channels", 0);
        c.templates = root->cd("templates", 0);
    });
    for (const auto &child : children(c.scripts)) {
        c.scripts_children.insert(child.first);
        Referrer r;
        if (child.second && read_object(child.second, c.server_name, &r)) {
            c.objects[child.first] = r;
            c.object_folders[child.first] = child.second;
        }
    }
    for (const auto &child : children(c.channels)) {
        bool alive = false;
        if (child.second && read_channel(child.second, &alive) && alive)
            c.live_channels.insert(child.first);
    }
    for (const auto &child : children(c.templates))
        c.templates_read.insert(child.first);
    return c;
}

void list_schedules_and_accounts(const std::map<std::string, Referrer> &objects, Targets *t)
{
    t->schedule_names.clear();
    t->account_guids.clear();
    for (const auto &o : objects) {
        if (o.second.type == "Schedule")
            t->schedule_names.insert(o.second.name);
        else if (o.second.type == "EmailAccount")
            t->account_guids.insert(o.first);
    }
}

Targets targets_of(const ServerContents &c, const Settings &server_root)
{
    Targets t;
    t.server_name = c.server_name;
    list_schedules_and_accounts(c.objects, &t);
    t.channel_guids = c.live_channels;
    t.template_guids = c.templates_read;
    t.settings_path_exists = [server_root](const std::string &path) {
        return settings_path_exists(server_root, path);
    };
    return t;
}

bool settings_path_exists(const Settings &root, const std::string &path)
{
    QStringList parts = from_utf8(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return false;
    bool found = false;
    logged([&] {
        if (folder_at(root, parts)) {
            found = true;
            return;
        }
        const std::string key = to_utf8(parts.takeLast());
        const Settings folder = folder_at(root, parts);
        if (!folder)
            return;
        FolderLock guard(folder);
        found = folder->value_type(key) != ' ';
    });
    return found;
}

} // namespace references

#include "script-setup/inserters/settings-tree.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QStringList>

namespace {

void log_refusal(const QString &where, const std::exception &e)
{
    VX_LOG(logging_facility::FAILURE, "SETTINGS INSERTER: cannot read '%s': %s\n",
           to_utf8(where).c_str(), e.what());
}

Settings parent_of(const Settings &folder, const QString &where)
{
    try {
        FolderLock guard(folder);
        return folder->parent();
    } catch (const std::exception &e) {
        log_refusal(where, e);
        return Settings();
    }
}

void read_folder(const Settings &folder, const SettingsTreeOptions &options, const QString &where,
                 bool read_display, SettingsNode &node)
{
    std::vector<std::pair<std::string, Settings>> children;
    try {
        FolderLock guard(folder);
        if (read_display)
            node.display = folder->get_string_or("name", std::string());
        if (options.folders)
            for (const std::string &name : folder->ls())
                if (Settings child = folder->subdir(name, 0))
                    children.emplace_back(name, child);
        if (options.keys)
            for (const std::string &key : folder->list_keys())
                node.keys.emplace_back(key, folder->value_type(key));
    } catch (const std::exception &e) {
        log_refusal(where, e);
        node.keys.clear();
        return;
    }
    node.folders.reserve(children.size());
    for (const auto &child : children) {
        node.folders.emplace_back();
        SettingsNode &sub = node.folders.back();
        sub.name = child.first;
        const QString path =
            where.isEmpty() ? from_utf8(child.first) : where + '/' + from_utf8(child.first);
        read_folder(child.second, options, path, true, sub);
    }
}

} // namespace

Settings settings_tree_top(const Settings &folder)
{
    if (!folder)
        return Settings();
    Settings parent = parent_of(folder, QStringLiteral(".."));
    return parent ? parent_of(parent, QStringLiteral("../..")) : Settings();
}

SettingsNode read_settings_tree(const Settings &folder, const SettingsTreeOptions &options,
                                const QString &where)
{
    SettingsNode root;
    if (folder)
        read_folder(folder, options, where, false, root);
    return root;
}

Settings settings_tree_find(const Settings &top, const QString &path)
{
    Settings current = top;
    for (const QString &part : path.split('/', Qt::SkipEmptyParts)) {
        if (!current)
            break;
        try {
            FolderLock guard(current);
            current = current->subdir(to_utf8(part), 0);
        } catch (const std::exception &e) {
            log_refusal(path, e);
            return Settings();
        }
    }
    return current;
}

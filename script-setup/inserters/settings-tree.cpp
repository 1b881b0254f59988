#include "script-setup/inserters/settings-tree.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QStringList>
#include <deque>

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

QString child_path(const QString &where, const std::string &name)
{
    return where.isEmpty() ? from_utf8(name) : where + '/' + from_utf8(name);
}

// One locked series: the display name, the keys and the subfolders' names.
void read_level(const Settings &folder, const SettingsTreeOptions &options, const QString &where,
                bool read_display, SettingsNode &node)
{
    try {
        FolderLock guard(folder);
        if (read_display)
            node.display = folder->get_string_or("name", std::string());
        if (options.folders)
            node.unread = folder->ls();
        if (options.keys)
            for (const std::string &key : folder->list_keys())
                node.keys.emplace_back(key, folder->value_type(key));
    } catch (const std::exception &e) {
        log_refusal(where, e);
        node.keys.clear();
        node.unread.clear();
        return;
    }
    if (!node.unread.empty())
        node.folder = folder;
}

void read_all(SettingsNode &node, const SettingsTreeOptions &options, const QString &where)
{
    read_settings_children(node, options, where);
    for (SettingsNode &sub : node.folders)
        read_all(sub, options, child_path(where, sub.name));
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
    if (folder) {
        read_level(folder, options, where, false, root);
        read_all(root, options, where);
    }
    return root;
}

SettingsNode read_settings_tree_within(const Settings &folder, const SettingsTreeOptions &options,
                                       int budget)
{
    SettingsNode root;
    if (!folder)
        return root;
    read_level(folder, options, QString(), false, root);
    // Nodes live in vectors reserved before they are filled: the pointers hold.
    std::deque<std::pair<SettingsNode *, QString>> queue{{&root, QString()}};
    while (!queue.empty()) {
        SettingsNode &node = *queue.front().first;
        const QString where = queue.front().second;
        queue.pop_front();
        const int wanted = static_cast<int>(node.unread.size());
        if (wanted == 0 || wanted > budget)
            continue;
        budget -= wanted;
        read_settings_children(node, options, where);
        for (SettingsNode &sub : node.folders)
            queue.emplace_back(&sub, child_path(where, sub.name));
    }
    return root;
}

void read_settings_children(SettingsNode &node, const SettingsTreeOptions &options,
                            const QString &where)
{
    std::vector<std::pair<std::string, Settings>> children;
    if (!node.unread.empty()) {
        try {
            FolderLock guard(node.folder);
            for (const std::string &name : node.unread)
                if (Settings child = node.folder->subdir(name, 0))
                    children.emplace_back(name, child);
        } catch (const std::exception &e) {
            log_refusal(where, e);
            children.clear();
        }
    }
    node.unread.clear();
    node.folder.reset();
    node.folders.reserve(node.folders.size() + children.size());
    for (const auto &child : children) {
        node.folders.emplace_back();
        SettingsNode &sub = node.folders.back();
        sub.name = child.first;
        read_level(child.second, options, child_path(where, child.first), true, sub);
    }
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

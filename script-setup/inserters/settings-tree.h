#pragma once
// Reads a settings folder and everything below it into plain values for the
// settings inserter: subfolders with their display names, keys with their
// type letters. One locked series per folder; a folder the host refuses is
// logged and left empty, the rest of the tree is still read.

#include "plugin/rizurividuvez.h"

#include <QString>
#include <utility>
#include <vector>

struct SettingsNode
{
    std::string name;    // the folder's name in its parent
    std::string display; // its "name" value, empty when it has none
    std::vector<SettingsNode> folders;
    std::vector<std::pair<std::string, char>> keys; // key and type letter
    // Subfolders not read yet, and this folder to read them from later.
    std::vector<std::string> unread;
    Settings folder;
};

struct SettingsTreeOptions
{
    bool folders = true; // read subfolders
    bool keys = true;    // read keys and their types
};
// The top folder's own keys are read too; the settings inserter leaves them
// out because they have no settings path to refer to them by.

// The folder's grandparent (two levels above), or empty when the host
// refuses or there is none.
Settings settings_tree_top(const Settings &folder);

// where: the folder's path as the tree shows it, for log lines.
SettingsNode read_settings_tree(const Settings &folder, const SettingsTreeOptions &options,
                                const QString &where = QString());
// As read_settings_tree, breadth first and only as deep as `budget` folder
// reads allow: the subfolders of one folder are read together or all left
// in its `unread`, for read_settings_children once the user looks there.
SettingsNode read_settings_tree_within(const Settings &folder, const SettingsTreeOptions &options,
                                       int budget);
// Reads the node's unread subfolders, leaving theirs unread. where: the
// node's path, for log lines.
void read_settings_children(SettingsNode &node, const SettingsTreeOptions &options,
                            const QString &where);
// The folder at a "/"-separated path below top; empty when absent.
Settings settings_tree_find(const Settings &top, const QString &path);

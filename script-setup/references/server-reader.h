#pragma once
// Reads what the reference index needs from a server's folders: every rule,
// template loop, schedule and e-mail account of its scripts folder, its
// channels and templates. Each folder is read in one locked series; a refusal
// is logged ("GUI: cannot read references: ...") and leaves that folder out.

#include "plugin/rizurividuvez.h"
#include "script-setup/references/references.h"

#include <map>
#include <set>
#include <string>

namespace references {

struct ServerContents
{
    std::string server_name;
    Settings scripts;                               // empty when the server has none
    Settings channels;                              // likewise
    Settings templates;                             // likewise
    std::map<std::string, Referrer> objects;        // by folder name
    std::map<std::string, Settings> object_folders; // the same, their folders
    std::set<std::string> scripts_children;         // every folder of the scripts folder
    std::set<std::string> live_channels;            // channels that are not archive zombies
    std::set<std::string> templates_read;
};

ServerContents read_server(const Settings &server_root);

// A rule, loop, schedule or account folder; false for another type, or when
// the host refused (logged).
bool read_object(const Settings &folder, const std::string &server_name, Referrer *out);
// False when refused (logged); *alive is false for an archive zombie.
bool read_channel(const Settings &channel, bool *alive);

// Schedules, accounts, channels and templates of the contents; objects and
// sounds stay unknown, settings paths are looked up below server_root.
Targets targets_of(const ServerContents &contents, const Settings &server_root);

// The schedule names and account folder names among the objects.
void list_schedules_and_accounts(const std::map<std::string, Referrer> &objects, Targets *t);

// "a/b" names a folder below root, or "a/b/key" a key of folder "a/b".
bool settings_path_exists(const Settings &root, const std::string &path);

} // namespace references

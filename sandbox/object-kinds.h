#pragma once
// The objects a scripts folder holds, as the server creates them: the keys
// (with their value types and defaults) that each type's page binds, and
// the statistics the script engine keeps for rules and scripts.

#include "memory-host/memory-tree.h"

#include <string>
#include <vector>

namespace sandbox {

struct KeySpec
{
    std::string key;
    memory_host::Value value;
};

// One kind of object the scripts folder creates on request.
struct CreatableKind
{
    const char *kind;      // prefix of "<kind>_create_now", "<kind>_new_guid", "<kind>_erase"
    const char *type;      // object type of the created folder
    const char *base_name; // name given to a new object, made unique with a number
};

const std::vector<CreatableKind> &creatable_kinds();
const CreatableKind *kind_named(const std::string &kind);

// Keys of a new object of the type (empty for unknown types).
std::vector<KeySpec> object_keys(const std::string &type);
// Keys of the "stats" subfolder, for the types that have one.
std::vector<KeySpec> stats_keys(const std::string &type);
// Keys of a scripts folder: the creation commands and the erase keys.
std::vector<KeySpec> scripts_folder_keys();

} // namespace sandbox

#pragma once
// Asks the server to remove an object: the kind's erase key ("loop_erase",
// "email_account_erase", ...) is written into the parent folder with the
// object's folder name. Throws what the host throws; callers log it.

#include "utils/folder-lock.h"

#include <string>

inline void request_erase(const Settings &folder, const char *erase_key)
{
    std::string name;
    Settings parent;
    {
        FolderLock guard(folder);
        name = folder->name();
        parent = folder->parent();
    }
    if (!parent)
        return;
    FolderLock guard(parent);
    parent->set_string(erase_key, name);
}

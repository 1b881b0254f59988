#include "qt4-pavo7/reusable/known-servers.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"

#include <algorithm>
#include <boost/weak_ptr.hpp>
#include <map>

namespace Reusable {
namespace known_servers {
namespace {

// Weak: a page's folders must not outlive the tree that made them. GUI thread only.
std::map<std::string, boost::weak_ptr<Rizurividuvez::Dir>> &roots()
{
    static std::map<std::string, boost::weak_ptr<Rizurividuvez::Dir>> map;
    return map;
}

} // namespace

void remember(const Settings &server_root)
{
    if (!server_root)
        return;
    try {
        std::string name;
        {
            FolderLock guard(server_root);
            name = server_root->name();
        }
        roots()[name] = server_root;
    } catch (const std::exception &e) {
        // A root that will not tell its name cannot be found by name either.
        VX_LOG(2, "GUI: cannot remember the server: %s\n", e.what());
    }
}

Settings root_of(const std::string &server_name)
{
    const auto it = roots().find(server_name);
    return it == roots().end() ? Settings() : it->second.lock();
}

std::vector<std::string> names()
{
    for (const auto &entry : roots()) {
        const Settings root = entry.second.lock();
        if (!root)
            continue;
        const Settings tree = root->parent();
        if (!tree)
            return {entry.first};
        std::vector<std::string> out;
        {
            FolderLock guard(tree);
            out = tree->ls();
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    return {};
}

void forget_all()
{
    roots().clear();
}

} // namespace known_servers
} // namespace Reusable

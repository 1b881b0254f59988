#pragma once
// The servers of the client's settings tree, for selectors that know a
// server only by name. The page factory remembers the server root of every
// page it builds; the tree root above them lists every server the client has.

#include "plugin/rizurividuvez.h"

#include <string>
#include <vector>

namespace Reusable {
namespace known_servers {

void remember(const Settings &server_root);
// The remembered root of the named server; empty when none was seen.
Settings root_of(const std::string &server_name);
// The names of the tree root's folders, sorted; empty before any page was
// built. Host refusals are thrown to the caller.
std::vector<std::string> names();
// Forgets every root (tests build several trees in one process).
void forget_all();

} // namespace known_servers
} // namespace Reusable

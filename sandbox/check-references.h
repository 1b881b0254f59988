#pragma once
// --check-references: every reference of the served server's rules, loops
// and schedules that leads nowhere, one JSON line each.

#include <cstdio>

namespace sandbox {

class Session;

// Resolves against the tree and the services' lists; returns the exit
// status: 1 when something is broken, 0 when nothing is.
int check_references(Session &session, std::FILE *out);

} // namespace sandbox

#pragma once
// Process-wide state of the plug-in, written only by the entry points and the
// registration steps; read by the pages. GUI thread only, so no lock.

#include "plugin/host.h"

namespace module_state {

// The host root as vx_init handed it over: the main copy (entry points, the
// script pages, the shared GUI library) and the two copies that the script
// parameter selectors and the stock script page read.
Rizurividuvez::HostRoot *host();
Rizurividuvez::HostRoot *parameters_host();
Rizurividuvez::HostRoot *stock_host();

// The host pointer of one of the five per-type registrations ("ScriptFolder",
// "Rule", "Schedule", "EmailAccount", "TemplateLoop"); null before it is set.
Rizurividuvez::HostRoot *type_host(const char *type);

} // namespace module_state

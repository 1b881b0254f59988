#pragma once
// The entry points the host resolves by name in the plug-in library.

namespace Rizurividuvez {
class HostRoot;
}

extern "C" {
// Keeps the host root (three copies) and hands its log sink to the logging facility.
void vx_init(Rizurividuvez::HostRoot *host);
// Registers the eight page factories with the host's page registry.
void vx_after_load();
// Unregisters the types and releases the factories.
void vx_done();
}

typedef void (*vx_init_fn)(Rizurividuvez::HostRoot *);
typedef void (*vx_after_load_fn)();
typedef void (*vx_done_fn)();

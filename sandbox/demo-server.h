#pragma once
// The servers the sandbox serves without a tree file: the embedded demo
// server, and a large one generated from it for measurements.

#include <string>

namespace sandbox {

// The demo server's tree file, compiled in as a resource.
std::string demo_server_document();

struct LargeServerSize
{
    int channels = 2000;
    int templates = 300;
    int scripts = 500;
    int rules = 200;
    int schedules = 50;
    int loops = 20;
};

// A tree file of a large server, the same for every run: the demo server's
// services and its scripts folder's kinds of objects, multiplied.
std::string large_server_document(const LargeServerSize &size = LargeServerSize());

} // namespace sandbox

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

    // Every count times factor: the 10x server shows how costs grow.
    LargeServerSize scaled(int factor) const;
};

// The size large_server_document() builds by default, which sessions of the
// large server use; the sandbox sets it from --demo-size before opening one.
const LargeServerSize &large_server_size();
void set_large_server_size(const LargeServerSize &size);

// A tree file of a large server, the same for every run: the demo server's
// services and its scripts folder's kinds of objects, multiplied.
std::string large_server_document(const LargeServerSize &size = large_server_size());

} // namespace sandbox

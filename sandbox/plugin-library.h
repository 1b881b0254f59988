#pragma once
// The plug-in loaded as the client loads it: by path, its three entry points
// resolved by name. The library is never unloaded before the process ends:
// Qt keeps type registrations that point into it.

#include "plugin/entry.h"

#include <QString>

namespace memory_host {
class KeptLog;
}

namespace sandbox {

// The plug-in next to the sandbox's build, else the one this build made.
QString default_plugin_path();

class PluginLibrary
{
public:
    // Entry point calls are written to the log, so a run shows them.
    explicit PluginLibrary(memory_host::KeptLog &log);
    ~PluginLibrary(); // calls vx_done if vx_after_load ran and done() did not
    PluginLibrary(const PluginLibrary &) = delete;
    PluginLibrary &operator=(const PluginLibrary &) = delete;

    bool load(const QString &path, QString *error);
    QString path() const { return path_; }

    void init(Rizurividuvez::HostRoot *host);
    void after_load();
    void done();

private:
    memory_host::KeptLog &log_;
    QString path_;
    void *handle_ = nullptr;
    vx_init_fn init_ = nullptr;
    vx_after_load_fn after_load_ = nullptr;
    vx_done_fn done_ = nullptr;
    bool registered_ = false;
};

} // namespace sandbox

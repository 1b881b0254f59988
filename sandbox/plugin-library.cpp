#include "sandbox/plugin-library.h"

#include "memory-host/memory-host.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <dlfcn.h>

namespace sandbox {

QString default_plugin_path()
{
    const QString beside = QCoreApplication::applicationDirPath() + "/../libquorix-script-setup.so";
    if (QFileInfo::exists(beside))
        return QFileInfo(beside).canonicalFilePath();
    return QStringLiteral(VX_SANDBOX_BUILT_PLUGIN);
}

PluginLibrary::PluginLibrary(memory_host::KeptLog &log)
    : log_(log)
{}

PluginLibrary::~PluginLibrary()
{
    if (registered_)
        done();
}

bool PluginLibrary::load(const QString &path, QString *error)
{
    path_ = QFileInfo(path).absoluteFilePath();
    handle_ = dlopen(QFile::encodeName(path_).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle_) {
        if (error)
            *error = QString::fromLocal8Bit(dlerror());
        return false;
    }
    init_ = reinterpret_cast<vx_init_fn>(dlsym(handle_, "vx_init"));
    after_load_ = reinterpret_cast<vx_after_load_fn>(dlsym(handle_, "vx_after_load"));
    done_ = reinterpret_cast<vx_done_fn>(dlsym(handle_, "vx_done"));
    if (!init_ || !after_load_ || !done_) {
        if (error)
            *error = QStringLiteral("%1 lacks vx_init, vx_after_load or vx_done").arg(path_);
        handle_ = nullptr; // left loaded: dlclose is never called
        return false;
    }
    log_.write(1, "SANDBOX: loaded " + path_.toStdString() + "\n");
    return true;
}

void PluginLibrary::init(Rizurividuvez::HostRoot *host)
{
    log_.write(1, "SANDBOX: calling vx_init\n");
    init_(host);
}

void PluginLibrary::after_load()
{
    log_.write(1, "SANDBOX: calling vx_after_load\n");
    after_load_();
    registered_ = true;
}

void PluginLibrary::done()
{
    log_.write(1, "SANDBOX: calling vx_done\n");
    done_();
    registered_ = false;
}

} // namespace sandbox

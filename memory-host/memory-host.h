#pragma once
// The in-memory host root: settings tree, recording page registry, scale
// object, a log sink that keeps its lines, services and their consumers.

#include "memory-host/memory-tree.h"
#include "plugin/host.h"

#include <QTemporaryDir>
#include <atomic>
#include <boost/weak_ptr.hpp>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace memory_host {

struct LogLine
{
    int level;
    std::string text;
};

class KeptLog : public Rizurividuvez::LogSink
{
public:
    void write(int level, const std::string &line) override;
    std::vector<LogLine> lines() const;
    void clear();
    // True when some line of at least that level contains the text.
    bool contains(const std::string &text, int min_level = 1) const;
    int max_level() const;
    void set_echo(bool echo) { echo_ = echo; } // also print to stderr

private:
    mutable std::mutex mutex_;
    std::vector<LogLine> lines_;
    std::atomic<bool> echo_{false};
};

class MemoryScale : public Rizurividuvez::UiScale
{
public:
    float size_factor() override { return size_factor_; }
    float width_factor() override { return width_factor_; }
    QPixmap scale_pixmap(const QPixmap &pixmap) override;
    QPixmap scaled_pixmap(const QString &icon_path) override;
    void scale_widget(QWidget *widget, int flags) override;
    void set_factor(float factor) { size_factor_ = width_factor_ = factor; }
    int widgets_scaled() const { return widgets_scaled_; }

private:
    float size_factor_ = 1.0f;
    float width_factor_ = 1.0f;
    int widgets_scaled_ = 0;
};

struct Registration
{
    std::string op; // "register_page" or "unregister_page"
    std::string type;
};

class RecordingPages : public Rizurividuvez::SetupPages
{
public:
    void register_page(const std::string &type,
                       boost::shared_ptr<QSetupDialogGenerator> factory) override;
    void unregister_page(const std::string &type) override;
    Rizurividuvez::UiScale *ui_scale() override { return &scale_; }

    const std::vector<Registration> &registrations() const { return registrations_; }
    void drop_factories() { factories_.clear(); }
    void clear_registrations() { registrations_.clear(); }
    // The factory currently registered for the type, if any.
    boost::shared_ptr<QSetupDialogGenerator> factory(const std::string &type) const;
    std::vector<std::string> registered_types() const;
    MemoryScale &scale() { return scale_; }

private:
    std::vector<Registration> registrations_;
    std::vector<std::pair<std::string, boost::shared_ptr<QSetupDialogGenerator>>> factories_;
    MemoryScale scale_;
};

class MemoryHost : public Rizurividuvez::HostRoot
{
public:
    explicit MemoryHost(const std::string &server_name = "DEMO");
    ~MemoryHost() override;

    std::string local_server_name() override { return server_name_; }
    boost::shared_ptr<Rizurividuvez::LogSink> log_sink() override { return log_; }
    Rizurividuvez::SetupPages *setup_pages() override { return &pages_; }
    void register_consumer(boost::shared_ptr<Rizurividuvez::ServicesConsumer> consumer) override;
    std::string new_guid() override;
    std::string data_directory() override;
    std::string stock_directory() override;

    MemoryTree &tree() { return tree_; }
    KeptLog &log() { return *log_; }
    RecordingPages &pages() { return pages_; }
    // The server root folder, "/<server name>", created on construction.
    Settings server_root();
    std::string server_path() const { return "/" + server_name_; }

    // Guids from a counter instead of random ones, for reproducible runs.
    void set_deterministic_guids(bool on) { deterministic_guids_ = on; }

    // Services: a consumer is connected to every offered service whose server
    // and name match, whichever comes first. The host holds consumers weakly,
    // as services hold their listeners: a closed page's receivers go with it.
    void offer_service(const std::string &server,
                       boost::shared_ptr<Rizurividuvez::ServiceInterface> service,
                       bool swap = true);
    void drop_services();
    // Lets go of every object the plug-in handed over (page factories,
    // folder listeners, service consumers). Call it after vx_done and before
    // unloading: releasing such a reference later runs the plug-in's own
    // code (its destructors and reference-count blocks) from unmapped memory.
    void release_plugin();
    std::vector<boost::shared_ptr<Rizurividuvez::ServicesConsumer>> consumers() const; // alive

private:
    struct Offer
    {
        std::string server;
        boost::shared_ptr<Rizurividuvez::ServiceInterface> service;
        bool swap;
    };

    // Under services_mutex_.
    std::vector<boost::shared_ptr<Rizurividuvez::ServicesConsumer>> alive_consumers() const;

    std::string server_name_;
    MemoryTree tree_;
    boost::shared_ptr<KeptLog> log_;
    RecordingPages pages_;
    QTemporaryDir data_dir_;
    QTemporaryDir stock_dir_;
    bool deterministic_guids_ = false;
    std::atomic<long> guid_counter_{0};
    mutable std::mutex services_mutex_;
    std::vector<boost::weak_ptr<Rizurividuvez::ServicesConsumer>> consumers_;
    std::vector<Offer> offers_;
};

} // namespace memory_host

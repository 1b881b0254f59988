#include "memory-host/memory-host.h"

#include <QIcon>
#include <QPixmap>
#include <QUuid>
#include <QWidget>
#include <algorithm>
#include <cstdio>

namespace memory_host {

// ------------------------------------------------------------------ KeptLog

void KeptLog::write(int level, const std::string &line)
{
    if (echo_)
        std::fprintf(stderr, "[%d] %s", level, line.c_str());
    std::lock_guard<std::mutex> guard(mutex_);
    lines_.push_back(LogLine{level, line});
}

std::vector<LogLine> KeptLog::lines() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return lines_;
}

void KeptLog::clear()
{
    std::lock_guard<std::mutex> guard(mutex_);
    lines_.clear();
}

bool KeptLog::contains(const std::string &text, int min_level) const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return std::any_of(lines_.begin(), lines_.end(), [&](const LogLine &l) {
        return l.level >= min_level && l.text.find(text) != std::string::npos;
    });
}

int KeptLog::max_level() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    int level = 0;
    for (const auto &l : lines_)
        level = std::max(level, l.level);
    return level;
}

// -------------------------------------------------------------- MemoryScale

QPixmap MemoryScale::scale_pixmap(const QPixmap &pixmap)
{
    if (size_factor_ == 1.0f || pixmap.isNull())
        return pixmap;
    return pixmap.scaled(pixmap.size() * static_cast<double>(size_factor_), Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
}

QPixmap MemoryScale::scaled_pixmap(const QString &icon_path)
{
    return scale_pixmap(QPixmap(icon_path));
}

void MemoryScale::scale_widget(QWidget *widget, int)
{
    if (!widget)
        return;
    ++widgets_scaled_;
    if (size_factor_ != 1.0f) {
        QFont font = widget->font();
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * static_cast<double>(size_factor_));
        widget->setFont(font);
    }
}

// ----------------------------------------------------------- RecordingPages

void RecordingPages::register_page(const std::string &type,
                                   boost::shared_ptr<QSetupDialogGenerator> factory)
{
    registrations_.push_back(Registration{"register_page", type});
    for (auto &entry : factories_)
        if (entry.first == type) {
            entry.second = factory; // the newer registration wins
            return;
        }
    factories_.emplace_back(type, factory);
}

void RecordingPages::unregister_page(const std::string &type)
{
    registrations_.push_back(Registration{"unregister_page", type});
    factories_.erase(std::remove_if(factories_.begin(), factories_.end(),
                                    [&](const auto &e) { return e.first == type; }),
                     factories_.end());
}

boost::shared_ptr<QSetupDialogGenerator> RecordingPages::factory(const std::string &type) const
{
    for (const auto &entry : factories_)
        if (entry.first == type)
            return entry.second;
    return boost::shared_ptr<QSetupDialogGenerator>();
}

std::vector<std::string> RecordingPages::registered_types() const
{
    std::vector<std::string> out;
    for (const auto &entry : factories_)
        out.push_back(entry.first);
    return out;
}

// --------------------------------------------------------------- MemoryHost

MemoryHost::MemoryHost(const std::string &server_name)
    : server_name_(server_name)
    , log_(new KeptLog)
{
    tree_.make_folder(server_path(), "Server");
}

MemoryHost::~MemoryHost()
{
    drop_services();
}

Settings MemoryHost::server_root()
{
    return tree_.folder(server_path());
}

void MemoryHost::register_consumer(boost::shared_ptr<Rizurividuvez::ServicesConsumer> consumer)
{
    if (!consumer)
        return;
    std::vector<Offer> matching;
    {
        std::lock_guard<std::mutex> guard(services_mutex_);
        consumers_.erase(std::remove_if(consumers_.begin(), consumers_.end(),
                                        [](const auto &c) { return c.expired(); }),
                         consumers_.end());
        consumers_.push_back(consumer);
        matching = offers_;
    }
    const std::string server = consumer->consumer_server_name();
    const std::string service = consumer->consumer_service_name();
    for (const auto &offer : matching)
        if (offer.server == server && offer.service->service_name() == service)
            consumer->service_connected(offer.service, offer.swap);
}

void MemoryHost::offer_service(const std::string &server,
                               boost::shared_ptr<Rizurividuvez::ServiceInterface> service,
                               bool swap)
{
    if (!service)
        return;
    {
        std::lock_guard<std::mutex> guard(services_mutex_);
        offers_.push_back(Offer{server, service, swap});
    }
    const auto waiting = consumers();
    const std::string name = service->service_name();
    for (const auto &consumer : waiting)
        if (consumer->consumer_server_name() == server && consumer->consumer_service_name() == name)
            consumer->service_connected(service, swap);
}

void MemoryHost::drop_services()
{
    std::vector<boost::shared_ptr<Rizurividuvez::ServicesConsumer>> dropped;
    {
        std::lock_guard<std::mutex> guard(services_mutex_);
        dropped = alive_consumers();
        consumers_.clear();
        offers_.clear();
    }
    for (const auto &consumer : dropped)
        consumer->service_dropped();
}

void MemoryHost::release_plugin()
{
    drop_services();
    pages_.drop_factories();
    tree_.drop_listeners();
}

std::vector<boost::shared_ptr<Rizurividuvez::ServicesConsumer>> MemoryHost::consumers() const
{
    std::lock_guard<std::mutex> guard(services_mutex_);
    return alive_consumers();
}

std::vector<boost::shared_ptr<Rizurividuvez::ServicesConsumer>> MemoryHost::alive_consumers() const
{
    std::vector<boost::shared_ptr<Rizurividuvez::ServicesConsumer>> alive;
    for (const auto &consumer : consumers_)
        if (auto c = consumer.lock())
            alive.push_back(c);
    return alive;
}

std::string MemoryHost::new_guid()
{
    if (deterministic_guids_) {
        char text[40];
        std::snprintf(text, sizeof text, "{00000000-0000-4000-8000-%012lX}", ++guid_counter_);
        return text;
    }
    return QUuid::createUuid().toString().toUpper().toStdString();
}

std::string MemoryHost::data_directory()
{
    return data_dir_.path().toStdString();
}

std::string MemoryHost::stock_directory()
{
    return stock_dir_.path().toStdString();
}

} // namespace memory_host

#pragma once
// The host root and the objects it hands out: page registry, UI scale, log
// sink and the services-consumer interface.

#include "plugin/rizurividuvez.h"

#include <string>

class QObject;
class QPixmap;
class QString;
class QWidget;

// Page factory: the host calls create for every folder of the registered type.
class QSetupDialogGenerator
{
public:
    // Returns a new parentless page; the host owns it from then on.
    virtual QWidget *create(QObject *navigator, Settings folder, Settings server_root) = 0;
    virtual ~QSetupDialogGenerator();
};

namespace Rizurividuvez {

class UiScale
{
public:
    virtual float size_factor() = 0;
    virtual float width_factor() = 0;
    virtual QPixmap scale_pixmap(const QPixmap &pixmap) = 0;
    virtual QPixmap scaled_pixmap(const QString &icon_path) = 0;
    virtual void scale_widget(QWidget *widget, int flags) = 0;
    virtual ~UiScale();
};

class SetupPages
{
public:
    virtual void register_page(const std::string &type,
                               boost::shared_ptr<QSetupDialogGenerator> factory) = 0;
    virtual void unregister_page(const std::string &type) = 0;
    virtual UiScale *ui_scale() = 0;
    virtual ~SetupPages();
};

// Receives every log line of the plug-in; may be called from any thread.
class LogSink
{
public:
    virtual void write(int level, const std::string &line) = 0;
    virtual ~LogSink();
};

// A server's service as the host hands it to a consumer; consumers downcast
// it to the service they asked for and refuse anything else.
class ServiceInterface
{
public:
    virtual std::string service_name() = 0;
    virtual ~ServiceInterface();
};

// What register_consumer takes: the host connects it to the named service of
// the named server, possibly from a service thread of its own.
class ServicesConsumer
{
public:
    virtual std::string consumer_server_name() = 0;
    virtual std::string consumer_service_name() = 0;
    // swap: the consumer may take delivered lists by swapping instead of copying.
    virtual void service_connected(boost::shared_ptr<ServiceInterface> service, bool swap) = 0;
    virtual void service_dropped() = 0;
    virtual ~ServicesConsumer();
};

class HostRoot
{
public:
    virtual std::string local_server_name() = 0;
    virtual boost::shared_ptr<LogSink> log_sink() = 0;
    virtual SetupPages *setup_pages() = 0;
    virtual void register_consumer(boost::shared_ptr<ServicesConsumer> consumer) = 0;
    virtual std::string new_guid() = 0;
    virtual std::string data_directory() = 0;
    virtual std::string stock_directory() = 0;
    virtual ~HostRoot();
};

} // namespace Rizurividuvez

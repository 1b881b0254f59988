#pragma once
// The plug-in's side of the rule-wizard service: keeps the latest classes,
// objects, event types and sounds of one server under its own lock and
// signals its owner, who takes the lists in a queued slot.
//
// Create it with create() (or hold it in a boost::shared_ptr with
// DeleteInOwnThread): it hands out shared references to itself, and the last
// one may be dropped on the service's thread.

#include "plugin/dava-dodazi-service.h"

#include <QObject>
#include <boost/enable_shared_from_this.hpp>
#include <boost/thread/mutex.hpp>

class DavaDodaziServiceReceiverImp :
    public QObject,
    public Rizurividuvez::DavaDodaziServiceReceiver,
    public Rizurividuvez::ServicesConsumer,
    public boost::enable_shared_from_this<DavaDodaziServiceReceiverImp>
{
    Q_OBJECT
public:
    typedef boost::shared_ptr<DavaDodaziServiceReceiverImp> Ptr;

    // dialog_mode: the events inserter wants only classes and event types.
    DavaDodaziServiceReceiverImp(const std::string &server_name, bool dialog_mode);
    ~DavaDodaziServiceReceiverImp() override;
    static Ptr create(const std::string &server_name, bool dialog_mode);

    // ServicesConsumer
    std::string consumer_server_name() override { return server_name_; }
    std::string consumer_service_name() override { return service_name_; }
    void service_connected(boost::shared_ptr<Rizurividuvez::ServiceInterface> service,
                           bool swap) override;
    void service_dropped() override;

    // DavaDodaziServiceReceiver, called on the service's thread.
    void classes_and_objects_listed(std::vector<Rizurividuvez::ObjectClass> &classes,
                                    std::vector<Rizurividuvez::ObjectRecord> &objects) override;
    void event_types_listed(std::vector<Rizurividuvez::EventType> &event_types) override;
    void sounds_listed(std::vector<std::string> &sounds) override;

    // Stops the deliveries and releases the service.
    void detach();
    bool connected() const;
    bool dialog_mode() const { return dialog_mode_; }

    // Readers, on the GUI thread. take_* swaps the list out (the receiver's
    // copy stays empty until the next delivery); copy_* leaves it.
    // Both lists of one delivery, taken under one lock.
    void take_classes_and_objects(std::vector<Rizurividuvez::ObjectClass> &classes,
                                  std::vector<Rizurividuvez::ObjectRecord> &objects);
    void take_classes(std::vector<Rizurividuvez::ObjectClass> &out);
    void take_objects(std::vector<Rizurividuvez::ObjectRecord> &out);
    void take_event_types(std::vector<Rizurividuvez::EventType> &out);
    void take_sounds(std::vector<std::string> &out);
    std::vector<Rizurividuvez::ObjectClass> copy_classes() const;
    std::vector<Rizurividuvez::ObjectRecord> copy_objects() const;
    std::vector<Rizurividuvez::EventType> copy_event_types() const;
    std::vector<std::string> copy_sounds() const;

    static const char *receiver_name() { return "DavaDodaziServiceReceiver"; }

Q_SIGNALS:
    void objects_list_changed();
    void events_list_changed();
    void sounds_list_changed();

private:
    template <typename T> bool take(std::vector<T> &incoming, std::vector<T> &kept);

    const std::string server_name_;
    const std::string service_name_;
    const bool dialog_mode_;
    mutable boost::mutex mutex_;
    std::vector<Rizurividuvez::ObjectClass> classes_;
    std::vector<Rizurividuvez::ObjectRecord> objects_;
    std::vector<Rizurividuvez::EventType> event_types_;
    std::vector<std::string> sounds_;
    boost::shared_ptr<Rizurividuvez::DavaDodaziService> service_;
    bool swap_ = false;
    bool stopped_ = false;
};

#pragma once
// Keeps the objects of one class that a server owns, as its objects service
// reports them. The host drives it as a services consumer, on its service
// threads; the page reads the list under the receiver's lock and hears of
// changes through objects_changed(), which it connects queued.

#include "plugin/objects-service.h"

#include <QObject>
#include <boost/thread/lock_guard.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/weak_ptr.hpp>
#include <string>
#include <vector>

class ObjectsListReceiver :
    public QObject,
    public Rizurividuvez::ServicesConsumer,
    public Rizurividuvez::ObjectsListener
{
    Q_OBJECT
public:
    // The reference may be released on any thread: off the receiver's own
    // thread it is deleted later by that thread's event loop.
    static boost::shared_ptr<ObjectsListReceiver> create(const std::string &server_name,
                                                         const std::string &class_name);
    ~ObjectsListReceiver() override;

    std::string consumer_server_name() override { return server_name_; }
    std::string consumer_service_name() override;
    void service_connected(boost::shared_ptr<Rizurividuvez::ServiceInterface> service,
                           bool swap) override;
    void service_dropped() override;
    void objects_listed(std::vector<Rizurividuvez::ObjectInfo> &objects) override;

    // Holds the receiver's lock for as long as it lives; objects() is only
    // valid while one is held.
    class Lock
    {
    public:
        explicit Lock(ObjectsListReceiver &receiver)
            : guard_(receiver.mutex_)
            , receiver_(receiver)
        {}
        const std::vector<Rizurividuvez::ObjectInfo> &objects() const { return receiver_.objects_; }

    private:
        boost::lock_guard<boost::mutex> guard_;
        ObjectsListReceiver &receiver_;
    };

Q_SIGNALS:
    void objects_changed();

private:
    ObjectsListReceiver(const std::string &server_name, const std::string &class_name);

    const std::string server_name_;
    const std::string class_name_;
    boost::weak_ptr<ObjectsListReceiver> self_;
    boost::mutex mutex_;
    boost::shared_ptr<Rizurividuvez::ObjectsService> service_;
    bool swap_ = false;
    std::vector<Rizurividuvez::ObjectInfo> objects_;
};

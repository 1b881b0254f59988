#pragma once
// The host's settings interface as the plug-in sees it. Every operation is a
// virtual call into the host; any of them may throw access_denied_error except
// Dir::unlock. All calls come from the host's GUI thread.

#include <boost/enable_shared_from_this.hpp>
#include <boost/shared_ptr.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace Rizurividuvez {

// The host's refusal of a settings operation; what() is the text pages log.
class access_denied_error : public std::runtime_error
{
public:
    explicit access_denied_error(const std::string &what)
        : std::runtime_error(what)
    {}
};

class Dir;

// A shared reference to a settings folder; empty means "no such folder".
typedef boost::shared_ptr<Dir> Settings;

class Dir : public boost::enable_shared_from_this<Dir>
{
public:
    // Change listener. The host keeps only a weak reference to it: the
    // subscriber's own shared reference decides how long it keeps listening.
    class Notification
    {
    public:
        explicit Notification(const char *name)
            : notification_name_(name ? name : "")
        {}
        virtual void subdir_added(Settings parent, Settings child);
        virtual void subdir_renamed(Settings parent, Settings child);
        virtual void subdir_removed(Settings parent, Settings child);
        virtual void subdir_moved(Settings parent, Settings child);
        virtual void subdir_rights_changed(Settings parent, Settings child);
        virtual void values_changed(Settings folder);
        virtual void rights_changed(Settings folder);
        virtual void erased(Settings folder);
        virtual void keys_added(Settings folder);
        virtual void keys_removed(Settings folder);
        virtual void type_changed(Settings folder);
        virtual void connection_changed(Settings folder);
        virtual ~Notification();

        const std::string &notification_name() const { return notification_name_; }

    private:
        std::string notification_name_;
    };

    // Subscription masks.
    enum { OWN_VALUES = 256, SUBDIRS = 512, ALL = 768 };

    virtual std::string name() = 0;
    virtual std::string path() = 0;
    virtual std::string type() = 0;
    virtual int rights() = 0;
    virtual Settings parent() = 0;
    // 's', 'i' or 'r'; ' ' for a key the folder lacks; 0 for a key that cannot be bound.
    virtual char value_type(const std::string &key) = 0;
    virtual void set_string(const std::string &key, const std::string &value) = 0;
    virtual void set_integer(const std::string &key, int value) = 0;
    virtual void set_double(const std::string &key, double value) = 0;
    virtual bool key_writable(const std::string &key) = 0;
    virtual std::string get_string(const std::string &key) = 0;
    virtual int get_integer(const std::string &key) = 0;
    virtual std::string get_string_or(const std::string &key, const std::string &def) = 0;
    virtual int get_integer_or(const std::string &key, int def) = 0;
    virtual double get_double_or(const std::string &key, double def) = 0;
    // With create 0 an absent child gives an empty reference.
    virtual Settings subdir(const std::string &name, int create) = 0;
    // A server-wide folder by name, asked of a server root.
    virtual Settings cd(const std::string &name, int flags) = 0;
    virtual std::vector<std::string> list_keys() = 0;
    virtual std::vector<std::string> ls() = 0;
    virtual void lock() = 0;
    virtual void unlock() = 0; // never throws
    virtual void subscribe(boost::shared_ptr<Notification> listener, int mask) = 0;

    virtual ~Dir();
};

} // namespace Rizurividuvez

using Rizurividuvez::Settings;

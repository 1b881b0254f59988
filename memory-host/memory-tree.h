#pragma once
// An in-memory settings tree that implements the host's folder interface.
// Besides the Dir operations (which are logged, counted and can be made to
// fail), it offers a host-side API for fixtures and assertions that is neither
// logged nor counted.

#include "plugin/rizurividuvez.h"

#include <boost/weak_ptr.hpp>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace memory_host {

struct Value
{
    char type = 's'; // 's', 'i' or 'r'
    std::string text;
    int integer = 0;
    double real = 0.0;
    bool writable = true;
    bool bindable = true; // false: value_type answers 0

    static Value of_string(const std::string &s);
    static Value of_integer(int i);
    static Value of_real(double r);
    std::string to_string() const; // for logs and assertions
    bool operator==(const Value &other) const;
};

// One logged Dir operation: op name, folder path, key (may be empty), value
// written or read (may be empty).
struct Call
{
    std::string op;
    std::string path;
    std::string key;
    std::string value;
};

class MemoryTree;

// A deep copy of one folder, for saving and comparing trees.
struct FolderSnapshot
{
    std::string type;
    int rights = 0xff;
    std::map<std::string, Value> keys;
    std::map<std::string, FolderSnapshot> folders;
    bool operator==(const FolderSnapshot &other) const;
};

class MemoryDir : public Rizurividuvez::Dir
{
public:
    std::string name() override;
    std::string path() override;
    std::string type() override;
    int rights() override;
    Settings parent() override;
    char value_type(const std::string &key) override;
    void set_string(const std::string &key, const std::string &value) override;
    void set_integer(const std::string &key, int value) override;
    void set_double(const std::string &key, double value) override;
    bool key_writable(const std::string &key) override;
    std::string get_string(const std::string &key) override;
    int get_integer(const std::string &key) override;
    std::string get_string_or(const std::string &key, const std::string &def) override;
    int get_integer_or(const std::string &key, int def) override;
    double get_double_or(const std::string &key, double def) override;
    Settings subdir(const std::string &name, int create) override;
    Settings cd(const std::string &name, int flags) override;
    std::vector<std::string> list_keys() override;
    std::vector<std::string> ls() override;
    void lock() override;
    void unlock() override;
    void subscribe(boost::shared_ptr<Notification> listener, int mask) override;

private:
    friend class MemoryTree;
    struct Subscription
    {
        boost::weak_ptr<Notification> listener;
        int mask;
    };

    MemoryDir(MemoryTree *tree, const std::string &name, const std::string &type);
    boost::shared_ptr<MemoryDir> self();
    std::string path_unlogged() const;
    void path_into(std::string &out) const; // reuses out's buffer

    MemoryTree *tree_;
    std::string name_;
    std::string type_;
    int rights_ = 0xff;
    bool erased_ = false;
    std::string frozen_path_; // the path an erased folder had
    MemoryDir *parent_ = nullptr;
    std::map<std::string, Value> keys_;
    std::map<std::string, boost::shared_ptr<MemoryDir>> children_;
    std::vector<Subscription> subscriptions_;
};

// What a fault rule matches; empty fields match anything.
struct FaultRule
{
    std::string op;
    std::string path;
    std::string key;
    int times = -1; // how many matching calls fail; -1 for all of them
    std::string message = "access denied";
};

class MemoryTree
{
public:
    MemoryTree();
    ~MemoryTree();
    MemoryTree(const MemoryTree &) = delete;
    MemoryTree &operator=(const MemoryTree &) = delete;

    // --- host side: fixtures and assertions (neither logged nor counted) ---
    Settings root();
    // Path "/a/b"; "" or "/" is the root. Empty reference when absent.
    Settings folder(const std::string &path);
    // Creates missing folders along the path; the last one gets the type.
    Settings make_folder(const std::string &path, const std::string &type = std::string());
    void put(const std::string &path, const std::string &key, const Value &value,
             bool notify = true);
    void put_string(const std::string &path, const std::string &key, const std::string &value);
    void put_integer(const std::string &path, const std::string &key, int value);
    void put_real(const std::string &path, const std::string &key, double value);
    bool has(const std::string &path, const std::string &key);
    Value value(const std::string &path, const std::string &key); // default Value when absent
    std::string string_value(const std::string &path, const std::string &key);
    int integer_value(const std::string &path, const std::string &key);
    void remove_key(const std::string &path, const std::string &key);
    void set_writable(const std::string &path, const std::string &key, bool writable);
    void set_bindable(const std::string &path, const std::string &key, bool bindable);
    void set_rights(const std::string &path, int rights);
    void set_type(const std::string &path, const std::string &type);
    void erase(const std::string &path);
    std::vector<std::string> children(const std::string &path);
    FolderSnapshot snapshot(const std::string &path);
    // Forgets every subscription, expired or not.
    void drop_listeners();

    // Observer of every value written through the Dir interface (after the
    // write and its notifications); the sandbox's server simulator uses it.
    typedef std::function<void(const std::string &path, const std::string &key)> WriteHook;
    void set_write_hook(WriteHook hook);

    // --- call log: the latest calls only, so that a long session stays flat ---
    static const size_t default_call_log_size = 10000;
    std::vector<Call> calls() const; // oldest first
    void clear_calls();
    std::vector<Call> calls_of(const std::string &op) const;
    // How many calls the log keeps; 0 keeps none. Counting goes on either way.
    void set_call_log_size(size_t calls);
    // Countable calls: every Dir operation except unlock.
    long countable_calls() const;

    // --- fault injection ---
    void fail_calls(const FaultRule &rule);
    // The n-th countable call from now (1 for the next one) throws.
    void fail_nth_call(long n, const std::string &message = "access denied");
    void clear_faults();
    long faults_raised() const;

    // --- lock accounting ---
    int lock_balance() const;
    std::vector<std::string> lock_violations() const;
    void clear_lock_violations();

private:
    friend class MemoryDir;
    struct Pending; // notifications to deliver once the tree's mutex is free
    class OpScope;

    MemoryDir *find(const std::string &path);
    MemoryDir *make(const std::string &path, const std::string &type, Pending &pending);
    void record(const char *op, MemoryDir *dir, const std::string &key, const std::string &value);
    void check_fault(const char *op, MemoryDir *dir, const std::string &key);
    void deliver(Pending &pending);
    void queue_values_changed(MemoryDir *dir, Pending &pending);
    void erase_locked(MemoryDir *dir, Pending &pending);
    void after_first_lock();

    mutable std::recursive_mutex mutex_;
    boost::shared_ptr<MemoryDir> root_;
    std::vector<Call> calls_; // a ring once it holds call_log_size_ calls
    size_t call_log_size_ = default_call_log_size;
    size_t oldest_call_ = 0;    // where the ring's next call goes
    Call *last_call_ = nullptr; // the current operation's, while logged
    long countable_ = 0;
    long fail_at_ = 0; // absolute countable index that fails, 0 for none
    std::string fail_at_message_;
    std::vector<FaultRule> rules_;
    long faults_raised_ = 0;
    std::map<std::thread::id, int> lock_depth_;
    int lock_total_ = 0;
    std::vector<std::string> violations_;
    WriteHook write_hook_;
    std::shared_ptr<bool> alive_;
};

} // namespace memory_host

#include "memory-host/memory-tree.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <sstream>

namespace memory_host {

using Rizurividuvez::access_denied_error;

Value Value::of_string(const std::string &s)
{
    Value v;
    v.type = 's';
    v.text = s;
    return v;
}

Value Value::of_integer(int i)
{
    Value v;
    v.type = 'i';
    v.integer = i;
    return v;
}

Value Value::of_real(double r)
{
    Value v;
    v.type = 'r';
    v.real = r;
    return v;
}

std::string Value::to_string() const
{
    switch (type) {
    case 'i':
        return std::to_string(integer);
    case 'r': {
        std::ostringstream out;
        out.precision(17);
        out << real;
        return out.str();
    }
    default:
        return text;
    }
}

bool Value::operator==(const Value &o) const
{
    return type == o.type && text == o.text && integer == o.integer &&
           (real == o.real || (std::isnan(real) && std::isnan(o.real))) && writable == o.writable &&
           bindable == o.bindable;
}

// Notifications are gathered while the tree's mutex is held and delivered
// after it is released, so a listener may call back into the tree.
struct MemoryTree::Pending
{
    std::vector<std::function<void()>> jobs;
};

// One Dir operation: takes the mutex, logs the call, applies faults, and
// delivers the gathered notifications on the way out.
class MemoryTree::OpScope
{
public:
    OpScope(MemoryTree *tree, const char *op, MemoryDir *dir, const std::string &key,
            const std::string &value = std::string(), bool countable = true)
        : tree_(tree)
        , guard_(tree->mutex_)
    {
        tree_->record(op, dir, key, value);
        if (countable)
            tree_->check_fault(op, dir, key);
    }
    ~OpScope()
    {
        guard_.unlock();
        tree_->deliver(pending);
    }
    Pending pending;

private:
    MemoryTree *tree_;
    std::unique_lock<std::recursive_mutex> guard_;
};

// ---------------------------------------------------------------- MemoryDir

MemoryDir::MemoryDir(MemoryTree *tree, const std::string &name, const std::string &type)
    : tree_(tree)
    , name_(name)
    , type_(type)
{}

boost::shared_ptr<MemoryDir> MemoryDir::self()
{
    return boost::static_pointer_cast<MemoryDir>(shared_from_this());
}

static void require_alive(MemoryDir *dir, bool erased)
{
    (void)dir;
    if (erased)
        throw access_denied_error("folder has been erased");
}

std::string MemoryDir::name()
{
    MemoryTree::OpScope op(tree_, "name", this, "");
    return name_;
}

std::string MemoryDir::path()
{
    MemoryTree::OpScope op(tree_, "path", this, "");
    return path_unlogged();
}

std::string MemoryDir::type()
{
    MemoryTree::OpScope op(tree_, "type", this, "");
    return type_;
}

int MemoryDir::rights()
{
    MemoryTree::OpScope op(tree_, "rights", this, "");
    return rights_;
}

Settings MemoryDir::parent()
{
    MemoryTree::OpScope op(tree_, "parent", this, "");
    if (!parent_)
        return Settings();
    return parent_->self();
}

char MemoryDir::value_type(const std::string &key)
{
    MemoryTree::OpScope op(tree_, "value_type", this, key);
    auto it = keys_.find(key);
    if (it == keys_.end())
        return ' ';
    return it->second.bindable ? it->second.type : 0;
}

namespace {

void store(MemoryDir *dir, std::map<std::string, Value> &keys, const std::string &key,
           const Value &incoming)
{
    (void)dir;
    auto it = keys.find(key);
    if (it == keys.end()) {
        keys[key] = incoming;
        return;
    }
    if (!it->second.writable)
        throw access_denied_error("key '" + key + "' is read-only");
    Value v = incoming;
    v.writable = it->second.writable;
    v.bindable = it->second.bindable;
    it->second = v;
}

} // namespace

void MemoryDir::set_string(const std::string &key, const std::string &value)
{
    {
        MemoryTree::OpScope op(tree_, "set_string", this, key, value);
        require_alive(this, erased_);
        store(this, keys_, key, Value::of_string(value));
        tree_->queue_values_changed(this, op.pending);
    }
    if (tree_->write_hook_)
        tree_->write_hook_(path_unlogged(), key);
}

void MemoryDir::set_integer(const std::string &key, int value)
{
    {
        MemoryTree::OpScope op(tree_, "set_integer", this, key, std::to_string(value));
        require_alive(this, erased_);
        store(this, keys_, key, Value::of_integer(value));
        tree_->queue_values_changed(this, op.pending);
    }
    if (tree_->write_hook_)
        tree_->write_hook_(path_unlogged(), key);
}

void MemoryDir::set_double(const std::string &key, double value)
{
    {
        MemoryTree::OpScope op(tree_, "set_double", this, key, Value::of_real(value).to_string());
        require_alive(this, erased_);
        store(this, keys_, key, Value::of_real(value));
        tree_->queue_values_changed(this, op.pending);
    }
    if (tree_->write_hook_)
        tree_->write_hook_(path_unlogged(), key);
}

bool MemoryDir::key_writable(const std::string &key)
{
    MemoryTree::OpScope op(tree_, "key_writable", this, key);
    auto it = keys_.find(key);
    return !erased_ && (it == keys_.end() || it->second.writable);
}

std::string MemoryDir::get_string(const std::string &key)
{
    MemoryTree::OpScope op(tree_, "get_string", this, key);
    require_alive(this, erased_);
    auto it = keys_.find(key);
    if (it == keys_.end())
        throw access_denied_error("no key '" + key + "' in " + path_unlogged());
    return it->second.to_string();
}

int MemoryDir::get_integer(const std::string &key)
{
    MemoryTree::OpScope op(tree_, "get_integer", this, key);
    require_alive(this, erased_);
    auto it = keys_.find(key);
    if (it == keys_.end())
        throw access_denied_error("no key '" + key + "' in " + path_unlogged());
    if (it->second.type == 'i')
        return it->second.integer;
    if (it->second.type == 'r')
        return static_cast<int>(it->second.real);
    throw access_denied_error("key '" + key + "' is not a number");
}

std::string MemoryDir::get_string_or(const std::string &key, const std::string &def)
{
    MemoryTree::OpScope op(tree_, "get_string_or", this, key);
    auto it = keys_.find(key);
    return it == keys_.end() ? def : it->second.to_string();
}

int MemoryDir::get_integer_or(const std::string &key, int def)
{
    MemoryTree::OpScope op(tree_, "get_integer_or", this, key);
    auto it = keys_.find(key);
    if (it == keys_.end())
        return def;
    if (it->second.type == 'i')
        return it->second.integer;
    if (it->second.type == 'r' && std::isfinite(it->second.real) &&
        std::fabs(it->second.real) < 2e9)
        return static_cast<int>(it->second.real);
    return def;
}

double MemoryDir::get_double_or(const std::string &key, double def)
{
    MemoryTree::OpScope op(tree_, "get_double_or", this, key);
    auto it = keys_.find(key);
    if (it == keys_.end())
        return def;
    if (it->second.type == 'r')
        return it->second.real;
    if (it->second.type == 'i')
        return it->second.integer;
    return def;
}

Settings MemoryDir::subdir(const std::string &name, int create)
{
    MemoryTree::OpScope op(tree_, "subdir", this, name, std::to_string(create));
    auto it = children_.find(name);
    if (it != children_.end())
        return it->second;
    if (!create || erased_ || name.empty() || name.find('/') != std::string::npos)
        return Settings();
    return tree_->make(path_unlogged() + (parent_ ? "/" : "") + name, std::string(), op.pending)
        ->self();
}

Settings MemoryDir::cd(const std::string &name, int flags)
{
    MemoryTree::OpScope op(tree_, "cd", this, name, std::to_string(flags));
    // Server-wide folders hang off the server root, the ancestor just below
    // the tree's root.
    MemoryDir *server = this;
    while (server->parent_ && server->parent_->parent_)
        server = server->parent_;
    auto it = server->children_.find(name);
    if (it == server->children_.end())
        return Settings();
    return it->second;
}

std::vector<std::string> MemoryDir::list_keys()
{
    MemoryTree::OpScope op(tree_, "list_keys", this, "");
    std::vector<std::string> out;
    out.reserve(keys_.size());
    for (const auto &kv : keys_)
        out.push_back(kv.first);
    return out;
}

std::vector<std::string> MemoryDir::ls()
{
    MemoryTree::OpScope op(tree_, "ls", this, "");
    std::vector<std::string> out;
    out.reserve(children_.size());
    for (const auto &kv : children_)
        out.push_back(kv.first);
    return out;
}

void MemoryDir::lock()
{
    bool first = false;
    {
        MemoryTree::OpScope op(tree_, "lock", this, "");
        tree_->mutex_.lock(); // held past this scope, until unlock
        int &depth = tree_->lock_depth_[std::this_thread::get_id()];
        ++depth;
        first = tree_->lock_total_++ == 0;
    }
    if (first)
        tree_->after_first_lock();
}

void MemoryDir::unlock()
{
    MemoryTree::OpScope op(tree_, "unlock", this, "", std::string(), false);
    auto it = tree_->lock_depth_.find(std::this_thread::get_id());
    if (it == tree_->lock_depth_.end() || it->second == 0) {
        tree_->violations_.push_back("unlock without lock on " + path_unlogged());
        return;
    }
    if (--it->second == 0)
        tree_->lock_depth_.erase(it);
    --tree_->lock_total_;
    tree_->mutex_.unlock();
}

void MemoryDir::subscribe(boost::shared_ptr<Notification> listener, int mask)
{
    MemoryTree::OpScope op(tree_, "subscribe", this, "", std::to_string(mask));
    if (!listener)
        return;
    subscriptions_.erase(std::remove_if(subscriptions_.begin(), subscriptions_.end(),
                                        [](const Subscription &s) { return s.listener.expired(); }),
                         subscriptions_.end());
    subscriptions_.push_back(Subscription{listener, mask});
    if (mask & SUBDIRS) {
        Settings me = self();
        for (const auto &kv : children_) {
            Settings child = kv.second;
            op.pending.jobs.push_back([listener, me, child] { listener->subdir_added(me, child); });
        }
    }
}

std::string MemoryDir::path_unlogged() const
{
    std::string p;
    path_into(p);
    return p;
}

void MemoryDir::path_into(std::string &out) const
{
    if (erased_) {
        out = frozen_path_;
        return;
    }
    size_t length = 0;
    for (const MemoryDir *d = this; d->parent_; d = d->parent_)
        length += 1 + d->name_.size();
    if (length == 0) {
        out = "/";
        return;
    }
    // Filled from the end, without a temporary per level.
    out.assign(length, '/');
    for (const MemoryDir *d = this; d->parent_; d = d->parent_) {
        length -= d->name_.size();
        d->name_.copy(&out[length], d->name_.size());
        --length;
    }
}

// --------------------------------------------------------------- MemoryTree

MemoryTree::MemoryTree()
    : root_(new MemoryDir(this, "", ""))
    , alive_(std::make_shared<bool>(true))
{}

MemoryTree::~MemoryTree()
{
    *alive_ = false;
    // Folders may outlive the tree through references the pages still hold;
    // cut them loose so that they never call back into a dead tree.
    std::function<void(MemoryDir *)> freeze = [&](MemoryDir *d) {
        for (auto &kv : d->children_)
            freeze(kv.second.get());
        d->frozen_path_ = d->path_unlogged();
        d->erased_ = true;
        d->subscriptions_.clear();
    };
    freeze(root_.get());
    std::function<void(MemoryDir *)> cut = [&](MemoryDir *d) {
        for (auto &kv : d->children_)
            cut(kv.second.get());
        d->parent_ = nullptr;
    };
    cut(root_.get());
}

Settings MemoryTree::root()
{
    return root_;
}

MemoryDir *MemoryTree::find(const std::string &path)
{
    MemoryDir *d = root_.get();
    size_t pos = 0;
    while (pos < path.size()) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos)
            next = path.size();
        if (next > pos) {
            auto it = d->children_.find(path.substr(pos, next - pos));
            if (it == d->children_.end())
                return nullptr;
            d = it->second.get();
        }
        pos = next + 1;
    }
    return d;
}

MemoryDir *MemoryTree::make(const std::string &path, const std::string &type, Pending &pending)
{
    MemoryDir *d = root_.get();
    size_t pos = 0;
    while (pos < path.size()) {
        size_t next = path.find('/', pos);
        if (next == std::string::npos)
            next = path.size();
        if (next > pos) {
            const std::string part = path.substr(pos, next - pos);
            auto it = d->children_.find(part);
            if (it == d->children_.end()) {
                boost::shared_ptr<MemoryDir> child(new MemoryDir(this, part, std::string()));
                child->parent_ = d;
                d->children_[part] = child;
                Settings parent = d->self();
                for (const auto &sub : d->subscriptions_) {
                    if (!(sub.mask & MemoryDir::SUBDIRS))
                        continue;
                    boost::weak_ptr<MemoryDir::Notification> weak = sub.listener;
                    pending.jobs.push_back([weak, parent, child] {
                        if (auto l = weak.lock())
                            l->subdir_added(parent, child);
                    });
                }
                d = child.get();
            } else {
                d = it->second.get();
            }
        }
        pos = next + 1;
    }
    if (!type.empty())
        d->type_ = type;
    return d;
}

Settings MemoryTree::folder(const std::string &path)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    MemoryDir *d = find(path);
    return d ? d->self() : Settings();
}

Settings MemoryTree::make_folder(const std::string &path, const std::string &type)
{
    Pending pending;
    Settings out;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex_);
        out = make(path, type, pending)->self();
    }
    deliver(pending);
    return out;
}

void MemoryTree::put(const std::string &path, const std::string &key, const Value &value,
                     bool notify)
{
    Pending pending;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex_);
        MemoryDir *d = make(path, std::string(), pending);
        d->keys_[key] = value;
        if (notify)
            queue_values_changed(d, pending);
    }
    deliver(pending);
}

void MemoryTree::put_string(const std::string &path, const std::string &key,
                            const std::string &value)
{
    Value v = Value::of_string(value);
    Value old = this->value(path, key);
    v.writable = has(path, key) ? old.writable : true;
    v.bindable = has(path, key) ? old.bindable : true;
    put(path, key, v);
}

void MemoryTree::put_integer(const std::string &path, const std::string &key, int value)
{
    Value v = Value::of_integer(value);
    if (has(path, key)) {
        Value old = this->value(path, key);
        v.writable = old.writable;
        v.bindable = old.bindable;
    }
    put(path, key, v);
}

void MemoryTree::put_real(const std::string &path, const std::string &key, double value)
{
    Value v = Value::of_real(value);
    if (has(path, key)) {
        Value old = this->value(path, key);
        v.writable = old.writable;
        v.bindable = old.bindable;
    }
    put(path, key, v);
}

bool MemoryTree::has(const std::string &path, const std::string &key)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    MemoryDir *d = find(path);
    return d && d->keys_.count(key);
}

Value MemoryTree::value(const std::string &path, const std::string &key)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    MemoryDir *d = find(path);
    if (!d)
        return Value();
    auto it = d->keys_.find(key);
    return it == d->keys_.end() ? Value() : it->second;
}

std::string MemoryTree::string_value(const std::string &path, const std::string &key)
{
    return value(path, key).to_string();
}

int MemoryTree::integer_value(const std::string &path, const std::string &key)
{
    Value v = value(path, key);
    return v.type == 'r' ? static_cast<int>(v.real) : v.integer;
}

void MemoryTree::remove_key(const std::string &path, const std::string &key)
{
    Pending pending;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex_);
        MemoryDir *d = find(path);
        if (!d || !d->keys_.erase(key))
            return;
        queue_values_changed(d, pending);
    }
    deliver(pending);
}

void MemoryTree::set_writable(const std::string &path, const std::string &key, bool writable)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    if (MemoryDir *d = find(path))
        d->keys_[key].writable = writable;
}

void MemoryTree::set_bindable(const std::string &path, const std::string &key, bool bindable)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    if (MemoryDir *d = find(path))
        d->keys_[key].bindable = bindable;
}

void MemoryTree::set_rights(const std::string &path, int rights)
{
    Pending pending;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex_);
        MemoryDir *d = find(path);
        if (!d || d->rights_ == rights)
            return;
        d->rights_ = rights;
        Settings me = d->self();
        for (const auto &sub : d->subscriptions_) {
            if (!(sub.mask & MemoryDir::OWN_VALUES))
                continue;
            boost::weak_ptr<MemoryDir::Notification> weak = sub.listener;
            pending.jobs.push_back([weak, me] {
                if (auto l = weak.lock())
                    l->rights_changed(me);
            });
        }
        if (d->parent_) {
            Settings parent = d->parent_->self();
            for (const auto &sub : d->parent_->subscriptions_) {
                if (!(sub.mask & MemoryDir::SUBDIRS))
                    continue;
                boost::weak_ptr<MemoryDir::Notification> weak = sub.listener;
                pending.jobs.push_back([weak, parent, me] {
                    if (auto l = weak.lock())
                        l->subdir_rights_changed(parent, me);
                });
            }
        }
    }
    deliver(pending);
}

void MemoryTree::set_type(const std::string &path, const std::string &type)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    if (MemoryDir *d = find(path))
        d->type_ = type;
}

void MemoryTree::erase(const std::string &path)
{
    Pending pending;
    {
        std::lock_guard<std::recursive_mutex> guard(mutex_);
        MemoryDir *d = find(path);
        if (!d || !d->parent_)
            return;
        erase_locked(d, pending);
    }
    deliver(pending);
}

void MemoryTree::erase_locked(MemoryDir *d, Pending &pending)
{
    MemoryDir *parent = d->parent_;
    boost::shared_ptr<MemoryDir> keep = d->self();
    std::function<void(MemoryDir *)> mark = [&](MemoryDir *f) {
        for (auto &kv : f->children_)
            mark(kv.second.get());
        f->frozen_path_ = f->path_unlogged();
        f->erased_ = true;
        Settings me = f->self();
        for (const auto &sub : f->subscriptions_) {
            if (!(sub.mask & MemoryDir::OWN_VALUES))
                continue;
            boost::weak_ptr<MemoryDir::Notification> weak = sub.listener;
            pending.jobs.push_back([weak, me] {
                if (auto l = weak.lock())
                    l->erased(me);
            });
        }
    };
    mark(d);
    // Erased folders may outlive their parents in the pages' hands: they keep
    // their path as it was and lose the link upwards.
    std::function<void(MemoryDir *)> cut = [&](MemoryDir *f) {
        for (auto &kv : f->children_)
            cut(kv.second.get());
        f->parent_ = nullptr;
    };
    cut(d);
    parent->children_.erase(d->name_);
    Settings parent_ref = parent->self();
    for (const auto &sub : parent->subscriptions_) {
        if (!(sub.mask & MemoryDir::SUBDIRS))
            continue;
        boost::weak_ptr<MemoryDir::Notification> weak = sub.listener;
        pending.jobs.push_back([weak, parent_ref, keep] {
            if (auto l = weak.lock())
                l->subdir_removed(parent_ref, keep);
        });
    }
}

std::vector<std::string> MemoryTree::children(const std::string &path)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    std::vector<std::string> out;
    if (MemoryDir *d = find(path))
        for (const auto &kv : d->children_)
            out.push_back(kv.first);
    return out;
}

bool FolderSnapshot::operator==(const FolderSnapshot &o) const
{
    return type == o.type && rights == o.rights && keys == o.keys && folders == o.folders;
}

FolderSnapshot MemoryTree::snapshot(const std::string &path)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    std::function<FolderSnapshot(const MemoryDir *)> copy = [&](const MemoryDir *d) {
        FolderSnapshot f;
        f.type = d->type_;
        f.rights = d->rights_;
        f.keys = d->keys_;
        for (const auto &kv : d->children_)
            f.folders[kv.first] = copy(kv.second.get());
        return f;
    };
    MemoryDir *d = find(path);
    return d ? copy(d) : FolderSnapshot();
}

void MemoryTree::drop_listeners()
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    std::function<void(MemoryDir *)> drop = [&](MemoryDir *d) {
        d->subscriptions_.clear();
        for (auto &kv : d->children_)
            drop(kv.second.get());
    };
    drop(root_.get());
}

void MemoryTree::set_write_hook(WriteHook hook)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    write_hook_ = std::move(hook);
}

std::vector<Call> MemoryTree::calls() const
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    std::vector<Call> out(calls_.begin() + static_cast<long>(oldest_call_), calls_.end());
    out.insert(out.end(), calls_.begin(), calls_.begin() + static_cast<long>(oldest_call_));
    return out;
}

void MemoryTree::clear_calls()
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    calls_.clear();
    oldest_call_ = 0;
    last_call_ = nullptr;
}

std::vector<Call> MemoryTree::calls_of(const std::string &op) const
{
    std::vector<Call> out = calls();
    out.erase(std::remove_if(out.begin(), out.end(), [&](const Call &c) { return c.op != op; }),
              out.end());
    return out;
}

void MemoryTree::set_call_log_size(size_t size)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    std::vector<Call> kept = calls();
    if (kept.size() > size)
        kept.erase(kept.begin(), kept.end() - static_cast<long>(size));
    calls_.swap(kept);
    calls_.shrink_to_fit();
    oldest_call_ = 0;
    last_call_ = nullptr;
    call_log_size_ = size;
}

long MemoryTree::countable_calls() const
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    return countable_;
}

void MemoryTree::fail_calls(const FaultRule &rule)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    rules_.push_back(rule);
}

void MemoryTree::fail_nth_call(long n, const std::string &message)
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    fail_at_ = n > 0 ? countable_ + n : 0;
    fail_at_message_ = message;
}

void MemoryTree::clear_faults()
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    rules_.clear();
    fail_at_ = 0;
}

long MemoryTree::faults_raised() const
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    return faults_raised_;
}

int MemoryTree::lock_balance() const
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    return lock_total_;
}

std::vector<std::string> MemoryTree::lock_violations() const
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    return violations_;
}

void MemoryTree::clear_lock_violations()
{
    std::lock_guard<std::recursive_mutex> guard(mutex_);
    violations_.clear();
}

void MemoryTree::record(const char *op, MemoryDir *dir, const std::string &key,
                        const std::string &value)
{
    last_call_ = nullptr;
    if (call_log_size_ == 0)
        return;
    if (calls_.size() < call_log_size_) {
        calls_.emplace_back();
        last_call_ = &calls_.back();
    } else {
        // The oldest call's strings are overwritten in place: no allocation
        // once the ring has gone round.
        last_call_ = &calls_[oldest_call_];
        oldest_call_ = (oldest_call_ + 1) % calls_.size();
    }
    last_call_->op.assign(op);
    dir->path_into(last_call_->path);
    last_call_->key.assign(key);
    last_call_->value.assign(value);
    // A slot that once held a long value gives the memory back.
    if (last_call_->value.capacity() > 4 * value.size() + 256)
        last_call_->value.shrink_to_fit();
}

void MemoryTree::check_fault(const char *op, MemoryDir *dir, const std::string &key)
{
    ++countable_;
    std::string message;
    bool fail = false;
    if (fail_at_ && countable_ == fail_at_) {
        fail = true;
        message = fail_at_message_;
        fail_at_ = 0;
    }
    for (auto &rule : rules_) {
        if (fail || rule.times == 0)
            continue;
        if (!rule.op.empty() && rule.op != op)
            continue;
        if (!rule.key.empty() && rule.key != key)
            continue;
        if (!rule.path.empty() && dir->path_unlogged().find(rule.path) == std::string::npos)
            continue;
        if (rule.times > 0)
            --rule.times;
        fail = true;
        message = rule.message;
    }
    if (!fail)
        return;
    ++faults_raised_;
    if (last_call_)
        last_call_->value = "<refused>";
    throw access_denied_error(message);
}

void MemoryTree::queue_values_changed(MemoryDir *d, Pending &pending)
{
    Settings me = d->self();
    for (const auto &sub : d->subscriptions_) {
        if (!(sub.mask & MemoryDir::OWN_VALUES))
            continue;
        boost::weak_ptr<MemoryDir::Notification> weak = sub.listener;
        pending.jobs.push_back([weak, me] {
            if (auto l = weak.lock())
                l->values_changed(me);
        });
    }
}

void MemoryTree::deliver(Pending &pending)
{
    for (auto &job : pending.jobs)
        job();
    pending.jobs.clear();
}

void MemoryTree::after_first_lock()
{
    // A lock still held when control returns to the event loop is a series
    // left open (or one held across a dialog): check on the next turn of the
    // loop of the thread that took it.
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    std::weak_ptr<bool> alive = alive_;
    QMetaObject::invokeMethod(
        app,
        [this, alive] {
            auto a = alive.lock();
            if (!a || !*a)
                return;
            std::lock_guard<std::recursive_mutex> guard(mutex_);
            if (lock_total_ > 0)
                violations_.push_back("lock held when control returned to the event loop");
        },
        Qt::QueuedConnection);
}

} // namespace memory_host

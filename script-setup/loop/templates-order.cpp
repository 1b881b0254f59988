#include "script-setup/loop/templates-order.h"

#include "utils/folder-lock.h"
#include "utils/logging.h"

#include <algorithm>
#include <climits>

namespace loop {
namespace {

std::vector<std::string> split(const std::string &text, char separator, bool compress)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type end = text.find(separator, start);
        const std::string part = text.substr(start, end - start);
        if (!compress || !part.empty())
            parts.push_back(part);
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

bool parse_int32(const std::string &field, int *value, std::string *error)
{
    std::string::size_type i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        negative = field[i++] == '-';
    if (i == field.size()) {
        *error = "'" + field + "' is not a number";
        return false;
    }
    long long n = 0;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c < '0' || c > '9') {
            *error = "'" + field + "' is not a number";
            return false;
        }
        n = n * 10 + (c - '0');
        if (n > static_cast<long long>(INT_MAX) + 1) {
            *error = "'" + field + "' is out of range";
            return false;
        }
    }
    if (negative)
        n = -n;
    if (n > INT_MAX) {
        *error = "'" + field + "' is out of range";
        return false;
    }
    *value = static_cast<int>(n);
    return true;
}

TemplatesOrder parse_templates_order(const std::string &text, size_t max_entries)
{
    TemplatesOrder order;
    // Token by token, so that a bounded read never looks past its bound.
    // Runs of spaces separate nothing: they are not empty elements.
    for (std::string::size_type start = text.find_first_not_of(' '); start != std::string::npos;
         start = text.find_first_not_of(' ', start)) {
        if (order.entries.size() == max_entries) {
            order.too_long = true;
            return order;
        }
        const std::string::size_type end = std::min(text.find(' ', start), text.size());
        const std::string token = text.substr(start, end - start);
        start = end;
        std::vector<std::string> fields = split(token, ':', false);
        if (fields.size() == 2)
            fields.push_back("0");
        if (fields.size() != 3) {
            order.fault = TemplatesOrder::BAD_FIELDS;
            return order;
        }
        LoopEntry entry;
        entry.guid = QByteArray::fromStdString(fields[0]);
        if (!parse_int32(fields[1], &entry.seconds, &order.error) ||
            !parse_int32(fields[2], &entry.kind, &order.error)) {
            order.fault = TemplatesOrder::BAD_NUMBER;
            return order;
        }
        order.entries.push_back(entry);
    }
    return order;
}

std::string format_templates_order(const std::vector<LoopEntry> &entries)
{
    std::string text;
    for (const LoopEntry &e : entries) {
        if (!text.empty())
            text += ' ';
        text +=
            e.guid.toStdString() + ':' + std::to_string(e.seconds) + ':' + std::to_string(e.kind);
    }
    return text;
}

int clamp_seconds(int seconds)
{
    return std::clamp(seconds, 1, 60);
}

std::vector<LoopEntry> loop_rows(const TemplatesOrder &order)
{
    std::vector<LoopEntry> rows;
    for (LoopEntry entry : order.entries)
        if (entry.kind == TEMPLATE || entry.kind == CHANNEL) {
            entry.seconds = clamp_seconds(entry.seconds);
            rows.push_back(entry);
        }
    return rows;
}

std::string load_templates_order(const Settings &folder,
                                 const std::function<void(const LoopEntry &)> &add)
{
    std::string text;
    try {
        FolderLock guard(folder);
        text = folder->get_string("templates_order");
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: setup-loop: cannot read template: %s\n", e.what());
        return std::string();
    }
    const TemplatesOrder order = parse_templates_order(text, max_loop_elements);
    for (const LoopEntry &entry : order.entries)
        if (entry.kind == TEMPLATE || entry.kind == CHANNEL)
            add(entry);
    if (order.fault == TemplatesOrder::BAD_FIELDS)
        VX_LOG(2, "GUI: setup-loop: badly formatted templates order\n");
    else if (order.fault == TemplatesOrder::BAD_NUMBER)
        VX_LOG(2, "GUI: setup-loop: badly formatted templates order: %s\n", order.error.c_str());
    if (!order.too_long)
        return std::string();
    VX_LOG(2, "GUI: setup-loop: templates order too long, only its first %zu elements are shown\n",
           max_loop_elements);
    return text;
}

} // namespace loop

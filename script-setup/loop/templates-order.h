#pragma once
// The stored element list of a template loop, "templates_order": one
// "guid:seconds:kind" token per element, joined by single spaces. The earlier
// two-field form "guid:seconds" reads as a template.

#include "plugin/rizurividuvez.h"

#include <QByteArray>
#include <functional>
#include <string>
#include <vector>

namespace loop {

enum ElementKind { TEMPLATE = 0, CHANNEL = 1 };

struct LoopEntry
{
    QByteArray guid;
    int seconds = 5;
    int kind = TEMPLATE;
    bool operator==(const LoopEntry &o) const
    {
        return guid == o.guid && seconds == o.seconds && kind == o.kind;
    }
};

struct TemplatesOrder
{
    enum Fault { NONE, BAD_FIELDS, BAD_NUMBER };
    std::vector<LoopEntry> entries; // every token read before a fault, any kind
    Fault fault = NONE;
    std::string error;     // what the failed number conversion said
    bool too_long = false; // more elements follow the last one read
};

// The most elements a loop page shows: opening stays quick however long the
// stored order is, and a longer order is reported instead.
constexpr size_t max_loop_elements = 1000;

// Reads at most max_entries elements and looks at nothing after them.
TemplatesOrder parse_templates_order(const std::string &text,
                                     size_t max_entries = static_cast<size_t>(-1));
std::string format_templates_order(const std::vector<LoopEntry> &entries);

// A 32-bit signed decimal: optional sign, digits only, the whole field.
bool parse_int32(const std::string &field, int *value, std::string *error);

// The seconds a row can show.
int clamp_seconds(int seconds);

// The entries a page shows as rows: templates and channels, seconds clamped.
std::vector<LoopEntry> loop_rows(const TemplatesOrder &order);

// Reads "templates_order" from the loop's folder in one locked series, logs a
// refused read or a malformed value, and hands on every template and channel
// entry read before the fault, in order, up to max_loop_elements. Other kinds
// are skipped. Returns the stored text when it holds more elements than
// that (the caller keeps it), else nothing.
std::string load_templates_order(const Settings &folder,
                                 const std::function<void(const LoopEntry &)> &add);

} // namespace loop

#pragma once
// Internal to the rule script generator: the state of one generation and
// the action chain written into it.

#include "script-setup/rule/code-writer.h"
#include "script-setup/rule/rule.h"

#include <set>
#include <vector>

namespace rule {
namespace detail {

struct Generation
{
    CodeWriter writer;
    std::set<QString> imports;
    bool task_locker = false;
    bool sound = false;
    bool export_wait = false;
    bool decode = false;
    bool months = false;
    bool time_called_set = false;
    // A report beside an export or screenshot: "import time" would lose to
    // "from time import time", so the report calls mktime by itself.
    bool time_name_taken = false;
};

// Each action's function, chained from where the writer stands.
void write_action_chain(Generation &g, const Rule &rule);

// Fills %1 ... %9 in one pass; the values are not scanned again.
QString fill(const char *format, const std::vector<QString> &values);

} // namespace detail
} // namespace rule

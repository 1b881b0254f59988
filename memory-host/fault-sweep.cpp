#include "memory-host/fault-sweep.h"

#include "utils/logging.h"

#include <QCoreApplication>
#include <sstream>

namespace memory_host {
namespace {

void settle()
{
    // Queued signals and deferred deletes of the run, and the lock check the
    // tree posts, all happen here.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

const Call *refused_call(const std::vector<Call> &calls)
{
    for (const auto &c : calls)
        if (c.value == "<refused>")
            return &c;
    return nullptr;
}

} // namespace

std::string FaultSweepReport::summary() const
{
    std::ostringstream out;
    out << calls << " host calls swept";
    if (calls == 0)
        out << " (the clean run made no host call)";
    for (const auto &f : failures)
        out << "\n  " << f;
    return out.str();
}

FaultSweepReport FaultSweep::run() const
{
    FaultSweepReport report;
    {
        std::unique_ptr<MemoryHost> host = make_host();
        logging_facility::set_sink(host->log_sink());
        const long before = host->tree().countable_calls();
        const bool answers = scenario(*host);
        settle();
        report.calls = host->tree().countable_calls() - before;
        if (!answers)
            report.failures.push_back("the clean run: the page does not answer");
        if (host->tree().lock_balance() != 0 || !host->tree().lock_violations().empty())
            report.failures.push_back("the clean run: unbalanced lock");
        logging_facility::set_sink({});
    }
    for (long n = 1; n <= report.calls && n <= max_runs; ++n) {
        std::unique_ptr<MemoryHost> host = make_host();
        logging_facility::set_sink(host->log_sink());
        host->tree().clear_calls();
        host->tree().fail_nth_call(n);
        const bool answers = scenario(*host);
        settle();
        MemoryTree &tree = host->tree();
        const std::vector<Call> calls = tree.calls();
        const Call *refused = refused_call(calls);
        std::ostringstream where;
        where << "call " << n;
        if (refused)
            where << " (" << refused->op << " " << refused->path
                  << (refused->key.empty() ? "" : " '" + refused->key + "'") << ")";
        const std::string at = where.str();
        if (!refused) {
            // A run that takes a different road may make fewer calls; that is
            // only worth a note when nothing failed at all.
            logging_facility::set_sink({});
            continue;
        }
        if (!answers)
            report.failures.push_back(at + ": the page does not answer");
        if (tree.lock_balance() != 0)
            report.failures.push_back(at + ": lock still held");
        for (const auto &v : tree.lock_violations())
            report.failures.push_back(at + ": " + v);
        if (host->log().max_level() < 2 && !(silent_ok && silent_ok(*refused)))
            report.failures.push_back(at + ": nothing logged at level 2 or more");
        logging_facility::set_sink({});
    }
    return report;
}

} // namespace memory_host

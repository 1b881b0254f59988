#include "utils/logging.h"

#include "plugin/host.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace logging_facility {
namespace {

std::mutex &facility_mutex()
{
    static std::mutex m;
    return m;
}

boost::shared_ptr<Rizurividuvez::LogSink> &current_sink()
{
    static boost::shared_ptr<Rizurividuvez::LogSink> s;
    return s;
}

std::string vformat(const char *format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    char small[512];
    const int needed = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (needed < 0)
        return std::string(format);
    if (static_cast<size_t>(needed) < sizeof small)
        return std::string(small, static_cast<size_t>(needed));
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(&out[0], out.size(), format, args);
    out.resize(static_cast<size_t>(needed));
    return out;
}

} // namespace

void set_sink(boost::shared_ptr<Rizurividuvez::LogSink> sink)
{
    std::lock_guard<std::mutex> guard(facility_mutex());
    current_sink().swap(sink);
}

boost::shared_ptr<Rizurividuvez::LogSink> sink()
{
    std::lock_guard<std::mutex> guard(facility_mutex());
    return current_sink();
}

void log(int level, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string line = vformat(format, args);
    va_end(args);

    // The sink is written outside the mutex so that a slow sink never blocks
    // a thread that only swaps it.
    boost::shared_ptr<Rizurividuvez::LogSink> target = sink();
    if (target) {
        try {
            target->write(level, line);
            return;
        } catch (...) {
            // A failing sink must not take the page down; fall back to stderr.
        }
    }
    std::fprintf(stderr, "[%d] %s", level, line.c_str());
}

} // namespace logging_facility

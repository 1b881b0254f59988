#pragma once
// The plug-in's logging facility. Lines carry a level (1 information, 2 a
// failure or malformed data, 3 a severe failure) and a printf-style format
// ending in "\n". Until the host hands over its sink, lines go to stderr.

#include <boost/shared_ptr.hpp>

namespace Rizurividuvez {
class LogSink;
}

namespace logging_facility {

enum Level { INFO = 1, FAILURE = 2, SEVERE = 3 };

// Swaps the sink under the facility's mutex; an empty sink means stderr.
void set_sink(boost::shared_ptr<Rizurividuvez::LogSink> sink);
boost::shared_ptr<Rizurividuvez::LogSink> sink();

void log(int level, const char *format, ...) __attribute__((format(printf, 2, 3)));

} // namespace logging_facility

#define VX_LOG(level, ...) ::logging_facility::log((level), __VA_ARGS__)

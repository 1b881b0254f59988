#pragma once
// How a trace entry reads in the trace pane: one sentence per entry, with
// its virtual time; what was only recorded says so.

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace sandbox {

// "12.500 s"
QString trace_time(const QJsonObject &entry);
QString trace_sentence(const QJsonObject &entry);
// Lines shown under the entry: a mail's body and attachments.
QStringList trace_details(const QJsonObject &entry);
// The heading of a run, from the entry that started it.
QString run_heading(const QJsonObject &first);

} // namespace sandbox

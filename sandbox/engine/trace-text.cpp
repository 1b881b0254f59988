#include "sandbox/engine/trace-text.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>

namespace sandbox {
namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("TracePane", text);
}

QString shown(const QJsonValue &v)
{
    if (v.isString())
        return QStringLiteral("'%1'").arg(v.toString());
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    if (v.isBool())
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (v.isNull() || v.isUndefined())
        return QStringLiteral("None");
    if (v.isArray()) {
        QStringList items;
        for (const QJsonValue &item : v.toArray())
            items << shown(item);
        return '[' + items.join(QStringLiteral(", ")) + ']';
    }
    return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
}

QString arguments(const QJsonValue &args)
{
    QStringList items;
    for (const QJsonValue &item : args.toArray())
        items << (item.toString().startsWith('<') ? item.toString() : shown(item));
    return items.join(QStringLiteral(", "));
}

QString fired(const QJsonObject &e)
{
    const QString kind = e["kind"].toString();
    if (kind == "event")
        return tr("event %1 on %2").arg(e["type"].toString(), e["ids"].toArray().last().toString());
    if (kind == "state")
        return tr("state of %1: %2")
            .arg(e["ids"].toArray().last().toString(),
                 QString::fromUtf8(
                     QJsonDocument(e["state"].toObject()).toJson(QJsonDocument::Compact)));
    if (kind == "action")
        return tr("a run as an action");
    if (kind == "settings")
        return tr("a change in %1").arg(e["key"].toString());
    const QString key = e["key"].toString();
    return key.isEmpty() ? kind : QStringLiteral("%1 %2").arg(kind, key);
}

} // namespace

QString trace_time(const QJsonObject &entry)
{
    return QStringLiteral("%1 s").arg(entry["at"].toDouble() / 1000.0, 0, 'f', 3);
}

QString trace_sentence(const QJsonObject &e)
{
    const QString what = e["what"].toString();
    if (what == "load")
        return tr("loaded and ran the script's top level");
    if (what == "fire")
        return tr("activated by %1").arg(fired(e));
    if (what == "unheard")
        return tr("nothing is registered for %1").arg(fired(e));
    if (what == "enter")
        return tr("enters %1() (line %2)").arg(e["function"].toString()).arg(e["line"].toInt());
    if (what == "call")
        return e.contains("object")
                   ? tr("calls %1.%2(%3)")
                         .arg(e["object"].toString(), e["function"].toString(),
                              arguments(e["args"]))
                   : tr("calls %1(%2)").arg(e["function"].toString(), arguments(e["args"]));
    if (what == "wait")
        return tr("waits %1 s, then %2").arg(e["ms"].toDouble() / 1000.0).arg(e["then"].toString());
    if (what == "read")
        return e["found"].toBool(true)
                   ? tr("reads %1 [%2] = %3")
                         .arg(e["path"].toString(), e["key"].toString(), shown(e["value"]))
                   : tr("reads %1 [%2]: no such key")
                         .arg(e["path"].toString(), e["key"].toString());
    if (what == "write")
        return tr("writes %1 [%2] = %3")
            .arg(e["path"].toString(), e["key"].toString(), shown(e["value"]));
    if (what == "state")
        return tr("reads the state %1 of %2: %3")
            .arg(e["key"].toString(), e["object"].toString(), shown(e["value"]));
    if (what == "file")
        return tr("wrote %1 (a placeholder of %2 bytes)")
            .arg(e["path"].toString())
            .arg(e["bytes"].toInt());
    if (what == "mail")
        return tr("e-mail recorded, not sent: account %1 to %2, subject '%3', %4 attachment(s)")
            .arg(e["account_name"].toString(e["account"].toString()), arguments(e["recipients"]),
                 e["subject"].toString())
            .arg(e["attachments"].toArray().size());
    if (what == "sound")
        return tr("sound %1 recorded, not played").arg(e["file"].toString());
    if (what == "alert")
        return tr("alert: %1").arg(e["text"].toString());
    if (what == "message")
        return tr("message: %1").arg(e["text"].toString());
    if (what == "print")
        return tr("prints: %1").arg(e["text"].toString());
    if (what == "lock") {
        const QString state = e["state"].toString();
        if (state == "taken")
            return tr("task lock taken");
        if (state == "released")
            return tr("task lock released");
        return tr("the rule is still running: this activation does nothing");
    }
    if (what == "note")
        return e["text"].toString();
    if (what == "error")
        return e["line"].toInt() > 0
                   ? tr("error at line %1: %2").arg(e["line"].toInt()).arg(e["message"].toString())
                   : tr("error: %1").arg(e["message"].toString());
    if (what == "end")
        return tr("run ended");
    return what;
}

QStringList trace_details(const QJsonObject &e)
{
    QStringList out;
    if (e["what"].toString() != "mail")
        return out;
    for (const QString &line : e["body"].toString().split('\n'))
        out << tr("body: %1").arg(line);
    for (const QJsonValue &a : e["attachments"].toArray())
        out << (a["bytes"].isDouble() ? tr("attached: %1 (%2 bytes)")
                                            .arg(a["path"].toString())
                                            .arg(a["bytes"].toInt())
                                      : tr("not attached, missing: %1").arg(a["path"].toString()));
    return out;
}

QString run_heading(const QJsonObject &first)
{
    const QString what = first["what"].toString();
    QString how = what == "load"   ? tr("loading")
                  : what == "fire" ? fired(first)
                                   : trace_sentence(first);
    return tr("Run %1 · %2 · %3").arg(first["run"].toInt()).arg(first["name"].toString(), how);
}

} // namespace sandbox

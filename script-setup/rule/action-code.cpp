#include "script-setup/rule/action-code.h"

#include "script-setup/loop/loop-script.h"
#include "script-setup/rule/rule-script.h"
#include "utils/logging.h"
#include "utils/python-literal.h"
#include "utils/text.h"

#include <QCoreApplication>
#include <QRegExp>

namespace rule {
namespace detail {
namespace {

const char *const SHOTS_PATH = "shots_path = settings('system_wide_options')['screenshots_folder']";

// The text inside a "..." or '...' literal.
QString dq(const QString &text)
{
    return python_escaped(text, '"');
}

QString sq(const QString &text)
{
    return python_escaped(text, '\'');
}

QString quoted_list(const QStringList &items, char quote)
{
    QStringList parts;
    for (const QString &item : items)
        parts << QLatin1Char(quote) + python_escaped(item, quote) + QLatin1Char(quote);
    return QLatin1Char('[') + parts.join(QLatin1String(", ")) + QLatin1Char(']');
}

QString fn(int main_index, int sub_index)
{
    return generate_readable_function_name(main_index, sub_index);
}

void add_imports(Generation &g, std::initializer_list<const char *> lines)
{
    for (const char *line : lines)
        g.imports.insert(QString::fromLatin1(line));
}

bool takes_time_name(const Action &a)
{
    return a.code == EXPORT_VIDEO ||
           (a.code == TAKE_SCREENSHOT && !a.channel.isEmpty() && !a.channel_name.isEmpty());
}

void call_method(Generation &g, const Action &a)
{
    QStringList values;
    for (const MethodParameter &p : a.parameters)
        values << p.value;
    g.writer.add(
        fill("object(\"%1\").%2(%3)", {dq(a.object), a.method, values.join(QLatin1Char(','))}));
}

void wait(Generation &g, const Action &a, int i)
{
    g.writer.add(
        fill("timeout(%1 * 1000, lambda: %2(lock))", {QString::number(a.seconds), fn(i, 1)}));
    g.writer.to_top();
    g.writer.add(fill("def %1(lock):", {fn(i, 1)}));
}

void play_sound(Generation &g, const Action &a)
{
    g.sound = true;
    // A raw literal cannot hold a quote or end in a backslash.
    if (python_raw_safe(a.sound))
        g.writer.add(fill("play_sound(r\"%1\")", {a.sound}));
    else
        g.writer.add(fill("play_sound(\"%1\")", {dq(a.sound)}));
}

// The channel and server identifiers of a "<channel>_<server>" reference;
// the page's server identifier decides when either part holds "_".
bool split_channel(const QString &reference, const QString &server, QString *channel,
                   QString *server_id)
{
    const QString suffix = QLatin1Char('_') + server;
    if (!server.isEmpty() && reference.endsWith(suffix) && reference.size() > suffix.size()) {
        *channel = reference.left(reference.size() - suffix.size());
        *server_id = server;
        return true;
    }
    const QStringList parts = reference.split(QLatin1Char('_'));
    if (parts.size() == 2 && !parts[0].isEmpty() && !parts[1].isEmpty()) {
        *channel = parts[0];
        *server_id = parts[1];
        return true;
    }
    const std::string first = to_utf8(parts.value(0, QStringLiteral("(not set)")));
    const std::string second = to_utf8(parts.value(1, QStringLiteral("(not set)")));
    VX_LOG(logging_facility::FAILURE,
           "QSetupRule: generate_script(EXPORT_VIDEO), expected to have channel and server guid, "
           "expectation failed; channel_guid: '%s', server_guid: '%s'\n",
           first.c_str(), second.c_str());
    return false;
}

void export_video(Generation &g, const Rule &rule, const Action &a, int i)
{
    add_imports(g, {"from time import time", "from time import localtime",
                    "from time import strftime", "from os import path", "exported_files = {}"});
    g.export_wait = g.decode = true;
    QString channel, server;
    if (!split_channel(a.channel, rule.server_name, &channel, &server))
        return;
    CodeWriter &w = g.writer;
    w.add(QStringLiteral("t = time()"));
    w.add(fill("t1 = '%.0f' % ((t-%1)*1000000)", {QString::number(a.seconds)}));
    w.add(QStringLiteral("t2 = '%.0f' % (t*1000000)"));
    w.add(QLatin1String(SHOTS_PATH));
    w.add(fill("filename = '%1_' + strftime('%Y%m%d_%H%M%S', localtime(t)) + '.avi'",
               {sq(a.channel_name)}));
    w.add(QStringLiteral("filename = shots_path + '/' + filename"));
    w.add(fill("exported_files[\"%1\"] = filename", {dq(a.output_name)}));
    w.add(QStringLiteral(
        "prebuffer = '%.0f' % ((t + settings(\"archive\")[\"prebuffer\"] + 2)*1000000)"));
    w.add(
        fill("%1(lock, t1, t2, prebuffer, filename, lambda lock: %2(lock))", {fn(i, 1), fn(i, 2)}));
    w.to_top();
    w.add(fill("def %1(lock, t1, t2, postpone_ts, filename, callback):", {fn(i, 1)}));
    w.add(fill("# ACTION_%1", {QString::number(i)}));
    w.add(QStringLiteral("prefer_substream = ") +
          (a.substream ? QStringLiteral("True") : QStringLiteral("False")));
    w.add(QStringLiteral("options = {\"prefer_substream\":prefer_substream, "
                         "\"postponed_until_ts\":postpone_ts}"));
    w.add(fill("archive_export(\"%1\", \"%2\", filename, t1, t2, options, lambda status: "
               "export_wait(lock, status, filename, callback))",
               {dq(server), dq(channel)}));
    w.to_top();
    w.add(fill("def %1(lock):", {fn(i, 2)}));
    w.add(QStringLiteral("pass"));
}

void change_settings(Generation &g, const Action &a)
{
    const int end = a.setting.indexOf(QLatin1String(" :"));
    const QString path = end < 0 ? a.setting : a.setting.left(end);
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return;
    g.writer.add(fill("settings(\"%1\")[\"%2\"] = %3",
                      {dq(path.left(slash)), dq(path.mid(slash + 1)), a.setting_value}));
}

void send_email(Generation &g, const Action &a)
{
    g.decode = true;
    CodeWriter &w = g.writer;
    w.add(QStringLiteral("message_text = '''") + python_triple_quoted(a.message) +
          QStringLiteral("'''"));
    w.add(QStringLiteral("guids_to_send =") + quoted_list(a.attachments, '\''));
    w.add(QStringLiteral("files_to_send = []"));
    w.add(QStringLiteral("for g in guids_to_send:"));
    w.add(QStringLiteral("filename = exported_files[g]"));
    w.add(QStringLiteral("if path.exists(decode(filename)):"));
    w.add(QStringLiteral("files_to_send.append(filename)"));
    w.add(QStringLiteral("else:"));
    const QString missing =
        QCoreApplication::translate("QSetupRule", "ERROR: e-mail attachment '%s' not found");
    w.add(fill("message_text += \"\\n%1\" % filename", {dq(missing)}));
    w.dedent();
    w.dedent();
    const QStringList recipients = a.recipients.split(QRegExp(QStringLiteral("[, ]+")));
    w.add(fill("send_mail_from_account(\"%1\", %2, \"%3\", message_text, files_to_send)",
               {dq(a.account), quoted_list(recipients, '"'), dq(a.subject)}));
}

void take_screenshot(Generation &g, const Rule &rule, int i)
{
    const Action &a = rule.actions[size_t(i)];
    if (a.channel_name.isEmpty() || a.channel.isEmpty())
        return;
    add_imports(g, {"from os import path", "from time import time", "from time import localtime",
                    "from time import strftime", "exported_files = {}", "time_called = 0"});
    CodeWriter &w = g.writer;
    if (!g.time_called_set) {
        w.add(QStringLiteral("global time_called"));
        w.add(QStringLiteral("time_called = time()"));
        g.time_called_set = true;
    }
    w.add(fill("mytime = time_called - %1", {QString::number(a.seconds)}));
    w.add(a.seconds != 0 ? QStringLiteral("timestamp = '%.0f' % (mytime*1000000)")
                         : QStringLiteral("timestamp = '0'"));
    w.add(QLatin1String(SHOTS_PATH));
    w.add(fill("filename = '%1_' + strftime('%Y%m%d_%H%M%S', localtime(mytime)) + '.jpg'",
               {sq(a.channel_name)}));
    w.add(QStringLiteral("filepath = shots_path + '/' + filename"));
    w.add(fill("exported_files[\"%1\"] = filepath", {dq(a.output_name)}));
    w.add(fill("screenshot_v2('%1', filename, shots_path, timestamp)", {sq(a.channel)}));
    // The e-mail that follows is sent a second later, once the file exists.
    for (size_t j = size_t(i) + 1; j < rule.actions.size(); ++j) {
        if (rule.actions[j].code == TAKE_SCREENSHOT)
            break;
        if (rule.actions[j].code == SEND_EMAIL) {
            w.add(fill("timeout(1000, lambda: %1(lock))", {fn(i, 1)}));
            w.to_top();
            w.add(fill("def %1(lock):", {fn(i, 1)}));
            w.add(fill("# ACTION_%1", {QString::number(i)}));
            break;
        }
    }
}

void pos_report(Generation &g, const Action &a, int i)
{
    g.months = true;
    const QString mktime =
        g.time_name_taken ? QStringLiteral("mktime") : QStringLiteral("time.mktime");
    add_imports(
        g, {"import datetime", "import calendar", "from os import path", "exported_files = {}"});
    add_imports(g, {g.time_name_taken ? "from time import mktime" : "import time"});
    const int days = a.interval == 0 ? 1 : a.interval == 1 ? 7 : 0;
    CodeWriter &w = g.writer;
    w.add(QStringLiteral("t = datetime.datetime.now()"));
    w.add(fill("to = int(%1(t.timetuple()))*1000000", {mktime}));
    const QString start = days > 0
                              ? fill("to-60*60*24*1000000*%1", {QString::number(days)})
                              : fill("int(%1(add_months(t, -1).timetuple()))*1000000", {mktime});
    w.add(fill("generate_pos_report(%1, str(%2), str(%3), %4);",
               {QString::number(a.report), start, QStringLiteral("to"), fn(i, 1)}));
    w.dedent();
    w.add(fill("def %1(r):", {fn(i, 1)}));
    w.add(QLatin1String(SHOTS_PATH));
    w.add(QStringLiteral("filename = 'report_' + "
                         "datetime.datetime.now().strftime(\"%Y%m%d_%H%M%S.%f\")[:-3] + '.ods'"));
    w.add(QStringLiteral("filepath = shots_path + '/' + filename"));
    w.add(fill("exported_files[\"%1\"] = filepath", {dq(a.output_name)}));
    w.add(QStringLiteral("try:"));
    w.add(QStringLiteral("f = open(filepath, 'wb')"));
    w.add(QStringLiteral("f.write(r.zipped_report)"));
    w.add(QStringLiteral("f.close()"));
    w.dedent();
    w.add(QStringLiteral("except IOError:"));
    w.add(QStringLiteral("message('Report not sent: IOError')"));
    w.dedent();
    w.add(QStringLiteral("global lock"));
}

} // namespace

QString fill(const char *format, const std::vector<QString> &values)
{
    return loop::substitute_once(QString::fromLatin1(format), values);
}

void write_action_chain(Generation &g, const Rule &rule)
{
    bool report = false, time_name = false;
    for (const Action &a : rule.actions) {
        report |= a.code == POS_REPORT;
        time_name |= takes_time_name(a);
    }
    g.time_name_taken = report && time_name;

    for (size_t n = 0; n < rule.actions.size(); ++n) {
        const int i = int(n);
        const Action &a = rule.actions[n];
        g.writer.add(fill("%1(lock)", {fn(i, 0)}));
        g.writer.to_top();
        g.writer.add(fill("def %1(lock):", {fn(i, 0)}));
        g.writer.add(fill("# ACTION_%1", {QString::number(i)}));
        switch (a.code) {
        case CALL_METHOD:
            call_method(g, a);
            break;
        case WAIT:
            wait(g, a, i);
            break;
        case PLAY_SOUND:
            play_sound(g, a);
            break;
        case EXPORT_VIDEO:
            export_video(g, rule, a, i);
            break;
        case CHANGE_SETTINGS:
            change_settings(g, a);
            break;
        case SEND_EMAIL:
            send_email(g, a);
            break;
        case TAKE_SCREENSHOT:
            take_screenshot(g, rule, i);
            break;
        case POS_REPORT:
            pos_report(g, a, i);
            break;
        default:
            break;
        }
    }
    // The last function may be left without a statement (a wait, an action
    // that had nothing to do).
    if (!g.writer.open_block_has_body())
        g.writer.add(QStringLiteral("pass"));
}

} // namespace detail
} // namespace rule

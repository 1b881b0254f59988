#include "script-setup/rule/rule-script.h"

#include "script-setup/rule/action-code.h"
#include "script-setup/rule/rule-texts.h"
#include "script-setup/rule/variable-names.h"
#include "utils/python-literal.h"

namespace rule {
namespace {

using detail::fill;
using detail::Generation;

// The import set in the order the script lists it.
const char *const IMPORT_ORDER[] = {"import datetime",           "import time",
                                    "import calendar",           "from time import mktime",
                                    "from time import time",     "from time import localtime",
                                    "from time import strftime", "from os import path",
                                    "exported_files = {}",       "time_called = 0"};

const char *const TASK_LOCKER = "\nclass TaskLocker:\n"
                                "\tdef __init__(self%1):\n"
                                "\t\tglobal lock\n"
                                "\t\tif lock:\n"
                                "\t\t\tself.have_lock = False\n"
                                "\t\t\treturn\n"
                                "\t\telse:\n"
                                "\t\t\tself.have_lock = True\n"
                                "\t\t\tlock = True\n"
                                "\t\t\tstart(self%1)\n"
                                "\n"
                                "\tdef __del__(self):\n"
                                "\t\tif self.have_lock:\n"
                                "\t\t\tglobal lock\n"
                                "\t\t\tlock = not 1";

const char *const SOUND_BLOCK =
    "\ndef play_sound(filename):\n"
    "\timport platform\n"
    "\tif platform.system() == 'Windows':\n"
    "\t\timport winsound\n"
    "\t\twinsound.PlaySound(filename, winsound.SND_FILENAME | winsound.SND_ASYNC | "
    "winsound.SND_NOWAIT)\n"
    "\telse:\n"
    "\t\timport os, re, subprocess\n"
    "\t\taplay_reg = r\"(sysdefault:?.*)\"\n"
    "\t\tp = subprocess.Popen(\"aplay -L\", shell=True, stdout=subprocess.PIPE, "
    "stderr=subprocess.PIPE)\n"
    "\t\toutput = p.communicate()[0]\n"
    "\t\tmatch = re.findall(aplay_reg, output)\n"
    "\t\tos.system('aplay -D \"%s\" \"%s\" &' % (match[0], filename))";

const char *const EXPORT_WAIT_BLOCK = "\ndef export_wait(lock, status, filename, callback):\n"
                                      "\tif status==1:\n"
                                      "\t\treturn\n"
                                      "\telif status==0 or status==2:\n"
                                      "\t\talert(\"AVI export failed\")\n"
                                      "\t\tcallback(lock)\n"
                                      "\telse:\n"
                                      "\t\tif not path.exists(decode(filename)):\n"
                                      "\t\t\talert(\"Exported file %s not found!\" % filename)\n"
                                      "\t\tcallback(lock)";

const char *const DECODE_BLOCK = "\ndef decode(s):\n\treturn s.decode('utf-8')";

const char *const MONTHS_BLOCK =
    "\ndef add_months(d,months):\n"
    "\tmonth = d.month - 1 + months\n"
    "\tyear = d.year + month / 12\n"
    "\tmonth = month % 12 + 1\n"
    "\tday = min(d.day,calendar.monthrange(year,month)[1])\n"
    "\treturn datetime.datetime(year,month,day, d.hour, d.minute, d.second, d.microsecond)";

const char *const ACTION_OBJECT = "class ActionObject(VMSObject):\n"
                                  "\tdef run_method(self, method, args):\n"
                                  "\t\taquire_lock()\n"
                                  "a = ActionObject(\"Action\")\n"
                                  "a.set_name(stats().parent()[\"name\"])\n"
                                  "a.set_guid(script_guid)\n"
                                  "object_add(a)\n";

QString dq(const QString &text)
{
    return python_escaped(text, '"');
}

// "<variable> = <expression>" and the variable's activation call, for each
// part; returns the last variable.
QString watch_parts(CodeWriter &w, VariableNames &names, const QStringList &parts,
                    const char *maker, const char *activation)
{
    QString variable;
    for (const QString &part : parts) {
        const QString name = part.trimmed();
        variable = names.generate(fill(maker, {name}));
        w.add(fill("%1 = %2", {variable, fill(maker, {dq(name)})}));
        w.add(fill(activation, {variable}));
    }
    return variable;
}

QString object_id(const Rule &rule, const QString &name)
{
    for (const KnownObject &o : rule.known_objects)
        if (o.name == name)
            return o.id;
    return QString();
}

// The activation lines; the schedule's variable for the zone test.
QString write_activation(CodeWriter &w, VariableNames &names, const Rule &rule)
{
    const Activation &a = rule.activation;
    switch (a.code) {
    case ON_SHORTCUT:
        for (const QString &key : {a.shortcut, a.panel_shortcut})
            w.add(fill("activate_on_shortcut(\"%1\", aquire_lock)\n", {dq(key)}));
        break;
    case ON_SETTINGS_CHANGE:
        watch_parts(w, names, a.settings.split(QLatin1Char(';')), "settings(\"%1\")",
                    "%1.activate_on_changes(aquire_lock)\n");
        break;
    case ON_STATE_CHANGE:
        watch_parts(w, names, a.state_objects.split(QLatin1Char(';')), "object(\"%1\")",
                    "%1.activate_on_state_changes(aquire_lock)\n");
        break;
    case ON_EVENT: {
        const QStringList objects = (a.all_objects ? QString() : a.objects).split(';');
        for (const QString &event : a.event_types.split(QLatin1Char(';')))
            for (const QString &object : objects)
                w.add(fill("activate_on_events(\"%1\", \"%2\", aquire_lock)\n",
                           {dq(event.trimmed()), dq(object_id(rule, object.trimmed()))}));
        break;
    }
    case ON_SCHEDULE:
        return watch_parts(w, names, QStringList{a.schedule}, "object(\"%1\")",
                           "%1.activate_on_state_changes(aquire_lock)\n");
    case ON_ACTION_RUN:
        w.add(QLatin1String(ACTION_OBJECT));
        break;
    default:
        break;
    }
    return QString();
}

} // namespace

GeneratedScript generate_script(const Rule &rule, const QStringList &used_names)
{
    Generation g;
    VariableNames names(used_names);
    CodeWriter &w = g.writer;
    w.add(QStringLiteral("# Automatically generated by DavaDodazi"));
    w.add(QStringLiteral("lock = False"));
    w.add(QString());
    w.mark_top();

    w.add(QStringLiteral("# ACTIVATION"));
    const int code = rule.activation.code;
    const QString schedule_variable = write_activation(w, names, rule);
    w.to_top();
    if (code >= ON_SHORTCUT && code <= ON_ACTION_RUN) {
        g.task_locker = true;
        const bool event = code == ON_EVENT;
        w.add(event ? QStringLiteral("def aquire_lock(event):")
                    : QStringLiteral("def aquire_lock():"));
        w.add(event ? QStringLiteral("TaskLocker(event)") : QStringLiteral("TaskLocker()"));
        w.add(QString());
        w.to_top();
        w.add(event ? QStringLiteral("def start(lock, event):")
                    : QStringLiteral("def start(lock):"));
        if (code == ON_SCHEDULE)
            w.add(fill("if %1.state(\"color\") == \"%2\":",
                       {schedule_variable, retranslate_color(rule.activation.zone)}));
    }

    QString condition;
    for (size_t i = 0; i < rule.conditions.size(); ++i) {
        QString connector;
        if (i + 1 < rule.conditions.size())
            connector = rule.conditions[i + 1].disjunct_by_or ? QStringLiteral("or")
                                                              : QStringLiteral("and");
        condition += fill("(%1) %2", {rule.conditions[i].text, connector});
    }
    if (!condition.isEmpty()) {
        w.add(QStringLiteral("# CONDITION"));
        w.add(fill("if %1:", {condition}));
    }
    w.add(QStringLiteral("host.stats()[\"run_count\"] += 1"));
    w.add(QStringLiteral("# ACTIONS"));
    detail::write_action_chain(g, rule);

    w.to_top();
    for (const char *line : IMPORT_ORDER)
        if (g.imports.count(QString::fromLatin1(line)))
            w.add(QString::fromLatin1(line));
    if (g.task_locker)
        w.insert_raw(fill(TASK_LOCKER, {code == ON_EVENT ? QStringLiteral(", event") : QString()}));
    const std::pair<bool, const char *> blocks[] = {{g.sound, SOUND_BLOCK},
                                                    {g.export_wait, EXPORT_WAIT_BLOCK},
                                                    {g.decode, DECODE_BLOCK},
                                                    {g.months, MONTHS_BLOCK}};
    for (const auto &block : blocks)
        if (block.first)
            w.insert_raw(QString::fromLatin1(block.second));
    return {w.text(), names.used()};
}

QString generate_readable_function_name(int main_index, int sub_index)
{
    if (sub_index == 0)
        return QStringLiteral("action%1").arg(main_index);
    return QStringLiteral("action%1_%2").arg(main_index).arg(sub_index);
}

QString generate_function_name(bool readable, const RandomSource &random)
{
    QString name = QStringLiteral("__rw_func__");
    if (readable)
        return name;
    for (int i = 0; i < 16; ++i) {
        const bool upper = random() & 8;
        const int letter = (random() & 0x7fff) / 1261;
        name += QLatin1Char(char((upper ? 'A' : 'a') + letter));
    }
    return name;
}

} // namespace rule

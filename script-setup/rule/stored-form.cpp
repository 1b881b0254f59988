#include "script-setup/rule/stored-form.h"

#include <QRegExp>

namespace rule {
namespace {

const QLatin1Char NL('\n');

QStringList trimmed_parts(const QString &text)
{
    QStringList parts = text.split(QLatin1Char(';'));
    for (QString &p : parts)
        p = p.trimmed();
    return parts;
}

// A decimal that fills the whole text; `value` stays as it was otherwise.
void read_int(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        *value = v;
}

QString encode_call(const Action &a)
{
    QStringList names;
    for (const MethodParameter &p : a.parameters)
        names << p.type + QLatin1Char('_') + p.name;
    return QStringLiteral("object(\"%1\").%2(%3)").arg(a.object, a.method, names.join(','));
}

QString encode_call_values(const Action &a)
{
    QString text;
    for (const MethodParameter &p : a.parameters)
        text += (p.value.isEmpty() ? QStringLiteral(" ") : p.value) + QLatin1Char(';');
    return text;
}

void decode_call(const StoredAction &s, Action *a)
{
    QString call = s.action;
    call.remove(QLatin1String("object(\"")).remove(QLatin1String("\")"));
    const int open = call.indexOf(QLatin1Char('('));
    const QString target = open < 0 ? call : call.left(open);
    const int dot = target.lastIndexOf(QLatin1Char('.'));
    a->object = dot < 0 ? QString() : target.left(dot);
    a->method = target.mid(dot + 1);
    if (open >= 0) {
        const int close = call.lastIndexOf(QLatin1Char(')'));
        const QString inner = call.mid(open + 1, close > open ? close - open - 1 : -1);
        if (!inner.trimmed().isEmpty())
            for (const QString &part : inner.split(QLatin1Char(','))) {
                const QString p = part.trimmed();
                a->parameters.push_back({p.section('_', 0, 0), p.section('_', 1), QString()});
            }
    }
    const QStringList values = s.params.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (size_t i = 0; i < a->parameters.size() && i < size_t(values.size()); ++i)
        a->parameters[i].value = values[int(i)].trimmed();
}

} // namespace

QStringList split_list(const QString &text)
{
    return text.split(NL);
}

QString join_list(const QStringList &items)
{
    return items.join(NL);
}

QString join_condition(const std::vector<ConditionRow> &rows)
{
    QString text;
    for (size_t i = 0; i < rows.size(); ++i) {
        QString connector;
        if (i + 1 < rows.size())
            connector = rows[i + 1].disjunct_by_or ? QStringLiteral("or") : QStringLiteral("and");
        text += rows[i].text + QLatin1Char(' ') + connector + QLatin1Char(' ');
    }
    return text;
}

std::vector<ConditionRow> split_condition(const QString &condition)
{
    const QRegExp separator(QStringLiteral("\\b(or|and)\\b"));
    const QStringList parts = condition.split(separator, Qt::SkipEmptyParts);
    std::vector<ConditionRow> rows;
    for (int n = 0; n < parts.size(); ++n) {
        const QString section =
            condition.section(separator, n, n, QString::SectionIncludeLeadingSep);
        rows.push_back({parts[n].trimmed(), section.startsWith(QLatin1String("or "))});
    }
    return rows;
}

void encode_activation(const Activation &a, VariableNames &names, StoredRule *out)
{
    out->activation_code = a.code;
    QStringList list, var_names, params;
    switch (a.code) {
    case ON_SHORTCUT:
        if (!a.shortcut.isEmpty()) {
            list << a.shortcut << a.panel_shortcut;
            var_names << QStringLiteral("-");
        }
        break;
    case ON_SETTINGS_CHANGE:
    case ON_STATE_CHANGE:
        for (const QString &part :
             (a.code == ON_SETTINGS_CHANGE ? a.settings : a.state_objects).split(';')) {
            list << part.trimmed();
            var_names << names.generate(part);
        }
        break;
    case ON_EVENT:
        list = trimmed_parts(a.event_types);
        for (int i = 0; i < list.size(); ++i)
            var_names << QStringLiteral("-");
        params = a.all_objects ? QStringList{QStringLiteral("*")} : trimmed_parts(a.objects);
        break;
    case ON_SCHEDULE:
        list << a.schedule;
        params << a.zone;
        break;
    default:
        break;
    }
    out->activation_list = list;
    out->activation_names = var_names;
    out->activation_params = params;
}

Activation decode_activation(const StoredRule &s)
{
    Activation a;
    a.code = s.activation_code;
    const QString first = s.activation_list.value(0);
    const QString joined = s.activation_list.join(QLatin1String("; "));
    switch (a.code) {
    case ON_SHORTCUT:
        a.shortcut = first;
        if (s.activation_list.size() == 2)
            a.panel_shortcut = s.activation_list[1];
        break;
    case ON_SETTINGS_CHANGE:
        a.settings = joined;
        break;
    case ON_STATE_CHANGE:
        a.state_objects = joined;
        break;
    case ON_EVENT:
        a.event_types = joined;
        if (!s.activation_params.isEmpty() && s.activation_params[0] != QLatin1String("*")) {
            a.all_objects = false;
            a.objects = s.activation_params.join(QLatin1String("; "));
        }
        break;
    case ON_SCHEDULE:
        a.schedule = first;
        a.zone = s.activation_params.value(0);
        break;
    case ON_ACTION_RUN:
        break;
    default:
        a.code = NO_ACTIVATION;
    }
    return a;
}

StoredAction encode_action(const Action &a)
{
    StoredAction s;
    s.code = a.code;
    switch (a.code) {
    case CALL_METHOD:
        s.action = encode_call(a);
        s.params = encode_call_values(a);
        break;
    case WAIT:
        s.params = QString::number(a.seconds);
        break;
    case PLAY_SOUND:
        s.params = a.sound;
        break;
    case EXPORT_VIDEO:
        s.action = a.channel;
        s.params = QString::number(a.seconds) + QLatin1Char(',') +
                   (a.substream ? QStringLiteral("ss") : QStringLiteral("main"));
        s.name = a.output_name;
        break;
    case CHANGE_SETTINGS:
        if (a.setting.contains(QLatin1Char('/'))) {
            s.action = a.setting + QLatin1Char(':') + a.setting_type;
            s.params = a.setting_value;
        }
        break;
    case SEND_EMAIL:
        s.params = QStringList{a.account, a.recipients, a.subject,
                               a.attachments.join(QLatin1Char(';')), a.message}
                       .join(NL);
        break;
    case TAKE_SCREENSHOT:
        s.action = a.channel;
        s.params = QString::number(a.seconds);
        s.name = a.output_name;
        break;
    case POS_REPORT:
        s.params = QStringLiteral("%1\n%2\n").arg(a.report).arg(a.interval);
        s.name = a.output_name;
        break;
    default:
        break;
    }
    return s;
}

bool decode_action(const StoredAction &s, Action *out)
{
    Action a;
    a.code = s.code;
    switch (s.code) {
    case CALL_METHOD:
        decode_call(s, &a);
        break;
    case WAIT:
        read_int(s.params, &a.seconds);
        break;
    case PLAY_SOUND:
        a.sound = s.params;
        break;
    case EXPORT_VIDEO: {
        a.channel = s.action;
        const QStringList parts = s.params.split(QLatin1Char(','));
        read_int(parts[0], &a.seconds);
        a.substream = parts.size() > 1 && parts[1] == QLatin1String("ss");
        break;
    }
    case CHANGE_SETTINGS:
        a.setting = s.action.section(QLatin1Char(':'), 0, 0);
        a.setting_type = s.action.section(QLatin1Char(':'), 1);
        a.setting_value = s.params;
        break;
    case SEND_EMAIL: {
        const QStringList lines = split_list(s.params);
        a.account = lines.value(0);
        a.recipients = lines.value(1);
        a.subject = lines.value(2);
        a.attachments = lines.value(3).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        a.message = lines.mid(4).join(NL);
        break;
    }
    case TAKE_SCREENSHOT:
        a.channel = s.action;
        read_int(s.params, &a.seconds);
        break;
    case POS_REPORT: {
        // "report\ninterval\n"; an older form kept the report in the action
        // key and the interval alone in the parameters.
        const QStringList lines = split_list(s.params);
        if (lines.size() > 1) {
            read_int(lines[0], &a.report);
            read_int(lines[1], &a.interval);
        } else {
            read_int(s.action, &a.report);
            read_int(s.params, &a.interval);
        }
        break;
    }
    default:
        return false;
    }
    if (s.code == EXPORT_VIDEO || s.code == TAKE_SCREENSHOT || s.code == POS_REPORT)
        a.output_name = s.name;
    *out = a;
    return true;
}

StoredRule encode_rule(const Rule &rule, VariableNames &names)
{
    StoredRule s;
    encode_activation(rule.activation, names, &s);
    s.condition = join_condition(rule.conditions);
    for (size_t i = 0; i < rule.actions.size() && i < size_t(MAX_ACTIONS); ++i)
        s.actions.push_back(encode_action(rule.actions[i]));
    return s;
}

Rule decode_rule(const StoredRule &stored, bool sound_allowed)
{
    Rule r;
    r.activation = decode_activation(stored);
    if (!stored.condition.isEmpty())
        r.conditions = split_condition(stored.condition);
    for (const StoredAction &s : stored.actions) {
        Action a;
        if (decode_action(s, &a) && (sound_allowed || a.code != PLAY_SOUND))
            r.actions.push_back(a);
    }
    return r;
}

QString parameter_name_from_caption(const QString &caption)
{
    return caption.left(caption.size() - 1).replace(QLatin1Char(' '), QLatin1Char('_'));
}

} // namespace rule

#include "script-setup/references/references.h"

#include "script-setup/loop/templates-order.h"
#include "utils/text.h"

namespace references {
namespace {

void add(std::vector<Reference> &out, Kind kind, Place place, int index, const QString &value)
{
    const QString trimmed = value.trimmed();
    if (!trimmed.isEmpty())
        out.push_back({kind, place, index, to_utf8(trimmed)});
}

// The channel part of "<channel>_<server>"; a reference to another server's
// channel is kept whole, so it never matches a channel of this one.
QString channel_of(const QString &reference, const QString &server)
{
    const QString suffix = QLatin1Char('_') + server;
    if (!server.isEmpty() && reference.endsWith(suffix) && reference.size() > suffix.size())
        return reference.left(reference.size() - suffix.size());
    return reference;
}

// "a/b/c:integer" or a label that shows the path before " :".
QString setting_path(const QString &action)
{
    QString path = action.section(QLatin1Char(':'), 0, 0);
    const int shown = path.indexOf(QLatin1String(" :"));
    if (shown >= 0)
        path = path.left(shown);
    return path.contains(QLatin1Char('/')) ? path : QString();
}

} // namespace

std::vector<Reference> rule_references(const rule::StoredRule &stored,
                                       const std::string &server_name)
{
    std::vector<Reference> out;
    const rule::Activation a = rule::decode_activation(stored);
    switch (a.code) {
    case rule::ON_SCHEDULE:
        add(out, SCHEDULE, ACTIVATION, 0, a.schedule);
        break;
    case rule::ON_STATE_CHANGE:
        for (const QString &object : stored.activation_list)
            add(out, OBJECT, ACTIVATION, 0, object);
        break;
    case rule::ON_EVENT:
        if (!a.all_objects)
            for (const QString &object : stored.activation_params)
                add(out, OBJECT, ACTIVATION, 0, object);
        break;
    case rule::ON_SETTINGS_CHANGE:
        for (const QString &path : stored.activation_list)
            add(out, SETTINGS_PATH, ACTIVATION, 0, path);
        break;
    default:
        break;
    }
    const QString server = from_utf8(server_name);
    int row = 0;
    for (const rule::StoredAction &s : stored.actions) {
        rule::Action action;
        if (!rule::decode_action(s, &action))
            continue;
        switch (action.code) {
        case rule::CALL_METHOD:
            add(out, OBJECT, ACTION, row, action.object);
            break;
        case rule::PLAY_SOUND:
            add(out, SOUND, ACTION, row, action.sound);
            break;
        case rule::EXPORT_VIDEO:
        case rule::TAKE_SCREENSHOT:
            add(out, CHANNEL, ACTION, row, channel_of(action.channel, server));
            break;
        case rule::CHANGE_SETTINGS:
            add(out, SETTINGS_PATH, ACTION, row, setting_path(s.action));
            break;
        case rule::SEND_EMAIL:
            add(out, EMAIL_ACCOUNT, ACTION, row, action.account);
            break;
        default:
            break;
        }
        ++row;
    }
    return out;
}

std::vector<Reference> loop_references(const std::string &templates_order)
{
    std::vector<Reference> out;
    const loop::TemplatesOrder order = loop::parse_templates_order(templates_order);
    int index = 0;
    for (const loop::LoopEntry &e : order.entries) {
        if (e.kind == loop::TEMPLATE || e.kind == loop::CHANNEL)
            add(out, e.kind == loop::TEMPLATE ? TEMPLATE : CHANNEL, LOOP_ELEMENT, index++,
                QString::fromLatin1(e.guid));
    }
    return out;
}

std::vector<Reference> schedule_references(const std::string &affected_channels)
{
    std::vector<Reference> out;
    int index = 0;
    for (const QString &guid : from_utf8(affected_channels).split(QLatin1Char(',')))
        if (!guid.trimmed().isEmpty())
            add(out, CHANNEL, CHANNEL_LIST, index++, guid);
    return out;
}

Resolution resolve(const Reference &r, const Targets &t)
{
    const auto in = [&r](const std::set<std::string> &set) {
        return set.count(r.value) ? RESOLVED : BROKEN;
    };
    switch (r.kind) {
    case SCHEDULE:
        return in(t.schedule_names);
    case EMAIL_ACCOUNT:
        return in(t.account_guids);
    case CHANNEL:
        return in(t.channel_guids);
    case TEMPLATE:
        return in(t.template_guids);
    case OBJECT:
        return t.objects_known ? in(t.object_names) : UNKNOWN;
    case SOUND:
        return t.sounds_known ? in(t.sounds) : UNKNOWN;
    case SETTINGS_PATH:
        if (!t.settings_path_exists)
            return UNKNOWN;
        return t.settings_path_exists(r.value) ? RESOLVED : BROKEN;
    }
    return UNKNOWN;
}

std::vector<Broken> broken_references(const std::vector<const Referrer *> &referrers,
                                      const Targets &targets)
{
    std::vector<Broken> out;
    for (const Referrer *referrer : referrers)
        for (const Reference &r : referrer->references)
            if (resolve(r, targets) == BROKEN)
                out.push_back({referrer, r});
    return out;
}

std::vector<const Referrer *> users_of(const std::vector<const Referrer *> &referrers, Kind kind,
                                       const std::string &value)
{
    std::vector<const Referrer *> out;
    for (const Referrer *referrer : referrers)
        for (const Reference &r : referrer->references)
            if (r.kind == kind && r.value == value) {
                out.push_back(referrer);
                break;
            }
    return out;
}

const char *kind_name(Kind kind)
{
    static const char *const names[] = {"schedule", "e-mail account", "channel",      "template",
                                        "object",   "sound",          "settings path"};
    return names[kind];
}

const char *place_name(Place place)
{
    static const char *const names[] = {"activation", "action", "loop element", "channels"};
    return names[place];
}

} // namespace references

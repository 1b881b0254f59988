#include "script-setup/rule/rule.h"

#include <tuple>

namespace rule {

bool Activation::operator==(const Activation &o) const
{
    return std::tie(code, shortcut, panel_shortcut, settings, state_objects, event_types,
                    all_objects, objects, schedule, zone) ==
           std::tie(o.code, o.shortcut, o.panel_shortcut, o.settings, o.state_objects,
                    o.event_types, o.all_objects, o.objects, o.schedule, o.zone);
}

bool Action::operator==(const Action &o) const
{
    return std::tie(code, object, method, parameters, seconds, sound, channel, channel_name,
                    substream, setting, setting_type, setting_value, account, recipients, subject,
                    attachments, message, report, interval, output_name) ==
           std::tie(o.code, o.object, o.method, o.parameters, o.seconds, o.sound, o.channel,
                    o.channel_name, o.substream, o.setting, o.setting_type, o.setting_value,
                    o.account, o.recipients, o.subject, o.attachments, o.message, o.report,
                    o.interval, o.output_name);
}

} // namespace rule

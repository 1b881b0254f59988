#pragma once
// What a server's rules, template loops and schedules name, read from their
// stored keys, and whether each name still leads somewhere. Plain values and
// functions: the folder reading is in server-reader.h, the index that follows
// changes in reference-index.h.

#include "script-setup/rule/stored-form.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace references {

enum Kind { SCHEDULE, EMAIL_ACCOUNT, CHANNEL, TEMPLATE, OBJECT, SOUND, SETTINGS_PATH };

// Where in the referring folder: its activation, action row `index` (from
// 0), loop element `index`, or its list of controlled channels.
enum Place { ACTIVATION, ACTION, LOOP_ELEMENT, CHANNEL_LIST };

struct Reference
{
    Kind kind = SCHEDULE;
    Place place = ACTIVATION;
    int index = 0;
    // As stored: the schedule's name, the account's folder name, the channel
    // or template guid, the object's name, the sound, the settings path.
    std::string value;
    bool operator==(const Reference &o) const
    {
        return kind == o.kind && place == o.place && index == o.index && value == o.value;
    }
};

// One folder of the scripts folder that refers to others or is referred to.
struct Referrer
{
    std::string guid; // its folder name
    std::string type; // "Rule", "TemplateLoop", "Schedule", "EmailAccount"
    std::string name; // its "name"
    std::vector<Reference> references;
};

// The server identifier a rule's channel references end in (the server
// root's name): "<channel>_<server>".
std::vector<Reference> rule_references(const rule::StoredRule &stored,
                                       const std::string &server_name);
std::vector<Reference> loop_references(const std::string &templates_order);
std::vector<Reference> schedule_references(const std::string &affected_channels);

// What exists on the server. Objects and sounds come from the server's
// services and stay unknown until a list arrived; settings paths are asked
// of the tree when a reference needs one.
struct Targets
{
    std::string server_name;
    std::set<std::string> schedule_names;
    std::set<std::string> account_guids;
    std::set<std::string> channel_guids; // channels that are not archive zombies
    std::set<std::string> template_guids;
    bool objects_known = false;
    std::set<std::string> object_names;
    bool sounds_known = false;
    std::set<std::string> sounds;
    std::function<bool(const std::string &path)> settings_path_exists; // empty: unknown
};

enum Resolution { RESOLVED, BROKEN, UNKNOWN };
Resolution resolve(const Reference &reference, const Targets &targets);

struct Broken
{
    const Referrer *referrer;
    Reference reference;
};

// Every reference of `referrers` that does not resolve, in their order.
std::vector<Broken> broken_references(const std::vector<const Referrer *> &referrers,
                                      const Targets &targets);

// The referrers whose references of `kind` name `value`.
std::vector<const Referrer *> users_of(const std::vector<const Referrer *> &referrers, Kind kind,
                                       const std::string &value);

// Names for the command line and logs: "schedule", "action", ...
const char *kind_name(Kind kind);
const char *place_name(Place place);

} // namespace references

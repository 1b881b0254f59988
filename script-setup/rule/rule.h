#pragma once
// A rule as the rule page holds it: when it is activated, under which
// condition, and what it then does. The page reads its controls into this
// value; the stored form (stored-form.h) and the script generator
// (rule-script.h) work on it and need nothing else from the page.

#include <QString>
#include <QStringList>
#include <vector>

namespace rule {

enum ActivationCode {
    NO_ACTIVATION = -1,
    ON_SHORTCUT = 1,
    ON_SETTINGS_CHANGE = 2,
    ON_STATE_CHANGE = 3,
    ON_EVENT = 4,
    ON_SCHEDULE = 5,
    ON_ACTION_RUN = 6
};

// There is no code 7.
enum ActionCode {
    CALL_METHOD = 1,
    WAIT = 2,
    PLAY_SOUND = 3,
    EXPORT_VIDEO = 4,
    CHANGE_SETTINGS = 5,
    SEND_EMAIL = 6,
    TAKE_SCREENSHOT = 8,
    POS_REPORT = 9
};

// The texts of the activation page that matches `code`; the others are
// ignored. Edits that hold lists keep the operator's ";"-separated text.
struct Activation
{
    int code = NO_ACTIVATION;
    QString shortcut;        // 1: shortcut edit, "_Released" included
    QString panel_shortcut;  // 1: panel combo's item data, "" or "U1".."U10"
    QString settings;        // 2: settings edit
    QString state_objects;   // 3: state objects edit
    QString event_types;     // 4: event types edit
    bool all_objects = true; // 4: "All objects" is the current choice
    QString objects;         // 4: objects edit, used without all_objects
    QString schedule;        // 5: schedule combo's text
    QString zone;            // 5: zone combo's shown (translated) text

    bool operator==(const Activation &o) const;
};

struct ConditionRow
{
    QString text;
    bool disjunct_by_or = false; // the row's OR switch: joins it to the row above

    bool operator==(const ConditionRow &o) const
    {
        return text == o.text && disjunct_by_or == o.disjunct_by_or;
    }
};

struct MethodParameter
{
    QString type;  // "integer", "string" or "real" (retranslated from the edit)
    QString name;  // as in the stored call text: "x", "end_time_YYYYMMDD_HHMMSS"
    QString value; // the edit's text, a Python expression

    bool operator==(const MethodParameter &o) const
    {
        return type == o.type && name == o.name && value == o.value;
    }
};

// One action row: `code` says which fields count.
struct Action
{
    int code = WAIT;
    // CALL_METHOD
    QString object; // object label
    QString method; // method label
    std::vector<MethodParameter> parameters;
    // WAIT, EXPORT_VIDEO, TAKE_SCREENSHOT: the spin box
    int seconds = 1;
    // PLAY_SOUND: the sound list's current text
    QString sound;
    // EXPORT_VIDEO, TAKE_SCREENSHOT: the channel selector's "<channel>_<server>"
    // value and its shown text
    QString channel;
    QString channel_name;
    bool substream = false; // EXPORT_VIDEO
    // CHANGE_SETTINGS: the label as shown (it holds the path), the value type
    // and the value edit's text (a Python expression)
    QString setting;
    QString setting_type;
    QString setting_value;
    // SEND_EMAIL: the account's folder name, the edits, and the output names
    // of the checked attachments in list order
    QString account;
    QString recipients;
    QString subject;
    QStringList attachments;
    QString message;
    // POS_REPORT: the item data of the report and interval lists
    int report = 1;
    int interval = 0;
    // EXPORT_VIDEO, TAKE_SCREENSHOT, POS_REPORT: names the produced file
    QString output_name;

    bool operator==(const Action &o) const;
};

// An object the generator can look up by name (activation on event).
struct KnownObject
{
    QString name;
    QString id;
};

struct Rule
{
    Activation activation;
    std::vector<ConditionRow> conditions; // empty for "Always"
    std::vector<Action> actions;
    // Looked up on the page at generation time, not stored.
    std::vector<KnownObject> known_objects;
    // The server identifier of the page's channel selectors; it tells where
    // a channel reference splits when either part itself holds "_".
    QString server_name;
};

// At most this many actions are stored and reset.
constexpr int MAX_ACTIONS = 10;

} // namespace rule

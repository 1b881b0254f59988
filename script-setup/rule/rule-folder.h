#pragma once
// Reading, saving, resetting and deleting a rule in its settings folder.
// Each series of reads or writes holds the folder's lock; a refusal of the
// host is logged ("RULE GUI: cannot load: ...", "... cannot save: ...",
// "... cannot reset: ...") and never thrown to the caller.

#include "plugin/rizurividuvez.h"
#include "script-setup/rule/stored-form.h"

namespace rule {

// Three locked series: activation, condition, actions. What a refused
// series would have read is left out; actions read before a refusal stay.
// A count outside 0..10 is logged and read as at most ten.
StoredRule load_stored_rule(const Settings &folder);
// load_stored_rule and decode_rule.
Rule load_rule(const Settings &folder, bool sound_allowed = true);

// Writes the activation, the condition, resets the old actions, writes each
// action's keys in its own series ("_type", "action%i", "_params", "_name")
// and finally "action_count". A refused action ends the list there, and the
// count says how many were stored in full, so a later load never reads a
// half-written action. True when nothing was refused.
bool save_stored_rule(const Settings &folder, const StoredRule &stored);

struct ResetParts
{
    bool activation = true;
    bool condition = true;
    bool actions = true;
    bool script = true;
};

// Clears the chosen parts; the actions of all ten indexes, whatever the count
// was. A refusal on one index is logged and the next is still cleared.
bool reset_rule_settings(const Settings &folder, const ResetParts &parts = ResetParts());

// Stores the generated script as UTF-8 in "script".
bool store_script(const Settings &folder, const QString &script);

// The page's Save after its checks: the keys (activation variables named
// against `names`), then the script generated from the same value; `names`
// is emptied at the end. True when nothing was refused.
bool save_rule(const Settings &folder, const Rule &rule, VariableNames &names);

// The script save_rule stores for the rule with these names handed out:
// "Script to the clipboard" copies it and stores nothing.
QString script_to_save(const Rule &rule, VariableNames names);

// Asks the server to remove the rule: "rule_erase" with the folder's name,
// written into the parent folder.
bool delete_rule(const Settings &folder);

} // namespace rule

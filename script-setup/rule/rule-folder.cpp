#include "script-setup/rule/rule-folder.h"

#include "script-setup/rule/rule-script.h"
#include "utils/erase-request.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

namespace rule {
namespace {

const char *const CANNOT_LOAD = "RULE GUI: cannot load: %s\n";
const char *const CANNOT_SAVE = "RULE GUI: cannot save: %s\n";
const char *const CANNOT_RESET = "RULE GUI: cannot reset: %s\n";

// Runs `series`, logging what it throws with `line`; true when nothing threw.
template <class F> bool logged(const char *line, F series)
{
    try {
        series();
        return true;
    } catch (const std::exception &e) {
        VX_LOG(logging_facility::FAILURE, line, e.what());
    } catch (...) {
        VX_LOG(logging_facility::FAILURE, line, "unknown error");
    }
    return false;
}

template <class F> bool locked_series(const Settings &folder, const char *line, F series)
{
    return logged(line, [&] {
        FolderLock guard(folder);
        series();
    });
}

std::string action_key(int index, const char *suffix = "")
{
    return "action" + std::to_string(index) + suffix;
}

QString read_string(const Settings &folder, const std::string &key)
{
    return from_utf8(folder->get_string(key));
}

void write_string(const Settings &folder, const std::string &key, const QString &value)
{
    folder->set_string(key, to_utf8(value));
}

} // namespace

StoredRule load_stored_rule(const Settings &folder)
{
    StoredRule rule;
    locked_series(folder, CANNOT_LOAD, [&] {
        const int code = folder->get_integer("activation_type");
        const QStringList list = split_list(read_string(folder, "activation_list"));
        const QStringList names = split_list(read_string(folder, "activation_names"));
        const QStringList params = split_list(read_string(folder, "activation_params"));
        rule.activation_code = code;
        rule.activation_list = list;
        rule.activation_names = names;
        rule.activation_params = params;
    });
    locked_series(folder, CANNOT_LOAD, [&] { rule.condition = read_string(folder, "condition"); });
    locked_series(folder, CANNOT_LOAD, [&] {
        int count = folder->get_integer("action_count");
        if (count < 0 || count > MAX_ACTIONS) {
            const std::string what = "action_count " + std::to_string(count) + " out of range";
            VX_LOG(logging_facility::FAILURE, CANNOT_LOAD, what.c_str());
            count = count < 0 ? 0 : MAX_ACTIONS;
        }
        for (int i = 0; i < count; ++i) {
            StoredAction a;
            a.code = folder->get_integer(action_key(i, "_type"));
            a.action = read_string(folder, action_key(i));
            a.params = read_string(folder, action_key(i, "_params"));
            a.name = read_string(folder, action_key(i, "_name"));
            rule.actions.push_back(a);
        }
    });
    return rule;
}

Rule load_rule(const Settings &folder, bool sound_allowed)
{
    return decode_rule(load_stored_rule(folder), sound_allowed);
}

bool save_stored_rule(const Settings &folder, const StoredRule &stored)
{
    bool ok = locked_series(folder, CANNOT_SAVE, [&] {
        folder->set_integer("activation_type", stored.activation_code);
        write_string(folder, "activation_list", join_list(stored.activation_list));
        write_string(folder, "activation_names", join_list(stored.activation_names));
        write_string(folder, "activation_params", join_list(stored.activation_params));
    });
    ok &= locked_series(folder, CANNOT_SAVE,
                        [&] { write_string(folder, "condition", stored.condition); });
    ok &= reset_rule_settings(folder, {false, false, true, false});
    int count = 0;
    for (const StoredAction &a : stored.actions) {
        if (count == MAX_ACTIONS)
            break;
        const bool written = locked_series(folder, CANNOT_SAVE, [&] {
            folder->set_integer(action_key(count, "_type"), a.code);
            write_string(folder, action_key(count), a.action);
            write_string(folder, action_key(count, "_params"), a.params);
            write_string(folder, action_key(count, "_name"), a.name);
        });
        if (!written) {
            ok = false;
            break;
        }
        ++count;
    }
    ok &= locked_series(folder, CANNOT_SAVE, [&] { folder->set_integer("action_count", count); });
    return ok;
}

bool reset_rule_settings(const Settings &folder, const ResetParts &parts)
{
    bool ok = true;
    if (parts.activation)
        ok &= locked_series(folder, CANNOT_RESET, [&] {
            folder->set_integer("activation_type", NO_ACTIVATION);
            for (const char *key : {"activation_list", "activation_names", "activation_params"})
                folder->set_string(key, std::string());
        });
    if (parts.condition)
        ok &= locked_series(folder, CANNOT_RESET,
                            [&] { folder->set_string("condition", std::string()); });
    if (parts.actions)
        ok &= locked_series(folder, CANNOT_RESET, [&] {
            ok &= logged(CANNOT_RESET, [&] { folder->set_integer("action_count", 0); });
            for (int i = 0; i < MAX_ACTIONS; ++i)
                ok &= logged(CANNOT_RESET, [&] {
                    folder->set_integer(action_key(i, "_type"), -1);
                    for (const char *suffix : {"", "_params", "_name"})
                        folder->set_string(action_key(i, suffix), std::string());
                });
        });
    if (parts.script)
        ok &= locked_series(folder, CANNOT_RESET,
                            [&] { folder->set_string("script", std::string()); });
    return ok;
}

bool store_script(const Settings &folder, const QString &script)
{
    return locked_series(folder, CANNOT_SAVE, [&] { write_string(folder, "script", script); });
}

QString script_to_save(const Rule &rule, VariableNames names)
{
    // The stored activation names are handed out first; the script's
    // variables take suffixes against them.
    encode_rule(rule, names);
    return generate_script(rule, names.used()).text;
}

bool save_rule(const Settings &folder, const Rule &rule, VariableNames &names)
{
    const QString script = script_to_save(rule, names);
    bool ok = save_stored_rule(folder, encode_rule(rule, names));
    ok &= store_script(folder, script);
    names.clear();
    return ok;
}

bool delete_rule(const Settings &folder)
{
    return logged("GUI: ERROR: rule delete_button_clicked(): %s\n",
                  [&] { request_erase(folder, "rule_erase"); });
}

} // namespace rule

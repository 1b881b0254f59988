#include "sandbox/object-kinds.h"

namespace sandbox {
namespace {

using memory_host::Value;

KeySpec text(const char *key, const char *value = "")
{
    return KeySpec{key, Value::of_string(value)};
}

KeySpec integer(const char *key, int value)
{
    return KeySpec{key, Value::of_integer(value)};
}

} // namespace

const std::vector<CreatableKind> &creatable_kinds()
{
    static const std::vector<CreatableKind> kinds = {
        {"script", "Script", "New script"},
        {"rule", "Rule", "New rule"},
        {"schedule", "Schedule", "New schedule"},
        {"email_account", "EmailAccount", "New e-mail account"},
        {"loop", "TemplateLoop", "New template loop"},
    };
    return kinds;
}

const CreatableKind *kind_named(const std::string &kind)
{
    for (const auto &k : creatable_kinds())
        if (kind == k.kind)
            return &k;
    return nullptr;
}

std::vector<KeySpec> object_keys(const std::string &type)
{
    if (type == "Rule")
        return {text("name"),
                integer("enable", 1),
                text("image"),
                integer("activation_type", -1),
                text("activation_list"),
                text("activation_names"),
                text("activation_params"),
                text("condition"),
                integer("action_count", 0),
                text("script")};
    if (type == "Script")
        return {text("name"),     integer("enable", 1),        text("image"),
                text("script"),   text("parameters"),          text("actual_ts"),
                text("language"), text("available_languages"), text("add_language"),
                text("lupdate")};
    if (type == "CloudScript")
        return {text("name"),
                text("script"),
                integer("enable", 1),
                text("download_ts", "0"),
                text("parameters_cloud"),
                text("parameters_local")};
    if (type == "StockScript")
        return {text("name"),       text("file"),         text("parameters_default"),
                text("parameters"), integer("enable", 1), integer("force_run", 0)};
    if (type == "Schedule")
        return {text("name"),
                integer("enable", 1),
                text("schedule_mo", "0"),
                text("schedule_tu", "0"),
                text("schedule_we", "0"),
                text("schedule_th", "0"),
                text("schedule_fr", "0"),
                text("schedule_sa", "0"),
                text("schedule_su", "0"),
                text("affected_channels"),
                integer("affect_channels_record_mode", 0)};
    if (type == "EmailAccount")
        return {text("name"),          text("server_address"), integer("server_port", 25),
                integer("use_ssl", 0), text("username"),       text("password")};
    if (type == "TemplateLoop")
        return {text("name"),
                integer("enable", 0),
                text("shortcut"),
                integer("monitor_n", 1),
                text("templates_order"),
                text("script")};
    return {};
}

std::vector<KeySpec> stats_keys(const std::string &type)
{
    std::vector<KeySpec> keys = {integer("run_count", 0), integer("error_count", 0),
                                 text("last_error"), integer("last_error_line", -1)};
    if (type == "Script" || type == "CloudScript") {
        keys.push_back(text("last_warning"));
        keys.push_back(integer("last_warning_line", -1));
    }
    if (type == "CloudScript") {
        keys.push_back(text("last_run_ts", "0"));
        keys.push_back(text("last_successful_run_ts", "0"));
        keys.push_back(integer("successful_run_count", 0));
        keys.push_back(integer("status_send_count", 0));
    }
    if (type == "Rule" || type == "Script" || type == "CloudScript" || type == "StockScript")
        return keys;
    return {};
}

std::vector<KeySpec> scripts_folder_keys()
{
    std::vector<KeySpec> keys = {integer("show_warnings", 0)};
    for (const auto &k : creatable_kinds()) {
        const std::string kind = k.kind;
        keys.push_back({kind + "_create_now", Value::of_integer(0)});
        keys.push_back({kind + "_new_guid", Value::of_string(std::string())});
        keys.push_back({kind + "_erase", Value::of_string(std::string())});
    }
    return keys;
}

} // namespace sandbox

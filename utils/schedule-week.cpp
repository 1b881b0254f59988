#include "utils/schedule-week.h"

#include "utils/logging.h"

#include <cstring>
#include <json/json.h>
#include <memory>

const char *const schedule_day_keys[7] = {"schedule_mo", "schedule_tu", "schedule_we",
                                          "schedule_th", "schedule_fr", "schedule_sa",
                                          "schedule_su"};

std::string week_to_json(const ScheduleWeek &week)
{
    Json::Value object(Json::objectValue);
    for (size_t d = 0; d < week.size(); ++d)
        object[schedule_day_keys[d]] = week[d].to_interval_text();
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    return Json::writeString(builder, object);
}

bool week_from_json(const std::string &text, ScheduleWeek *week)
{
    Json::Value object;
    std::string errors;
    bool parsed = false;
    try {
        const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
        parsed = reader->parse(text.data(), text.data() + text.size(), &object, &errors);
    } catch (const std::exception &e) {
        // jsoncpp throws instead of answering for input nested too deep.
        errors = e.what();
    }
    if (!parsed || !object.isObject()) {
        VX_LOG(2, "QSchedulerWidget: cannot read week: %s\n",
               parsed ? "not an object" : errors.c_str());
        return false;
    }
    bool complete = true;
    for (size_t d = 0; d < week->size(); ++d) {
        const char *key = schedule_day_keys[d];
        const Json::Value *value = object.find(key, key + std::strlen(key));
        if (!value || !value->isString()) {
            VX_LOG(2, "QSchedulerWidget: no day '%s' in week\n", key);
            complete = false;
            continue;
        }
        (*week)[d].from_interval_text(value->asString());
    }
    return complete;
}

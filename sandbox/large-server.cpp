// The large server: the demo server's objects multiplied, with guids from a
// fixed seed, so that measurements on it repeat from run to run.

#include "sandbox/demo-server.h"

#include <cstdio>
#include <json/json.h>
#include <map>
#include <random>
#include <vector>

namespace sandbox {
namespace {

class GuidSource
{
public:
    std::string next()
    {
        char text[40];
        std::snprintf(text, sizeof text, "{%08X-%04X-4%03X-%04X-%04X%08X}", word(), word() >> 16,
                      word() >> 20, (word() >> 16 & 0x3fff) | 0x8000, word() >> 16, word());
        return text;
    }

private:
    unsigned word() { return static_cast<unsigned>(random_()); }
    std::mt19937 random_{20240611u}; // same sequence on every platform
};

std::string numbered(const std::string &name, int n)
{
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, " %03d", n);
    return name + suffix;
}

// The demo folders of one object type, in the file's (name) order.
std::vector<Json::Value> folders_of_type(const Json::Value &folders, const std::string &type)
{
    std::vector<Json::Value> out;
    for (const auto &name : folders.getMemberNames())
        if (folders[name]["type"].asString() == type)
            out.push_back(folders[name]);
    return out;
}

LargeServerSize &chosen_size()
{
    static LargeServerSize size;
    return size;
}

} // namespace

LargeServerSize LargeServerSize::scaled(int factor) const
{
    LargeServerSize out = *this;
    for (int *count :
         {&out.channels, &out.templates, &out.scripts, &out.rules, &out.schedules, &out.loops})
        *count *= factor;
    return out;
}

const LargeServerSize &large_server_size()
{
    return chosen_size();
}

void set_large_server_size(const LargeServerSize &size)
{
    chosen_size() = size;
}

std::string large_server_document(const LargeServerSize &size)
{
    Json::Value doc;
    Json::Reader().parse(demo_server_document(), doc);
    Json::Value &server = doc["folders"]["DEMO"];
    GuidSource guids;

    Json::Value &channels = server["folders"]["channels"]["folders"];
    std::vector<std::string> channel_names;
    for (const auto &name : channels.getMemberNames())
        if (channels[name]["keys"]["archive_zombie_flag"].asInt() == 0)
            channel_names.push_back(channels[name]["keys"]["name"].asString());
    channels = Json::Value(Json::objectValue);
    std::vector<std::string> channel_guids;
    for (int i = 0; i < size.channels; ++i) {
        const std::string guid = guids.next();
        Json::Value channel;
        channel["type"] = "Channel";
        const int base = i % static_cast<int>(channel_names.size());
        channel["keys"]["name"] = numbered(channel_names[base], i / channel_names.size() + 1);
        // Now and then a channel the operator may not control, or one that
        // lives on in the archive only, as on a real server.
        channel["keys"]["archive_zombie_flag"] = i % 250 == 249 ? 1 : 0;
        if (i % 97 == 96)
            channel["rights"] = 251;
        channels[guid] = channel;
        if (i % 250 != 249)
            channel_guids.push_back(guid);
    }

    Json::Value &templates = server["folders"]["templates"]["folders"];
    std::vector<std::string> template_names;
    for (const auto &name : templates.getMemberNames())
        template_names.push_back(templates[name]["keys"]["name"].asString());
    templates = Json::Value(Json::objectValue);
    std::vector<std::string> template_guids;
    for (int i = 0; i < size.templates; ++i) {
        const std::string guid = guids.next();
        templates[guid]["type"] = "Template";
        templates[guid]["keys"]["name"] =
            numbered(template_names[i % template_names.size()], i / template_names.size() + 1);
        template_guids.push_back(guid);
    }

    Json::Value &scripts = server["folders"]["scripts"]["folders"];
    const Json::Value demo_scripts = scripts;
    scripts = Json::Value(Json::objectValue);
    for (const auto &name : demo_scripts.getMemberNames()) {
        const std::string type = demo_scripts[name]["type"].asString();
        if (type == "EmailAccount" || type == "CloudScript" || type == "StockScript")
            scripts[name] = demo_scripts[name];
    }
    const std::map<std::string, int> counts = {{"Script", size.scripts},
                                               {"Rule", size.rules},
                                               {"Schedule", size.schedules},
                                               {"TemplateLoop", size.loops}};
    for (const auto &kind : counts) {
        const std::vector<Json::Value> models = folders_of_type(demo_scripts, kind.first);
        for (int i = 0; i < kind.second && !models.empty(); ++i) {
            Json::Value object = models[i % models.size()];
            object["keys"]["name"] = numbered(object["keys"]["name"].asString(), i + 1);
            if (kind.first == "Schedule") {
                // Each schedule controls channels of its own.
                std::string affected;
                for (int c = 0; c < 3; ++c)
                    affected += (c ? "," : "") + channel_guids[(i * 3 + c) % channel_guids.size()];
                object["keys"]["affected_channels"] = affected;
            }
            if (kind.first == "TemplateLoop") {
                std::string order;
                for (int t = 0; t < 4; ++t)
                    order += template_guids[(i * 4 + t) % template_guids.size()] + ":10:0 ";
                order += channel_guids[i % channel_guids.size()] + ":5:1";
                object["keys"]["templates_order"] = order;
            }
            scripts[guids.next()] = object;
        }
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, doc);
}

} // namespace sandbox

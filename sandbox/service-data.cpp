#include "sandbox/service-data.h"

#include "memory-host/memory-tree.h"

#include <json/json.h>

namespace sandbox {
namespace {

using namespace Rizurividuvez;

bool fail(std::string *error, const std::string &text)
{
    if (error)
        *error = "services: " + text;
    return false;
}

std::vector<std::string> strings_of(const Json::Value &list)
{
    std::vector<std::string> out;
    if (list.isArray())
        for (const auto &item : list)
            if (item.isString())
                out.push_back(item.asString());
    return out;
}

int argument_type(const std::string &type)
{
    if (type == "integer")
        return ARGUMENT_INTEGER;
    if (type == "real")
        return ARGUMENT_REAL;
    return ARGUMENT_STRING;
}

bool read_class(const Json::Value &json, const std::map<std::string, int> &event_ids,
                CatalogueClass &out, std::string *error)
{
    if (!json.isObject() || !json["name"].isString())
        return fail(error, "a class needs a \"name\"");
    out.name = json["name"].asString();
    out.events = strings_of(json["events"]);
    for (const auto &event : out.events)
        if (!event_ids.count(event))
            return fail(error, "class " + out.name + " raises unknown event '" + event + "'");
    for (const auto &m : json["methods"]) {
        CatalogueMethod method;
        method.name = m["name"].asString();
        for (const auto &a : m["arguments"])
            method.arguments.push_back({a["name"].asString(), argument_type(a["type"].asString())});
        out.methods.push_back(method);
    }
    for (const auto &s : json["states"])
        out.states.push_back({s["name"].asString(), strings_of(s["values"])});
    return true;
}

} // namespace

bool parse_service_catalogue(const Json::Value &services, const std::string &server_name,
                             ServiceCatalogue &out, std::string *error)
{
    out = ServiceCatalogue();
    if (services.isNull())
        return true;
    if (!services.isObject())
        return fail(error, "must be an object");

    std::map<std::string, int> event_ids;
    for (const auto &e : services["event_types"]) {
        if (!e["id"].isInt() || !e["name"].isString())
            return fail(error, "an event type needs an integer \"id\" and a \"name\"");
        EventType type;
        type.id = e["id"].asInt();
        type.name = e["name"].asString();
        type.members = strings_of(e["members"]);
        if (type.members.size() > 3)
            return fail(error, "event type " + type.name + " has more than three members");
        event_ids[type.name] = type.id;
        out.event_types.push_back(type);
    }
    for (const auto &c : services["classes"]) {
        CatalogueClass cls;
        if (!read_class(c, event_ids, cls, error))
            return false;
        out.catalogue.classes.push_back(cls);
    }
    for (const auto &o : services["objects"]) {
        if (!o["guid"].isString() || !o["class"].isString() || !o["name"].isString())
            return fail(error, "an object needs \"guid\", \"class\" and \"name\"");
        out.catalogue.objects.push_back(
            {o["guid"].asString(), o["name"].asString(), o["class"].asString(),
             o.isMember("parent") ? o["parent"].asString() : server_name});
    }
    out.sounds = strings_of(services["sounds"]);
    const auto read_files = [](const Json::Value &files, std::map<std::string, std::string> &to) {
        if (files.isObject())
            for (const auto &name : files.getMemberNames())
                to[name] = files[name].asString();
    };
    read_files(services["stock_files"], out.stock_files);
    read_files(services["data_files"], out.data_files);
    return true;
}

std::vector<CatalogueObject> objects_from_tree(memory_host::MemoryTree &tree,
                                               const std::string &server_name)
{
    std::vector<CatalogueObject> out;
    const std::string server = "/" + server_name;
    const std::string channels = server + "/channels";
    for (const auto &guid : tree.children(channels)) {
        const std::string path = channels + "/" + guid;
        if (tree.integer_value(path, "archive_zombie_flag") == 1)
            continue;
        out.push_back({guid, tree.string_value(path, "name"), "Camera", server_name});
    }
    const std::string scripts = server + "/scripts";
    for (const auto &guid : tree.children(scripts)) {
        const std::string path = scripts + "/" + guid;
        // Object folders are small: a snapshot is the cheap way to their type.
        if (tree.snapshot(path).type != "Schedule")
            continue;
        out.push_back({guid, tree.string_value(path, "name"), "Schedule", server_name});
    }
    return out;
}

ServiceLists service_lists(const ServiceCatalogue &source,
                           const std::vector<CatalogueObject> &tree_objects,
                           const std::string &server_name)
{
    ServiceLists out;
    out.catalogue = source.catalogue;
    out.catalogue.objects.insert(out.catalogue.objects.end(), tree_objects.begin(),
                                 tree_objects.end());
    std::map<std::string, int> event_ids;
    for (const auto &e : source.event_types)
        event_ids[e.name] = e.id;
    for (const auto &cls : out.catalogue.classes) {
        ObjectClass wizard{cls.name, {}};
        for (const auto &event : cls.events)
            wizard.possible_events.push_back(event_ids[event]);
        out.wizard_classes.push_back(wizard);
    }
    for (const auto &o : out.catalogue.objects) {
        out.objects.push_back({o.guid, o.class_name, o.parent, o.name});
        // The wizard tells schedules apart by their parent: the server's name
        // followed by "S".
        const std::string parent = o.class_name == "Schedule" ? server_name + "S" : server_name;
        out.wizard_objects.push_back({o.guid, parent, o.class_name, o.name});
    }
    return out;
}

} // namespace sandbox

#include "memory-host/tree-json.h"

#include <json/json.h>
#include <memory>
#include <sstream>

namespace memory_host {
namespace {

struct Node
{
    std::string type;
    int rights = 0xff;
    std::vector<std::pair<std::string, Value>> keys;
    std::vector<std::pair<std::string, Node>> folders;
};

bool read_value(const Json::Value &json, Value &out, std::string &error, const std::string &where)
{
    if (json.isString()) {
        out = Value::of_string(json.asString());
        return true;
    }
    if (json.isInt()) {
        out = Value::of_integer(json.asInt());
        return true;
    }
    if (json.isDouble()) {
        out = Value::of_real(json.asDouble());
        return true;
    }
    if (!json.isObject()) {
        error = where + ": a key must be a string, a number or an object";
        return false;
    }
    if (json.isMember("s") && json["s"].isString())
        out = Value::of_string(json["s"].asString());
    else if (json.isMember("i") && json["i"].isInt())
        out = Value::of_integer(json["i"].asInt());
    else if (json.isMember("r") && json["r"].isNumeric())
        out = Value::of_real(json["r"].asDouble());
    else {
        error = where + ": the key object needs one of \"s\", \"i\" (32-bit) or \"r\"";
        return false;
    }
    if (json.isMember("writable")) {
        if (!json["writable"].isBool()) {
            error = where + ": \"writable\" must be true or false";
            return false;
        }
        out.writable = json["writable"].asBool();
    }
    if (json.isMember("bindable")) {
        if (!json["bindable"].isBool()) {
            error = where + ": \"bindable\" must be true or false";
            return false;
        }
        out.bindable = json["bindable"].asBool();
    }
    return true;
}

bool read_node(const Json::Value &json, Node &node, std::string &error, const std::string &where,
               int depth)
{
    if (depth > 64) {
        error = where + ": folders nested too deep";
        return false;
    }
    if (!json.isObject()) {
        error = where + ": a folder must be an object";
        return false;
    }
    if (json.isMember("type")) {
        if (!json["type"].isString()) {
            error = where + ": \"type\" must be a string";
            return false;
        }
        node.type = json["type"].asString();
    }
    if (json.isMember("rights")) {
        if (!json["rights"].isInt()) {
            error = where + ": \"rights\" must be an integer";
            return false;
        }
        node.rights = json["rights"].asInt();
    }
    if (json.isMember("keys")) {
        const Json::Value &keys = json["keys"];
        if (!keys.isObject()) {
            error = where + ": \"keys\" must be an object";
            return false;
        }
        for (const auto &name : keys.getMemberNames()) {
            Value v;
            if (!read_value(keys[name], v, error, where + "/" + name))
                return false;
            node.keys.emplace_back(name, v);
        }
    }
    if (json.isMember("folders")) {
        const Json::Value &folders = json["folders"];
        if (!folders.isObject()) {
            error = where + ": \"folders\" must be an object";
            return false;
        }
        for (const auto &name : folders.getMemberNames()) {
            if (name.empty() || name.find('/') != std::string::npos) {
                error = where + ": bad folder name '" + name + "'";
                return false;
            }
            Node child;
            if (!read_node(folders[name], child, error, where + "/" + name, depth + 1))
                return false;
            node.folders.emplace_back(name, std::move(child));
        }
    }
    return true;
}

void apply(MemoryTree &tree, const std::string &path, const Node &node)
{
    if (!path.empty()) {
        tree.make_folder(path, node.type);
        tree.set_rights(path, node.rights);
    }
    for (const auto &kv : node.keys)
        tree.put(path.empty() ? "/" : path, kv.first, kv.second, false);
    for (const auto &child : node.folders)
        apply(tree, path + "/" + child.first, child.second);
}

Json::Value write_value(const Value &v)
{
    Json::Value out;
    const bool plain = v.writable && v.bindable;
    if (plain && v.type == 's')
        return Json::Value(v.text);
    if (plain && v.type == 'i')
        return Json::Value(v.integer);
    if (v.type == 's')
        out["s"] = v.text;
    else if (v.type == 'i')
        out["i"] = v.integer;
    else
        out["r"] = v.real;
    if (!v.writable)
        out["writable"] = false;
    if (!v.bindable)
        out["bindable"] = false;
    return out;
}

} // namespace

bool read_json_document(const std::string &text, Json::Value &out, std::string *error)
{
    // Two JSON levels per folder, well past the depth read_node accepts.
    static const int max_depth = 200;
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["stackLimit"] = max_depth;
    builder["failIfExtra"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    bool parsed = false;
    try {
        parsed = reader->parse(text.data(), text.data() + text.size(), &out, &errors);
    } catch (const std::exception &e) {
        errors = e.what(); // jsoncpp throws past its nesting limit
    }
    if (parsed)
        return true;
    if (!error)
        return false;
    if (errors.find("stackLimit") != std::string::npos) {
        *error = "the document is nested more than " + std::to_string(max_depth) + " levels deep";
        return false;
    }
    // "* Line 3, Column 1\n  Extra non-whitespace after JSON value.\n" -> "line 3, column 1: ...".
    std::string tidy;
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("* Line ", 0) == 0) {
            std::string where = "line " + line.substr(7);
            const auto column = where.find(", Column ");
            if (column != std::string::npos)
                where.replace(column, 9, ", column ");
            tidy += (tidy.empty() ? "" : "; ") + where;
        } else if (line.rfind("  ", 0) == 0) {
            const std::string what = line.substr(2);
            tidy += ": " + (what == "Extra non-whitespace after JSON value."
                                ? std::string("text follows the document's JSON value")
                                : what);
        }
    }
    *error = tidy.empty() ? errors : tidy;
    return false;
}

bool load_tree_json(MemoryTree &tree, const std::string &text, std::string *error)
{
    Json::Value json;
    std::string problem;
    if (!read_json_document(text, json, &problem)) {
        if (error)
            *error = problem;
        return false;
    }
    Node root;
    if (!read_node(json, root, problem, "", 0)) {
        if (error)
            *error = problem;
        return false;
    }
    for (const auto &name : tree.children("/"))
        tree.erase("/" + name);
    for (const auto &key : tree.snapshot("/").keys)
        tree.remove_key("/", key.first);
    apply(tree, "", root);
    return true;
}

Json::Value tree_json_value(const FolderSnapshot &folder)
{
    Json::Value out(Json::objectValue);
    if (!folder.type.empty())
        out["type"] = folder.type;
    if (folder.rights != 0xff)
        out["rights"] = folder.rights;
    if (!folder.keys.empty()) {
        Json::Value keys(Json::objectValue);
        for (const auto &kv : folder.keys)
            keys[kv.first] = write_value(kv.second);
        out["keys"] = keys;
    }
    if (!folder.folders.empty()) {
        Json::Value folders(Json::objectValue);
        for (const auto &child : folder.folders)
            folders[child.first] = tree_json_value(child.second);
        out["folders"] = folders;
    }
    return out;
}

std::string save_tree_json(MemoryTree &tree)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, tree_json_value(tree.snapshot("/"))) + "\n";
}

} // namespace memory_host

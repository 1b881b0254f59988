#include "memory-host/memory-host.h"
#include "memory-host/tree-json.h"

#include <QString>
#include <gtest/gtest.h>
#include <random>

using namespace memory_host;

namespace {

TEST(TreeJson, SaveThenLoadGivesTheSameTree)
{
    // A random tree with a fixed seed: every value kind, flags, rights,
    // nesting and non-ASCII text.
    std::mt19937 rng(20261205);
    MemoryTree original;
    const char *names[] = {"a", "b", "stats", "{6F1A}", "Ünïcode", "x y"};
    for (int i = 0; i < 300; ++i) {
        std::string path = "/S";
        for (int depth = rng() % 4; depth >= 0; --depth)
            path += "/" + std::string(names[rng() % 6]);
        original.make_folder(path, rng() % 2 ? "Rule" : "");
        const std::string key = std::string("k") + std::to_string(rng() % 5);
        switch (rng() % 3) {
        case 0:
            original.put(path, key, Value::of_string("line\n\"q\" é " + std::to_string(rng())));
            break;
        case 1:
            original.put(path, key, Value::of_integer(static_cast<int>(rng())));
            break;
        default:
            original.put(path, key, Value::of_real(static_cast<double>(rng() % 1000) / 8.0));
        }
        if (rng() % 7 == 0)
            original.set_writable(path, key, false);
        if (rng() % 11 == 0)
            original.set_bindable(path, key, false);
        if (rng() % 5 == 0)
            original.set_rights(path, static_cast<int>(rng() % 256));
    }
    const std::string text = save_tree_json(original);
    MemoryTree copy;
    std::string error;
    ASSERT_TRUE(load_tree_json(copy, text, &error)) << error;
    EXPECT_TRUE(original.snapshot("/") == copy.snapshot("/"));
}

std::string nested(int levels)
{
    const QString open = R"({"folders": {"a": )";
    return (open.repeated(levels) + "{}" + QString("}}").repeated(levels)).toStdString();
}

TEST(TreeJson, MalformedDocumentsAreRefusedAndLeaveTheTreeAlone)
{
    const struct
    {
        std::string text;
        const char *error; // a part of the message
    } bad[] = {
        {"", "line 1"},
        {"[]", "a folder must be an object"},
        {R"({"folders": []})", "\"folders\" must be an object"},
        {R"({"folders": {"a": 3}})", "/a: a folder must be an object"},
        {R"({"folders": {"a/b": {}}})", "bad folder name 'a/b'"},
        {R"({"folders": {"": {}}})", "bad folder name ''"},
        {R"({"keys": {"k": [1]}})", "/k: a key must be"},
        {R"({"keys": {"k": {"x": 1}}})", "needs one of"},
        {R"({"keys": {"k": {"i": 99999999999}}})", "needs one of"},
        {R"({"keys": {"k": {"s": "v", "writable": "no"}}})", "\"writable\" must be"},
        {R"({"type": 5})", "\"type\" must be a string"},
        {R"({"rights": "all"})", "\"rights\" must be an integer"},
        {R"({"folders": {"a": {"keys": {"k": null}}}})", "/a/k: a key must be"},
        // Nesting past what the reader takes: refused, never a crash.
        {nested(70), "nested too deep"},
        {nested(1000), "nested more than 200 levels deep"},
    };
    for (const auto &c : bad) {
        MemoryTree tree;
        tree.put_string("/KEEP", "name", "kept");
        std::string error;
        const std::string shown = c.text.substr(0, 60);
        EXPECT_FALSE(load_tree_json(tree, c.text, &error)) << shown;
        EXPECT_NE(std::string::npos, error.find(c.error)) << shown << " gave: " << error;
        EXPECT_EQ("kept", tree.string_value("/KEEP", "name")) << shown;
    }
}

} // namespace

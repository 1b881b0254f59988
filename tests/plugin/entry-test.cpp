// Loads the built plug-in library as the client does and drives its entry
// points against the in-memory host.

#include "memory-host/memory-host.h"
#include "plugin/entry.h"
#include "tests/support/page-fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using memory_host::MemoryHost;
using memory_host::Registration;

namespace {

const std::vector<std::string> registration_order = {"ScriptFolder", "Rule",         "Schedule",
                                                     "EmailAccount", "TemplateLoop", "Script",
                                                     "CloudScript",  "StockScript"};
const std::vector<std::string> unregistration_order = {"TemplateLoop", "Schedule",     "Rule",
                                                       "ScriptFolder", "EmailAccount", "Script",
                                                       "CloudScript",  "StockScript"};

std::vector<std::string> types_of(const std::vector<Registration> &calls, const std::string &op)
{
    std::vector<std::string> out;
    for (const auto &c : calls)
        if (c.op == op)
            out.push_back(c.type);
    return out;
}

// A new page of the type, for a new folder of that type under /DEMO/scripts.
std::unique_ptr<QWidget> open_page(MemoryHost &host, QObject *navigator, const std::string &type,
                                   const std::string &name)
{
    const std::string path = "/DEMO/scripts/" + name;
    host.tree().make_folder(path, type);
    auto factory = host.pages().factory(type);
    return std::unique_ptr<QWidget>(
        factory ? factory->create(navigator, host.tree().folder(path), host.server_root())
                : nullptr);
}

class PluginLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Never unloaded: Qt keeps type registrations that point into the library.
        handle = dlopen(VX_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        ASSERT_TRUE(handle) << dlerror();
        init = reinterpret_cast<vx_init_fn>(dlsym(handle, "vx_init"));
        after_load = reinterpret_cast<vx_after_load_fn>(dlsym(handle, "vx_after_load"));
        done = reinterpret_cast<vx_done_fn>(dlsym(handle, "vx_done"));
        ASSERT_TRUE(init && after_load && done);
    }
    void *handle = nullptr;
    vx_init_fn init = nullptr;
    vx_after_load_fn after_load = nullptr;
    vx_done_fn done = nullptr;
};

TEST_F(PluginLibrary, RegistersEightTypesAndUnregistersWhatItRegisteredInOrderOnce)
{
    {
        MemoryHost early;
        init(&early);
        done();
        EXPECT_EQ((std::vector<std::string>{"Script", "CloudScript", "StockScript"}),
                  types_of(early.pages().registrations(), "unregister_page"))
            << "done without after_load unregisters only the script types";
    }
    MemoryHost host;
    init(&host);
    EXPECT_TRUE(host.pages().registrations().empty());
    after_load();
    EXPECT_EQ(registration_order, types_of(host.pages().registrations(), "register_page"));
    EXPECT_EQ(8u, host.pages().registrations().size());

    host.pages().clear_registrations();
    done();
    EXPECT_EQ(unregistration_order, types_of(host.pages().registrations(), "unregister_page"));
    EXPECT_EQ(8u, host.pages().registrations().size());
    EXPECT_FALSE(host.pages().factory("Rule"));

    host.pages().clear_registrations();
    done();
    EXPECT_TRUE(host.pages().registrations().empty()) << "a second vx_done sends nothing";
}

// Pages of every type are built by the unload test below.
TEST_F(PluginLibrary, ASecondAfterLoadMakesNewFactoriesAndPagesLogThroughTheHost)
{
    MemoryHost host;
    host.tree().make_folder("/DEMO/scripts", "ScriptFolder");
    init(&host);
    after_load();
    auto first = host.pages().factory("Rule");
    after_load();
    EXPECT_EQ(16u, host.pages().registrations().size());
    EXPECT_NE(first, host.pages().factory("Rule")) << "a second vx_after_load makes new factories";
    first.reset();

    // The plug-in's own copy of the logging facility writes only through the
    // sink it got in vx_init.
    host.tree().fail_calls(memory_host::FaultRule{"subscribe", "", "", -1, "no subscriptions"});
    RecordingNavigator navigator;
    open_page(host, &navigator, "ScriptFolder", "refused").reset();
    EXPECT_TRUE(host.log().contains("no subscriptions", 2));
    done();
}

// Child process of the unload test: a host session from loading to unloading,
// then a normal exit. Qt's process-wide caches are torn down at that exit, so
// anything the library left in them crashes it.
void use_every_page_then_unload()
{
    void *handle = dlopen(VX_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        std::_Exit(2);
    auto init = reinterpret_cast<vx_init_fn>(dlsym(handle, "vx_init"));
    auto after_load = reinterpret_cast<vx_after_load_fn>(dlsym(handle, "vx_after_load"));
    auto done = reinterpret_cast<vx_done_fn>(dlsym(handle, "vx_done"));
    {
        MemoryHost host;
        host.tree().make_folder("/DEMO/scripts", "ScriptFolder");
        init(&host);
        after_load();
        RecordingNavigator navigator;
        for (const auto &type : registration_order) {
            std::unique_ptr<QWidget> page = open_page(host, &navigator, type, type);
            page->show();
            for (QLineEdit *edit : page->findChildren<QLineEdit *>())
                if (edit->isVisible() && edit->isEnabled())
                    QTest::keyClicks(edit, "mail.example.com");
            for (QPlainTextEdit *edit : page->findChildren<QPlainTextEdit *>())
                QTest::keyClicks(edit, "x = 1");
            settle_events();
        }
        settle_events();
        done();
        host.release_plugin();
        if (dlclose(handle) != 0)
            std::_Exit(3);
    }
    std::exit(0);
}

TEST(PluginUnload, AProcessThatUsedEveryPageExitsCleanlyAfterUnloading)
{
    ::testing::GTEST_FLAG(death_test_style) = "threadsafe";
    EXPECT_EXIT(use_every_page_then_unload(), ::testing::ExitedWithCode(0), "");
}

TEST(PluginExports, OnlyTheThreeEntryPointsAreExported)
{
    const std::string command = std::string("nm -D --defined-only ") + VX_PLUGIN_PATH;
    FILE *pipe = popen(command.c_str(), "r");
    ASSERT_TRUE(pipe);
    std::set<std::string> functions;
    char line[1024];
    while (fgets(line, sizeof line, pipe)) {
        char address[64], kind[8], name[900];
        if (sscanf(line, "%63s %7s %899s", address, kind, name) == 3 && kind[0] != 'A')
            functions.insert(name);
    }
    pclose(pipe);
    EXPECT_EQ((std::set<std::string>{"vx_init", "vx_after_load", "vx_done"}), functions);
}

} // namespace

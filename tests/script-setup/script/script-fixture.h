#pragma once
// A scripts folder with one script on the operator's own server, and the
// script page opened on it.

#include "plugin/entry.h"
#include "script-setup/script/setup-script.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

const char *const scripts_path = "/DEMO/scripts";
const char *const script_path = "/DEMO/scripts/s1";
const char *const stats_path = "/DEMO/scripts/s1/stats";

// Declares one string parameter "who"; its data folder is ACME_Doors_1_0.
const char *const declared_script = "# Door check\n"
                                    "\"\"\"<parameters>\n"
                                    "<company>ACME</company><title>Doors</title>"
                                    "<version>1.0</version>\n"
                                    "<parameter><type>string</type><id>who</id>"
                                    "<name>Who</name><value>me</value></parameter>\n"
                                    "</parameters>\"\"\"\n"
                                    "import time\n";

// The script "Door check" with the text, its stats and its scripts folder.
inline void make_script_tree(memory_host::MemoryTree &tree, const std::string &script,
                             int rights = 0xff)
{
    load_tree_file(tree, "script/page.json");
    tree.put_string(script_path, "script", script);
    tree.set_rights(script_path, rights);
}

// A page of the plug-in's own kind, made by the test, with the plug-in
// initialised on the test's host for its life.
template <class Page> class PluginPage : public PageTest
{
protected:
    PluginPage() { vx_init(&host); }
    ~PluginPage() override
    {
        page.reset();
        vx_done();
    }
    template <class W> W *get(const char *name) { return child<W>(page.get(), name); }
    void click(const char *name)
    {
        QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton);
        settle_events();
    }

    std::unique_ptr<Page> page;
};

class ScriptPage : public PluginPage<QSetupScript>
{
protected:
    void open(const std::string &script, int rights = 0xff)
    {
        make_script_tree(tree, script, rights);
        open_existing();
    }
    void open_existing()
    {
        page.reset(new QSetupScript(&navigator, tree.folder(script_path), host.server_root()));
        page->resize(900, 600);
        settle_events();
        tree.clear_calls();
    }
    QPlainTextEdit *editor() { return get<QPlainTextEdit>("script_text"); }
    void type_in_editor(const char *text)
    {
        editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(editor(), text);
    }
    std::vector<std::string> written_keys()
    {
        std::vector<std::string> keys;
        for (const auto &c : tree.calls_of("set_string"))
            keys.push_back(c.key);
        return keys;
    }
};

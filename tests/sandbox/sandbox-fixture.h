#pragma once
// A sandbox as the program builds it: a session on the demo server (or a
// tree file), the plug-in loaded by path and handed the session's host, and
// the window that embeds the pages.

#include "sandbox/main-window.h"
#include "sandbox/plugin-library.h"
#include "sandbox/session.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

class SandboxTest : public ::testing::Test
{
protected:
    void start(const sandbox::SessionSource &source = sandbox::SessionSource())
    {
        QString error;
        session = sandbox::Session::open(source, &error);
        ASSERT_TRUE(session) << error.toStdString();
        plugin.reset(new sandbox::PluginLibrary(session->host().log()));
        ASSERT_TRUE(plugin->load(VX_PLUGIN_PATH, &error)) << error.toStdString();
        plugin->init(&session->host());
        plugin->after_load();
        window.reset(new sandbox::MainWindow(*session, plugin->path()));
    }

    void TearDown() override
    {
        if (!session)
            return;
        window.reset();
        session->settle();
        plugin->done();
        EXPECT_EQ(0, session->tree().lock_balance());
        EXPECT_TRUE(session->tree().lock_violations().empty());
    }

    std::string scripts() const { return session->server_path() + "/scripts"; }

    // The folders of the scripts folder whose type is the given one.
    std::vector<std::string> objects_of(const std::string &type)
    {
        std::vector<std::string> out;
        for (const auto &name : session->tree().children(scripts()))
            if (session->tree().snapshot(scripts() + "/" + name).type == type)
                out.push_back(scripts() + "/" + name);
        return out;
    }

    template <class T> T *child(QWidget *page, const char *name)
    {
        return page ? page->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    }

    std::unique_ptr<sandbox::Session> session;
    std::unique_ptr<sandbox::PluginLibrary> plugin;
    std::unique_ptr<sandbox::MainWindow> window;
};

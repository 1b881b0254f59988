#pragma once
// The template loop page on a demo server: three templates (guid order
// t-a "Zulu", t-b "Alpha", t-c "Mid"), two channels (ch1 "Gate", ch2
// "Yard") and the loop /DEMO/scripts/loop1 "Lobby". The page reaches the
// host through the plug-in's entry point, as in the client.

#include "memory-host/objects-service.h"
#include "plugin/entry.h"
#include "script-setup/setup-loop.h"
#include "tests/script-setup/page-helpers.h"
#include "tests/support/page-fixture.h"

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <boost/make_shared.hpp>
#include <memory>

inline constexpr const char *loop_path = "/DEMO/scripts/loop1";

inline std::vector<LoopElement *> rows_of(QWidget *page)
{
    std::vector<LoopElement *> rows;
    auto *list = child<QVBoxLayout>(page, "loop_element_list");
    for (int i = 0; list && i < list->count(); ++i)
        if (auto *row = qobject_cast<LoopElement *>(list->itemAt(i)->widget()))
            rows.push_back(row);
    return rows;
}

// "guid:seconds:kind" of every row, as the page would store them.
inline std::string rows_text(QWidget *page)
{
    std::string text;
    for (LoopElement *row : rows_of(page))
        text += (text.empty() ? "" : " ") + row->guid().toStdString() + ":" +
                std::to_string(row->timeout()) + ":" + std::to_string(row->kind());
    return text;
}

inline Rizurividuvez::ObjectInfo object_info(const char *guid, const char *cls, const char *parent)
{
    return Rizurividuvez::ObjectInfo{guid, cls, parent, guid};
}

class LoopPage : public PageTest
{
protected:
    LoopPage()
    {
        load_tree_file(tree, "loop/server.json");
        host.offer_service("DEMO", objects_service);
        vx_init(&host);
    }
    ~LoopPage() override
    {
        page.reset();
        vx_done();
    }
    // With the stored order replaced, if one is given.
    void open(const char *order = nullptr)
    {
        if (order)
            tree.put_string(loop_path, "templates_order", order);
        page.reset(new QSetupLoop(&navigator, tree.folder(loop_path), host.server_root()));
        settle_events();
        tree.clear_calls();
    }
    template <class W> W *get(const char *name) { return child<W>(page.get(), name); }
    void click(const char *name)
    {
        QTest::mouseClick(get<QPushButton>(name), Qt::LeftButton);
        settle_events();
    }
    void click_in_row(size_t row, const char *button)
    {
        QTest::mouseClick(child<QAbstractButton>(rows_of(page.get()).at(row), button),
                          Qt::LeftButton);
        settle_events();
    }
    std::string stored(const char *key) { return tree.string_value(loop_path, key); }
    // The server's objects service lists these objects to the open page.
    void list_objects(const std::vector<Rizurividuvez::ObjectInfo> &objects)
    {
        objects_service->set_objects(objects);
        objects_service->wait_idle();
        settle_events();
    }

    boost::shared_ptr<memory_host::MemoryObjectsService> objects_service =
        boost::make_shared<memory_host::MemoryObjectsService>();
    std::unique_ptr<QSetupLoop> page;
};

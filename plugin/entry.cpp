// The three entry points the host resolves by name, and the registration of
// one page factory per object type.

#include "plugin/entry.h"
#include "plugin/module-state.h"
#include "plugin/setup-generator.h"
#include "script-setup/pages.h"
#include "script-setup/references/reference-index.h"
#include "utils/logging.h"

#include <boost/shared_ptr.hpp>
#include <cstring>
#include <string>

namespace {

using Rizurividuvez::HostRoot;

HostRoot *g_host = nullptr;
HostRoot *g_parameters_host = nullptr;
HostRoot *g_stock_host = nullptr;

// One of the five types that keep a host pointer of their own.
struct TypeSlot
{
    const char *type;
    HostRoot *host;
    boost::shared_ptr<QSetupDialogGenerator> factory;
};

TypeSlot g_folder_slot{"ScriptFolder", nullptr, {}};
TypeSlot g_rule_slot{"Rule", nullptr, {}};
TypeSlot g_schedule_slot{"Schedule", nullptr, {}};
TypeSlot g_email_slot{"EmailAccount", nullptr, {}};
TypeSlot g_loop_slot{"TemplateLoop", nullptr, {}};

boost::shared_ptr<QSetupDialogGenerator> g_script_factory;
boost::shared_ptr<QSetupDialogGenerator> g_cloud_factory;
boost::shared_ptr<QSetupDialogGenerator> g_stock_factory;

template <class Page>
void register_type(const char *type, boost::shared_ptr<QSetupDialogGenerator> &slot)
{
    slot.reset(new QTemplateSetupGenerator<Page>);
    const std::string type_string(type);
    g_host->setup_pages()->register_page(type_string, slot);
}

template <class Page> void register_slot(TypeSlot &slot)
{
    slot.host = g_host;
    register_type<Page>(slot.type, slot.factory);
}

void unregister_slot(TypeSlot &slot)
{
    if (slot.host) {
        const std::string type_string(slot.type);
        slot.host->setup_pages()->unregister_page(type_string);
    }
    slot.factory.reset();
    slot.host = nullptr;
}

} // namespace

namespace module_state {

Rizurividuvez::HostRoot *host()
{
    return g_host;
}
Rizurividuvez::HostRoot *parameters_host()
{
    return g_parameters_host;
}
Rizurividuvez::HostRoot *stock_host()
{
    return g_stock_host;
}

Rizurividuvez::HostRoot *type_host(const char *type)
{
    for (TypeSlot *slot :
         {&g_folder_slot, &g_rule_slot, &g_schedule_slot, &g_email_slot, &g_loop_slot})
        if (std::strcmp(slot->type, type) == 0)
            return slot->host;
    return nullptr;
}

} // namespace module_state

extern "C" {

__attribute__((visibility("default"))) void vx_init(Rizurividuvez::HostRoot *host)
{
    g_host = host;
    g_parameters_host = host;
    g_stock_host = host;
    logging_facility::set_sink(host ? host->log_sink()
                                    : boost::shared_ptr<Rizurividuvez::LogSink>());
}

__attribute__((visibility("default"))) void vx_after_load()
{
    register_slot<QSetupScriptsFolder>(g_folder_slot);
    register_slot<QSetupRule>(g_rule_slot);
    register_slot<QSetupSchedule>(g_schedule_slot);
    register_slot<QSetupEmailAccount>(g_email_slot);
    register_slot<QSetupLoop>(g_loop_slot);
    register_type<QSetupScript>("Script", g_script_factory);
    register_type<QSetupCloudScript>("CloudScript", g_cloud_factory);
    register_type<QSetupStockScript>("StockScript", g_stock_factory);
}

__attribute__((visibility("default"))) void vx_done()
{
    unregister_slot(g_loop_slot);
    unregister_slot(g_schedule_slot);
    unregister_slot(g_rule_slot);
    unregister_slot(g_folder_slot);
    unregister_slot(g_email_slot);
    if (g_host) {
        Rizurividuvez::SetupPages *pages = g_host->setup_pages();
        pages->unregister_page("Script");
        pages->unregister_page("CloudScript");
        pages->unregister_page("StockScript");
    }
    g_script_factory.reset();
    g_cloud_factory.reset();
    g_stock_factory.reset();
    // The host's folders may go once it is done with the plug-in.
    references::ReferenceIndex::forget_all();
    g_host = nullptr;
}

} // extern "C"

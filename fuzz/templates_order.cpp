// The stored "templates_order" value, as another client or a damaged tree may
// leave it, read by the loop page's loading code; what it reads must save and
// read back the same, and make a script whose values stay in their literals.

#include "fuzz/schedule-fuzz-support.h"
#include "memory-host/memory-tree.h"
#include "script-setup/loop/loop-script.h"
#include "script-setup/loop/templates-order.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using schedule_fuzz::require;

memory_host::MemoryTree &tree()
{
    static memory_host::MemoryTree *t = [] {
        schedule_fuzz::quiet_log();
        auto *made = new memory_host::MemoryTree;
        made->make_folder("/DEMO/scripts/loop1", "TemplateLoop");
        return made;
    }();
    return *t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    memory_host::MemoryTree &t = tree();
    t.clear_calls();
    t.put_string("/DEMO/scripts/loop1", "templates_order",
                 std::string(reinterpret_cast<const char *>(data), size));

    std::vector<loop::LoopEntry> rows;
    loop::load_templates_order(t.folder("/DEMO/scripts/loop1"), [&](const loop::LoopEntry &e) {
        require(e.kind == loop::TEMPLATE || e.kind == loop::CHANNEL);
        loop::LoopEntry row = e;
        row.seconds = loop::clamp_seconds(e.seconds);
        rows.push_back(row);
    });
    require(t.lock_balance() == 0);

    // What the page would save reads back as the same rows.
    const loop::TemplatesOrder back =
        loop::parse_templates_order(loop::format_templates_order(rows));
    require(back.fault == loop::TemplatesOrder::NONE);
    require(back.entries == rows);

    // Escaped values never add a line to the script.
    loop::LoopScriptInput input;
    input.operator_gui = rows.empty() ? QByteArray("op1") : rows.front().guid;
    if (input.operator_gui.isEmpty())
        input.operator_gui = "op1";
    input.shortcut = QString::fromUtf8(reinterpret_cast<const char *>(data),
                                       static_cast<int>(std::min<size_t>(size, 64)));
    input.entries = rows;
    require(loop::generate_loop_script(input).count(QLatin1Char('\n')) == 54);
    return 0;
}

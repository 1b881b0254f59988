#include "script-setup/loop/loop-script.h"

#include "utils/python-literal.h"
#include "utils/text.h"

#include <QCoreApplication>

namespace loop {
namespace {

const char *const script_template =
    "gui_object = object('%3')\n"
    "templates_order = %2\n"
    "\n"
    "running = False\n"
    "global_run_count = 0\n"
    "current_template = -1\n"
    "\n"
    "def stop():\n"
    "\tglobal running\n"
    "\tglobal current_template\n"
    "\tglobal global_run_count\n"
    "\trunning = False\n"
    "\tcurrent_template = -1\n"
    "\tglobal_run_count = global_run_count + 1\n"
    "\n"
    "def on_focus_change(channel_guid):\n"
    "\tif running:\n"
    "\t\talert('%5')\n"
    "\t\tstop()\n"
    "\n"
    "def on_layout_change(monitor_n, layout):\n"
    "\tif layout == 'empty':\n"
    "\t\treturn\n"
    "\tif running and monitor_n == %1 and templates_order[current_template][2] == 'channel' and "
    "layout != 'pavo7(1,'+templates_order[current_template][0]+')' :\n"
    "\t\tstop()\n"
    "\n"
    "def on_template_change(monitor_n, template_guid):\n"
    "\tif running and monitor_n == %1 and templates_order[current_template][2] == 'template' and "
    "template_guid != templates_order[current_template][0]:\n"
    "\t\tstop()\n"
    "\n"
    "def work(my_run):\n"
    "\tif (not running) or (my_run != global_run_count):\n"
    "\t\treturn\n"
    "\n"
    "\tglobal current_template\n"
    "\tcurrent_template = (current_template+1) % len(templates_order)\n"
    "\tif templates_order[current_template][2] == 'template':\n"
    "\t\tgui_object.show_template_by_guid(templates_order[current_template][0], %1);\n"
    "\tif templates_order[current_template][2] == 'channel':\n"
    "\t\tgui_object.show_channel(templates_order[current_template][0], %1);\n"
    "\n"
    "\ttimeout(1000*templates_order[current_template][1], lambda: work(my_run))\n"
    "\n"
    "def go():\n"
    "\tglobal running\n"
    "\tif not running%7:\n"
    "\t\tmessage('%6')\n"
    "\t\trunning = True\n"
    "\t\twork(global_run_count)\n"
    "\n"
    "activate_on_shortcut('%4', go)\n"
    "activate_on_focus_change(on_focus_change)\n"
    "activate_on_template_switch(on_template_change)\n"
    "activate_on_layout_change(on_layout_change)\n";

QString guid_text(const QByteArray &guid)
{
    return python_quoted_text(from_utf8_exact(guid));
}

} // namespace

const char *loop_script_template()
{
    return script_template;
}

QString python_quoted_text(const QString &text)
{
    return python_escaped(text, '\'');
}

QString substitute_once(const QString &text, const std::vector<QString> &values)
{
    QString out;
    out.reserve(text.size() * 2);
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 1 < text.size()) {
            const int n = text[i + 1].digitValue();
            if (n >= 1 && static_cast<size_t>(n) <= values.size()) {
                out += values[static_cast<size_t>(n - 1)];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString element_sequence(const std::vector<LoopEntry> &entries)
{
    QString text = QStringLiteral("(");
    for (size_t i = 0; i < entries.size(); ++i) {
        const LoopEntry &e = entries[i];
        if (i > 0)
            text += QLatin1Char(',');
        text +=
            QStringLiteral("('%1',%2, '%3')")
                .arg(guid_text(e.guid), QString::number(e.seconds),
                     e.kind == CHANNEL ? QStringLiteral("channel") : QStringLiteral("template"));
    }
    if (entries.size() == 1)
        text += QLatin1Char(',');
    return text + QLatin1Char(')');
}

QString generate_loop_script(const LoopScriptInput &input)
{
    if (input.operator_gui.isEmpty())
        return QString();
    const QString interrupted =
        QCoreApplication::translate("QSetupLoop", "Template loop interrupted by user");
    const QString starting = QCoreApplication::translate("QSetupLoop", "Starting template loop");
    return substitute_once(
        QString::fromLatin1(script_template),
        {QString::number(input.monitor), element_sequence(input.entries),
         guid_text(input.operator_gui), python_quoted_text(input.shortcut),
         python_quoted_text(interrupted), python_quoted_text(starting),
         input.entries.empty() ? QStringLiteral(" and len(templates_order) > 0") : QString()});
}

} // namespace loop

#include "sandbox/options.h"

namespace sandbox {

QString usage()
{
    return QStringLiteral(
               "Usage: quorix-sandbox [options]\n"
               "Loads the script setup plug-in as the client does and serves it a server.\n\n"
               "  --plugin PATH         the plug-in library (default: the one this build made)\n"
               "  --tree FILE           serve the tree file and save every change back to it\n"
               "  --demo-size SIZE      normal (default), large (2,000 channels, 500 scripts, "
               "...)\n"
               "                        or huge (the large server scaled 10x)\n"
               "  --tour DIR            grab every page to DIR/<type>-<folder>.png and exit\n"
               "  --open PATH           open this folder at start, such as /DEMO/scripts\n"
               "  --screenshot FILE     grab the window to FILE and exit\n"
               "  --print-script PATH   print the script of a rule or template loop folder and "
               "exit\n"
               "  --check-references    print each broken reference of the server's rules, loops\n"
               "                        and schedules as a JSON line; exit 1 when there is one\n"
               "  --scale F             the host's size factor for the pages (default 1)\n"
               "  --fire PATH KIND [ARGUMENT]\n"
               "                        fire at the enabled rules and scripts and print each "
               "run's\n"
               "                        trace as JSON lines (may be given several times; all are\n"
               "                        fired at time 0, in order). KIND is one of:\n"
               "%1"
               "  --clock MODE          instant (default: the virtual clock jumps) or real\n"
               "  --horizon S           how many seconds the clock runs after firing (default "
               "600)\n"
               "  --time-limit S        stop a script step after S seconds (default 10)\n"
               "  --memory-limit MB     the scripts' memory (default 1024)\n"
               "  -h, --help            this text\n\n"
               "Scripts run in a python3 child process with your user's rights.\n"
               "Without a display the sandbox takes the tour into tour/.\n")
        .arg(fire_kinds_help());
}

bool parse_options(const QStringList &arguments, Options &out, QString *error)
{
    out = Options();
    auto value = [&](int &i, QString &target) {
        if (i + 1 >= arguments.size()) {
            *error = QStringLiteral("%1 needs a value").arg(arguments[i]);
            return false;
        }
        target = arguments[++i];
        return true;
    };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        QString size;
        if (arg == "-h" || arg == "--help")
            out.help = true;
        else if (arg == "--plugin") {
            if (!value(i, out.plugin))
                return false;
        } else if (arg == "--tree") {
            if (!value(i, out.tree_file))
                return false;
        } else if (arg == "--tour") {
            if (!value(i, out.tour_dir))
                return false;
        } else if (arg == "--open") {
            if (!value(i, out.open_path))
                return false;
        } else if (arg == "--screenshot") {
            if (!value(i, out.screenshot))
                return false;
        } else if (arg == "--print-script") {
            if (!value(i, out.print_script))
                return false;
        } else if (arg == "--check-references") {
            out.check_references = true;
        } else if (arg == "--demo-size") {
            if (!value(i, size))
                return false;
            if (size != "normal" && size != "large" && size != "huge") {
                *error =
                    QStringLiteral("--demo-size takes normal, large or huge, not %1").arg(size);
                return false;
            }
            out.large = size != "normal";
            out.huge = size == "huge";
        } else if (arg == "--scale") {
            QString factor;
            if (!value(i, factor))
                return false;
            bool number = false;
            out.scale = factor.toDouble(&number);
            if (!number || out.scale < 0.5 || out.scale > 4) {
                *error = QStringLiteral("--scale takes a factor from 0.5 to 4, not %1").arg(factor);
                return false;
            }
        } else if (arg == "--fire") {
            FireRequest fire;
            if (!value(i, fire.path) || !value(i, fire.kind))
                return false;
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith("--"))
                fire.argument = arguments[++i];
            out.fires.push_back(fire);
        } else if (arg == "--clock") {
            QString mode;
            if (!value(i, mode))
                return false;
            if (mode != "instant" && mode != "real") {
                *error = QStringLiteral("--clock takes instant or real, not %1").arg(mode);
                return false;
            }
            out.real_clock = mode == "real";
        } else if (arg == "--horizon" || arg == "--time-limit" || arg == "--memory-limit") {
            QString text;
            if (!value(i, text))
                return false;
            bool number = false;
            const double n = text.toDouble(&number);
            if (!number || n <= 0) {
                *error = QStringLiteral("%1 takes a positive number, not %2").arg(arg, text);
                return false;
            }
            if (arg == "--horizon")
                out.horizon_s = n;
            else if (arg == "--time-limit")
                out.time_limit_s = n;
            else
                out.memory_mb = static_cast<int>(n);
        } else if (arg.startsWith("-platform") || arg.startsWith("-style")) {
            ++i; // Qt's own options take a value
        } else {
            *error = QStringLiteral("unknown argument %1").arg(arg);
            return false;
        }
    }
    if (out.large && !out.tree_file.isEmpty()) {
        *error = QStringLiteral("--demo-size and --tree exclude each other");
        return false;
    }
    return true;
}

} // namespace sandbox

#pragma once
// The sandbox's command line.

#include "sandbox/engine/fire-request.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace sandbox {

struct Options
{
    QString plugin;       // empty: the plug-in this build made
    QString tree_file;    // empty: the demo server, in memory
    bool large = false;   // --demo-size large or huge: a generated server
    bool huge = false;    // --demo-size huge: the large server scaled 10x
    QString tour_dir;     // empty: no tour
    QString open_path;    // folder to open at start
    QString screenshot;   // grab the window to this file and exit
    QString print_script; // print the script of this rule or loop folder and exit
    double scale = 1.0;   // the host's size factor
    bool help = false;
    // --check-references: list the broken references and exit
    bool check_references = false;
    // --fire: what to fire at the scripts, with the clock and the limits
    std::vector<FireRequest> fires;
    bool real_clock = false;
    double time_limit_s = 10;
    int memory_mb = 1024;
    double horizon_s = 600;
    bool headless() const
    {
        return !tour_dir.isEmpty() || !screenshot.isEmpty() || !print_script.isEmpty() ||
               !fires.empty() || check_references;
    }
};

// Returns false with a message for the user on bad arguments.
bool parse_options(const QStringList &arguments, Options &out, QString *error);
QString usage();

} // namespace sandbox

#pragma once
// The sandbox's command line.

#include <QString>
#include <QStringList>

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
    bool headless() const
    {
        return !tour_dir.isEmpty() || !screenshot.isEmpty() || !print_script.isEmpty();
    }
};

// Returns false with a message for the user on bad arguments.
bool parse_options(const QStringList &arguments, Options &out, QString *error);
QString usage();

} // namespace sandbox

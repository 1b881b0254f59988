#pragma once
// The headless tour: every folder of the server whose type has a page is
// opened in the window, as an operator would, and its page grabbed to
// DIR/<type>-<folder>.png, with one line per page on the output.

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

class QTextStream;

namespace sandbox {

class MainWindow;
class Session;

struct TourStop
{
    QString file;
    QString type;
    QSize size;
    QSize area; // the room the window gave the page
    // What needs a horizontal scroll bar: the page, or its scroll areas by name.
    QStringList too_wide;
    QStringList small_text; // labels the page's scaled font did not reach
    double build_ms = 0;
};

// Returns the pages grabbed; false in *ok when the folder cannot be written
// or a picture cannot be saved.
std::vector<TourStop> run_tour(MainWindow &window, Session &session, const QString &dir,
                               QTextStream &out, bool *ok);

} // namespace sandbox

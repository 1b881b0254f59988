#pragma once
// What the script, cloud script and stock script pages share: the scripts
// folder above them with its "show_warnings" switch, and the way the
// engine's last error or warning is marked in the editor and shown.

#include "plugin/rizurividuvez.h"

#include <QWidget>
#include <boost/shared_ptr.hpp>

#include <functional>

class QDirTracker;
class QLabel;
class QScriptWidget;
class QScrollArea;
class ScriptParametersEditor;

namespace script_marks {
extern const char *const error_colour;   // "#A00000"
extern const char *const warning_colour; // "#EF792D"
} // namespace script_marks

class SetupScriptBase : public QWidget
{
    Q_OBJECT
public:
    SetupScriptBase(QObject *navigator, Settings folder, Settings server_root);
    ~SetupScriptBase() override;

    bool show_warnings() const { return show_warnings_; }

public Q_SLOTS:
    void all_scripts_values_changed();

protected:
    // Called when "show_warnings" of the scripts folder changed.
    virtual void show_warnings_changed() {}

    // Selects the 1-based line as the only extra selection, in the colour
    // given; a line below 1 (or an empty colour) clears the mark.
    static void mark_line(QScriptWidget *editor, int line, const char *colour);
    // "ERROR: %1" in the error colour, else (when not empty) "WARNING: %1" in
    // the warning colour; without either the label is emptied and hidden.
    static void show_problem(QLabel *label, const QString &error, const QString &warning);
    // Replaces the form in the scroll area by a new one of the server's
    // objects; `fill` connects it and gives it its declaration and values
    // before the rows are laid out.
    static ScriptParametersEditor *
    build_parameters_form(QScrollArea *area, const QString &server_name,
                          const std::function<void(ScriptParametersEditor *)> &fill);

    QObject *navigator_;
    Settings folder_;
    Settings server_root_;
    Settings parent_; // the scripts folder; empty when there is none

private:
    bool read_show_warnings();

    bool show_warnings_ = false;
    boost::shared_ptr<QDirTracker> parent_tracker_;
};

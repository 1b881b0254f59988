#pragma once
// The window's side of the scripting environment: the Fire menu, the
// firing entries of the settings tree's context menu, and the trace pane.

#include <QObject>

class QMainWindow;
class QMenu;
class QAction;

namespace sandbox {

class ScriptEnvironment;
class Session;
class SettingsTreeView;
class TracePane;
struct FireRequest;

class EngineUi : public QObject
{
    Q_OBJECT
public:
    EngineUi(Session &session, SettingsTreeView *tree, QMainWindow *window);

    TracePane *trace_pane() const { return pane_; }
    ScriptEnvironment *environment() const { return environment_; }
    // Fires and shows the trace; a refusal goes to the status bar.
    bool fire(const FireRequest &request);

Q_SIGNALS:
    void fired();

private:
    void build_menu();
    void tree_menu(const QPoint &at);
    void add_folder_entries(QMenu *menu, const QString &path);
    QString selected_path() const;
    void ask_shortcut(const QString &kind);
    void ask_event(QString path); // empty: asks for the object too

    Session &session_;
    SettingsTreeView *tree_;
    QMainWindow *window_;
    ScriptEnvironment *environment_;
    TracePane *pane_;
    QAction *real_clock_ = nullptr;
};

} // namespace sandbox

#pragma once
// The sandbox's window: the server's settings tree on the left, the page
// the plug-in builds for the chosen folder (or its keys) on the right, the
// plug-in's log at the bottom, and a menu to open and save tree files.

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QScrollArea;
class QStackedWidget;
class QTabWidget;

namespace sandbox {

class EngineUi;
class KeysView;
class LogPane;
class Navigator;
class Session;
class SettingsTreeView;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(Session &session, const QString &plugin_path, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the folder: the page of its type when the plug-in registered
    // one, else its keys. Returns the page, or null. Unknown paths wait
    // until the folder appears.
    QWidget *open_folder(const QString &path);
    // As open_folder, for a folder that must exist now; false with a message
    // (which suggests the server's folder of that name) when it does not.
    bool open_existing_folder(const QString &path, QString *error);
    QString current_path() const { return current_path_; }
    QWidget *current_page() const { return page_; }
    // Nanoseconds the factory took to build the current page.
    qint64 last_build_ns() const { return last_build_ns_; }
    Navigator *navigator() const { return navigator_; }
    SettingsTreeView *tree_view() const { return tree_view_; }
    KeysView *keys_view() const { return keys_view_; }
    LogPane *log_pane() const { return log_pane_; }
    EngineUi *engine_ui() const { return engine_ui_; }
    // The room a page gets: the page area's size, and a window size that
    // gives it the size asked for.
    QSize page_area_size() const;
    void resize_page_area(const QSize &size);
    // Brings the trace pane to the front of the bottom tabs.
    void show_trace();
    // Closes the page (the host destroys it, as the client does).
    void close_page();

protected:
    // With changes that could not be saved, asks before they go.
    void closeEvent(QCloseEvent *event) override;

private:
    void build_menus();
    void save_failed(const QString &error);
    void structure_changed();
    void key_written(const QString &path, const QString &key);
    void show_header(const QString &path, const QString &type);
    void follow_tree_in_tab_order(QWidget *page);
    void open_tree_file();
    void save_tree_file_as();
    void update_title();

    Session &session_;
    QString plugin_path_;
    Navigator *navigator_;
    SettingsTreeView *tree_view_;
    QLabel *title_;
    QLabel *subtitle_;
    QStackedWidget *stack_;
    QScrollArea *page_area_;
    KeysView *keys_view_;
    LogPane *log_pane_;
    EngineUi *engine_ui_;
    QTabWidget *bottom_;
    QLabel *file_label_;
    QPointer<QWidget> page_;
    QString current_path_;
    QString pending_path_;
    qint64 last_build_ns_ = 0;
};

} // namespace sandbox

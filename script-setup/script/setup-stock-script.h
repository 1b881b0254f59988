#pragma once
// The page of a script shipped as a file in a stock folder: its parameter
// values always, and on the operator's own server its text, read from and
// written back to the file in the host's stock folder. Files of the shared
// stock folder are never shown nor changed.

#include "script-setup/script/editor-wiring.h"
#include "script-setup/script/setup-script-base.h"

#include <QString>
#include <string>

class QAutoConnect;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QScriptWidget;
class QStackedWidget;
class ScriptParametersEditor;
namespace Reusable {
class QSearchBar;
}

class QSetupStockScript : public SetupScriptBase
{
    Q_OBJECT
public:
    QSetupStockScript(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupStockScript() override;

    bool modified() const { return modified_; }
    bool writable() const { return writable_; }

Q_SIGNALS:
    void search_text(QString search_string, bool backwards);

public Q_SLOTS:
    void script_edited();
    void save_button_clicked();
    void revert_button_clicked();
    void stats_changed();
    void script_changed();
    void parameters_source_switch_button_clicked();
    void prepare_search();
    void update_cursor_position();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build_layout();
    void connect_widgets();
    void build_form(const std::string &values);
    void update_buttons();
    void show_description();
    // The checked file name, or empty (logged and shown) when it is refused.
    QString checked_file_name(const std::string &name);
    bool load_file(const QString &file); // into the editor
    void write_file(const std::string &text);
    void refuse_file(const QString &file, const QString &why);
    void report_file_problem(const QString &log_text, const QString &message);
    void show_file_message(const QString &message);
    bool on_editor_page() const;
    editor_wiring::PageSwitch page_switch() const;

    std::string server_name_;
    bool readable_ = false;
    bool writable_ = false;
    bool modified_ = false;
    bool text_unread_ = false; // the file could not be read and no text was typed since
    std::string declaration_;  // "parameters_default" the form was built from
    std::string values_;       // "parameters" as last read
    QString shared_folder_;
    QString host_folder_;
    Settings stats_;
    boost::shared_ptr<QDirTracker> folder_tracker_;
    boost::shared_ptr<QDirTracker> stats_tracker_;
    QAutoConnect *autoconnect_ = nullptr;

    QLineEdit *name_ = nullptr;
    QLabel *run_count_ = nullptr;
    QLabel *error_count_ = nullptr;
    QStackedWidget *pages_ = nullptr;
    QWidget *parameters_page_ = nullptr;
    QLabel *description_caption_ = nullptr;
    QLabel *description_label_ = nullptr;
    QScrollArea *parameters_area_ = nullptr;
    ScriptParametersEditor *form_ = nullptr;
    QWidget *editor_page_ = nullptr;
    QScriptWidget *editor_ = nullptr;
    Reusable::QSearchBar *search_bar_ = nullptr;
    QLabel *cursor_position_ = nullptr;
    QPushButton *save_button_ = nullptr;
    QPushButton *revert_button_ = nullptr;
    QPushButton *switch_button_ = nullptr;
    QLabel *file_message_ = nullptr;
    QLabel *last_error_ = nullptr;
};

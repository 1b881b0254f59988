#pragma once
// The page of a script delivered by the cloud service: its status, its
// description and the local values of its parameters. Its code is never
// shown, and "parameters_local" is the only key it writes.

#include "script-setup/script/setup-script-base.h"

#include <string>

class QDirTracker;
class QLabel;
class QPushButton;
class QScrollArea;
class ScriptParametersEditor;

class QSetupCloudScript : public SetupScriptBase
{
    Q_OBJECT
public:
    QSetupCloudScript(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupCloudScript() override;

    bool modified() const { return modified_; }

    // What the status table and the error line show.
    struct Status
    {
        std::string name;
        bool enabled = false;
        unsigned long long download_ts = 0; // microseconds since 1970, 0 unknown
        int run_count = 0;
        int error_count = 0;
        std::string last_error;
        int last_error_line = -1;
        std::string last_warning;
        int last_warning_line = -1;
        unsigned long long last_run_ts = 0;
        unsigned long long last_successful_run_ts = 0;
        int successful_run_count = 0;
        int status_send_count = 0;
        bool operator==(const Status &o) const;
        bool operator!=(const Status &o) const { return !(*this == o); }
    };

public Q_SLOTS:
    void stats_dir_created();
    void script_changed();
    void parameters_edited();
    void stats_changed();
    void save_button_clicked();
    void revert_button_clicked();

protected:
    void show_warnings_changed() override;

private:
    void build_layout();
    void show_state(const QString &message); // disables the page
    void build_form();
    void set_status(const Status &status);
    void draw_status();
    void set_buttons();

    Settings stats_;
    boost::shared_ptr<QDirTracker> folder_tracker_;
    boost::shared_ptr<QDirTracker> stats_tracker_;
    std::string server_name_;
    std::string declaration_;
    std::string values_cloud_;
    std::string values_local_;
    std::string baseline_;
    bool modified_ = false;
    bool enabled_ = false;
    bool status_known_ = false;
    Status status_;

    QLabel *status_label_ = nullptr;
    QLabel *description_caption_ = nullptr;
    QLabel *description_label_ = nullptr;
    QScrollArea *parameters_area_ = nullptr;
    ScriptParametersEditor *form_ = nullptr;
    QLabel *last_error_ = nullptr;
    QPushButton *save_button_ = nullptr;
    QPushButton *revert_button_ = nullptr;
};

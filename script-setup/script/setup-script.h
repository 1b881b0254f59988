#pragma once
// The page of one Python script: its text in the editor, its parameter
// values in the form its header declares, its statistics and last error,
// and, on the operator's own server, publishing, its data folder and its
// translations.

#include "script-setup/script/editor-wiring.h"
#include "script-setup/script/setup-script-base.h"

#include <QMap>
#include <QPointer>
#include <QStringList>
#include <string>

class QAction;
class QAutoConnect;
class QDirTracker;
class QLabel;
class QLanguageInserterDialog;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QScriptWidget;
class QStackedWidget;
class QToolButton;
class ScriptParametersEditor;
namespace Reusable {
class QImageSelector;
class QSearchBar;
} // namespace Reusable

class QSetupScript : public SetupScriptBase
{
    Q_OBJECT
public:
    QSetupScript(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupScript() override;

    bool modified() const { return modified_; }
    // The data folder of the script's files; empty until the header names it.
    QString data_folder() const { return data_folder_; }

Q_SIGNALS:
    void search_text(QString search_string, bool backwards);

public Q_SLOTS:
    void load_example();
    void example_load_from_file_clicked();
    void example_load_from_file(QString filename);
    void show_settings_dialog();
    void show_objects_dialog();
    void script_edited();
    void save_button_clicked();
    void revert_button_clicked();
    void stats_changed();
    void script_changed();
    void delete_button_clicked();
    void delete_confirmed(int r);
    void publish_to_cloud_clicked();
    void publish_to_file_clicked();
    void publish_to_file(QString filename);
    void prepare_data_folder_menu();
    void data_folder_create_clicked();
    void script_data_folder_create(int r);
    void data_folder_open_clicked();
    void data_folder_clipboard_clicked();
    void parse_resources();
    void insertText(QString text);
    void parameters_source_switch_button_clicked();
    void error_show(QString title, QString message, QWidget *parent);
    void set_language_clicked(QAction *triggered_action);
    void language_add_clicked(QAction *action);
    void language_add_another_clicked();
    void add_language_accepted(QString lang);
    void launch_linguist_clicked(QAction *a);
    void lupdate_clicked(QAction *a);
    void parameters_editor_create(std::string parameters, std::string parameters_default = "");
    void prepare_search();
    void update_cursor_position();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void show_warnings_changed() override;

private:
    // setup-script-form.cpp
    void build_layout();
    void build_tool_menus();
    void fill_examples_menu();
    void connect_editor();
    // setup-script.cpp
    void update_buttons();
    void set_save_caption(int enable);
    void show_description(const std::string &actual_ts);
    bool on_editor_page() const;
    editor_wiring::PageSwitch page_switch() const;
    // setup-script-languages.cpp
    void build_language_menus();
    void update_languages_menu();
    void choose_translate_menu();
    bool translation_possible() const;
    void add_language(const QString &code);
    void set_language(const QString &code);
    QStringList available_languages();
    // setup-script-tools.cpp
    void load_example_file(const QString &path);
    void ask_data_folder_create();

    // Page state
    std::string server_name_;
    bool readable_ = false;
    bool writable_ = false;
    bool local_ = false;
    bool modified_ = false;
    bool unencoded_publish_ = false;
    std::string description_; // the declaration the form was built from
    QStringList resources_;
    QString data_root_;
    QString data_folder_name_;
    QString data_folder_;
    QMap<QString, QString> known_languages_;
    std::string available_languages_;
    Settings stats_;
    boost::shared_ptr<QDirTracker> folder_tracker_;
    boost::shared_ptr<QDirTracker> stats_tracker_;
    QAutoConnect *autoconnect_ = nullptr;

    // Widgets
    Reusable::QImageSelector *image_ = nullptr;
    QLineEdit *name_ = nullptr;
    QPushButton *delete_button_ = nullptr;
    QLabel *run_count_ = nullptr;
    QLabel *error_count_ = nullptr;
    QStackedWidget *pages_ = nullptr;
    QWidget *parameters_page_ = nullptr;
    QLabel *description_label_ = nullptr;
    QScrollArea *parameters_area_ = nullptr;
    ScriptParametersEditor *parameters_editor_ = nullptr;
    QWidget *editor_page_ = nullptr;
    QScriptWidget *editor_ = nullptr;
    Reusable::QSearchBar *search_bar_ = nullptr;
    QPushButton *save_button_ = nullptr;
    QPushButton *revert_button_ = nullptr;
    QWidget *editor_tools_ = nullptr;
    QLabel *cursor_position_ = nullptr;
    QToolButton *publish_button_ = nullptr;
    QToolButton *data_folder_button_ = nullptr;
    QToolButton *insert_button_ = nullptr;
    QToolButton *examples_button_ = nullptr;
    QToolButton *translate_button_ = nullptr;
    QPushButton *switch_button_ = nullptr;
    QLabel *last_error_ = nullptr;

    QAction *unencoded_action_ = nullptr;
    QLabel *data_folder_label_ = nullptr;
    QAction *data_folder_create_ = nullptr;
    QAction *data_folder_open_ = nullptr;
    QAction *data_folder_copy_ = nullptr;
    QMenu *examples_menu_ = nullptr;
    QMenu *translate_menu_ = nullptr; // Add, Edit, Update, Select
    QMenu *add_menu_ = nullptr;
    QMenu *edit_menu_ = nullptr;
    QMenu *update_menu_ = nullptr;
    QMenu *select_menu_ = nullptr;
    QPointer<QLanguageInserterDialog> language_dialog_;
};

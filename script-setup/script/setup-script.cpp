// The script page: construction, saving and reverting, change notifications,
// statistics, delete and the page switch.

#include "script-setup/script/setup-script.h"

#include "plugin/host.h"
#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/image-selector.h"
#include "qt4-pavo7/reusable/our-message-box.h"
#include "qt4-pavo7/reusable/search-bar.h"
#include "qt4-setup/src/dir-tracker.h"
#include "qt4-setup/src/settings-autoconnect.h"
#include "script-setup/editor/script-widget.h"
#include "script-setup/page-support.h"
#include "script-setup/script/editor-wiring.h"
#include "script-setup/script/script-header.h"
#include "script-setup/script/script-parameters-editor.h"
#include "utils/erase-request.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTextBlock>
#include <QToolButton>

namespace {

std::string parameters_description(const std::string &script, const std::string &actual_ts)
{
    return script_header::translate_declaration(script_header::declaration(script), actual_ts);
}

} // namespace

QSetupScript::QSetupScript(QObject *navigator, Settings folder, Settings server_root)
    : SetupScriptBase(navigator, folder, server_root)
{
    build_layout();
    page_support::scale_page(this);
    try {
        FolderLock guard(server_root_);
        server_name_ = server_root_->name();
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot load: %s\n", e.what());
    }
    int rights = 8; // unknown rights: shown, but not changed
    try {
        FolderLock guard(folder_);
        rights = folder_->rights();
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot load: %s\n", e.what());
    }
    readable_ = rights & 8;
    writable_ = rights & 64;
    Rizurividuvez::HostRoot *host = module_state::host();
    local_ = host && host->local_server_name() == server_name_;

    build_tool_menus();
    for (QWidget *w : std::initializer_list<QWidget *>{delete_button_, editor_, examples_button_,
                                                       switch_button_})
        w->setEnabled(writable_);
    if (!readable_) {
        setEnabled(false);
        return;
    }

    std::string script, parameters, actual_ts, language;
    bool language_read = false;
    try {
        FolderLock guard(folder_);
        script = folder_->get_string("script");
        parameters = folder_->get_string("parameters");
        stats_ = folder_->subdir("stats", 1);
        actual_ts = folder_->get_string_or("actual_ts", std::string());
        language = folder_->get_string_or("language", std::string());
        language_read = true;
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot load: %s\n", e.what());
    }
    description_ = parameters_description(script, actual_ts);

    editor_->setPlainText(from_utf8(script));
    editor_->setReadOnly(!writable_);
    modified_ = false;
    parameters_editor_create(parameters, description_);
    editor_tools_->hide();
    search_bar_->hide();
    parse_resources();
    show_description(actual_ts);

    fill_examples_menu();
    build_language_menus();
    choose_translate_menu();
    // Storing back a value that was never read would drop the chosen language.
    if (language_read)
        set_language(QString::fromStdString(language));

    if (writable_ && parameters_editor_->parameters_count() == 0)
        parameters_source_switch_button_clicked();

    folder_tracker_ = QDirTracker::create("QSetupScript", folder_);
    connect(folder_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
            &QSetupScript::script_changed, Qt::QueuedConnection);
    folder_tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES);
    if (stats_) {
        stats_tracker_ = QDirTracker::create("QSetupScript", stats_);
        connect(stats_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
                &QSetupScript::stats_changed, Qt::QueuedConnection);
        // Hosts that stay silent on subscribing would leave the counters
        // empty until the next run; one queued refresh stands in for the
        // first notification.
        if (stats_tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES))
            QMetaObject::invokeMethod(this, &QSetupScript::stats_changed, Qt::QueuedConnection);
    }
    autoconnect_ = new QAutoConnect(folder_, this);
    for (QWidget *w :
         std::initializer_list<QWidget *>{image_, name_, findChild<QCheckBox *>("enable")})
        autoconnect_->connect_widget(w);
    autoconnect_->load_values();
    autoconnect_->connect_signals(true);

    connect_editor();
    update_cursor_position();
    update_buttons();
}

QSetupScript::~QSetupScript() = default;

void QSetupScript::update_buttons()
{
    save_button_->setEnabled(modified_);
    revert_button_->setEnabled(modified_ && writable_);
    insert_button_->setEnabled(writable_);
    examples_button_->setEnabled(writable_);
    image_->setEnabled(writable_);
    publish_button_->setVisible(local_);
    data_folder_button_->setVisible(local_);
}

void QSetupScript::set_save_caption(int enable)
{
    if (!writable_)
        save_button_->setText(tr("&Run"));
    else
        save_button_->setText(enable ? tr("&Save and Run") : tr("&Save"));
}

bool QSetupScript::on_editor_page() const
{
    return page_switch().on_editor();
}

editor_wiring::PageSwitch QSetupScript::page_switch() const
{
    return {pages_,        parameters_page_, editor_page_, switch_button_,
            editor_tools_, search_bar_,      editor_};
}

void QSetupScript::script_edited()
{
    modified_ = true;
    if (on_editor_page())
        editor_->setExtraSelections({});
    update_buttons();
}

void QSetupScript::save_button_clicked()
{
    if (!modified_)
        return;
    const std::string text = to_utf8(editor_->toPlainText());
    const std::string values = parameters_editor_->get_values();
    try {
        FolderLock guard(folder_);
        if (writable_)
            folder_->set_string("script", text);
        folder_->set_string("parameters", values);
    } catch (const std::exception &e) {
        VX_LOG(1, "SCRIPT GUI: cannot save: %s\n", e.what());
    }
    modified_ = false;
    update_buttons();
}

void QSetupScript::revert_button_clicked()
{
    if (!writable_)
        return;
    std::string script, parameters;
    try {
        FolderLock guard(folder_);
        script = folder_->get_string("script");
        parameters = folder_->get_string("parameters");
    } catch (const std::exception &e) {
        VX_LOG(1, "SCRIPT GUI: cannot revert script: %s\n", e.what());
        return; // what the operator typed stays rather than an empty script
    }
    editor_->setPlainText(from_utf8(script));
    parameters_editor_create(parameters, description_);
    modified_ = false;
    update_buttons();
}

void QSetupScript::script_changed()
{
    std::string script, parameters, actual_ts, languages;
    int enable = 0;
    try {
        FolderLock guard(folder_);
        script = folder_->get_string("script");
        enable = folder_->get_integer("enable");
        parameters = folder_->get_string("parameters");
        actual_ts = folder_->get_string_or("actual_ts", std::string());
        languages = folder_->get_string_or("available_languages", std::string());
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot load: %s\n", e.what());
        return;
    }
    set_save_caption(enable);

    // The form keeps an edit in progress: stored values only replace values
    // the operator has not changed.
    const std::string current = parameters_editor_->get_values();
    const std::string description = parameters_description(script, actual_ts);
    if (description != description_ || (!modified_ && current != parameters)) {
        parameters_editor_create(modified_ ? current : parameters, description);
        description_ = description;
        parse_resources();
    }
    show_description(actual_ts);
    if (languages != available_languages_) {
        available_languages_ = languages;
        update_languages_menu();
    }
}

void QSetupScript::show_description(const std::string &actual_ts)
{
    // The lines loaded so far, when they hold the whole description.
    QString text = editor_->loaded_text();
    if (editor_->loading() && script_header::description_end(text) < 0)
        text = editor_->toPlainText();
    description_label_->setText(script_header::description_text(text, actual_ts));
}

void QSetupScript::stats_changed()
{
    if (!stats_) {
        run_count_->setEnabled(false);
        error_count_->setEnabled(false);
        editor_->setEnabled(false);
        return;
    }
    int runs = 0, errors = 0, error_line = -1, warning_line = -1;
    std::string error, warning;
    try {
        FolderLock guard(stats_);
        runs = stats_->get_integer("run_count");
        errors = stats_->get_integer("error_count");
        error = stats_->get_string("last_error");
        error_line = stats_->get_integer("last_error_line");
        warning = stats_->get_string_or("last_warning", std::string());
        warning_line = stats_->get_integer_or("last_warning_line", -1);
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot read statistics: %s\n", e.what());
        error_count_->setEnabled(false);
        return;
    }
    error_count_->setEnabled(true);
    run_count_->setText(QString::number(runs));
    error_count_->setText(QString::number(errors));

    int line = -1;
    const char *colour = nullptr;
    if (error_line != -1) {
        line = error_line;
        colour = script_marks::error_colour;
    } else if (show_warnings()) {
        line = warning_line;
        colour = script_marks::warning_colour;
    }
    // A modified text has moved on from the run that reported the line.
    SetupScriptBase::mark_line(editor_, modified_ ? -1 : line, colour);
    show_problem(last_error_, from_utf8(error), show_warnings() ? from_utf8(warning) : QString());
}

void QSetupScript::show_warnings_changed()
{
    stats_changed();
}

void QSetupScript::delete_button_clicked()
{
    auto *box = new Reusable::OurMessageBox(
        QMessageBox::Question, tr("Delete Confirmation"),
        tr("Are you sure you want to delete script '%1'?").arg(name_->text()),
        QMessageBox::Yes | QMessageBox::No, this);
    connect(box, &QMessageBox::finished, this, &QSetupScript::delete_confirmed);
    box->show();
}

void QSetupScript::delete_confirmed(int r)
{
    if (r != QMessageBox::Yes)
        return;
    try {
        request_erase(folder_, "script_erase");
    } catch (const std::exception &e) {
        VX_LOG(1, "GUI: ERROR: script delete_button_clicked(): %s\n", e.what());
    }
}

void QSetupScript::parameters_source_switch_button_clicked()
{
    page_switch().toggle(tr("Parame&ters"), tr("Edi&tor"));
}

void QSetupScript::parameters_editor_create(std::string parameters, std::string parameters_default)
{
    parameters_editor_ = build_parameters_form(
        parameters_area_, from_utf8(server_name_), [&](ScriptParametersEditor *form) {
            connect(form, &Reusable::UniversalParametersEditor::changed, this,
                    &QSetupScript::script_edited);
            form->set_description(parameters_default);
            form->set_values(parameters);
        });
}

void QSetupScript::update_cursor_position()
{
    editor_wiring::show_cursor(cursor_position_, editor_, tr("L: %1\tC: %2"));
}

void QSetupScript::prepare_search()
{
    const bool backwards = sender() == search_bar_->previous_button();
    Q_EMIT search_text(search_bar_->line_edit()->text(), backwards);
}

bool QSetupScript::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == search_bar_)
        editor_wiring::search_bar_event(editor_, event);
    else if (event->type() == QEvent::MouseButtonPress) {
        if (watched == data_folder_button_)
            prepare_data_folder_menu();
        else if (watched == translate_button_)
            choose_translate_menu();
    }
    return SetupScriptBase::eventFilter(watched, event);
}

// Ctrl+S from the parameters view (the editor sends save_pressed itself).
void QSetupScript::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_S && event->modifiers() == Qt::ControlModifier) {
        save_button_clicked();
        event->accept();
        return;
    }
    SetupScriptBase::keyPressEvent(event);
}

void QSetupScript::error_show(QString title, QString message, QWidget *parent)
{
    (new Reusable::OurMessageBox(QMessageBox::Critical, title, message, QMessageBox::Ok, parent))
        ->show();
}

void QSetupScript::insertText(QString text)
{
    editor_->finish_loading(); // so that the insertion can be undone
    QTextCursor cursor = editor_->textCursor();
    cursor.insertText(text);
    editor_->setTextCursor(cursor);
    editor_->setFocus();
}

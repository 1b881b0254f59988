// The stock script page: what it may change, the script file, saving with
// "force_run", revert and the statistics.

#include "script-setup/script/setup-stock-script.h"

#include "plugin/host.h"
#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/search-bar.h"
#include "qt4-setup/src/dir-tracker.h"
#include "qt4-setup/src/settings-autoconnect.h"
#include "script-setup/editor/script-widget.h"
#include "script-setup/page-support.h"
#include "script-setup/script/contained-name.h"
#include "script-setup/script/editor-wiring.h"
#include "script-setup/script/publish.h"
#include "script-setup/script/script-data-folder.h"
#include "script-setup/script/script-header.h"
#include "script-setup/script/script-parameters-editor.h"
#include "script-setup/script/stock-files.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>

QSetupStockScript::QSetupStockScript(QObject *navigator, Settings folder, Settings server_root)
    : SetupScriptBase(navigator, folder, server_root)
{
    build_layout();
    page_support::scale_page(this);
    int rights = 8; // unknown rights: shown, but not changed
    try {
        FolderLock root_guard(server_root_);
        server_name_ = server_root_->name();
    } catch (const std::exception &e) {
        // Without the name the server is not known to be ours: not writable.
        VX_LOG(2, "QSetupStockScript: %s\n", e.what());
    }
    try {
        FolderLock guard(folder_);
        rights = folder_->rights();
    } catch (const std::exception &e) {
        VX_LOG(2, "QSetupStockScript: %s\n", e.what());
    }
    Rizurividuvez::HostRoot *host = module_state::stock_host();
    readable_ = rights & 8;
    writable_ = host && host->local_server_name() == server_name_ && (rights & 64);
    if (host)
        host_folder_ = stock_files::host_folder(host->stock_directory());
    shared_folder_ = stock_files::shared_folder();
    if (!readable_) {
        editor_->setEnabled(false);
        switch_button_->setEnabled(false);
        update_buttons();
        setEnabled(false);
        return;
    }

    std::string file;
    try {
        FolderLock guard(folder_);
        file = folder_->get_string("file");
        values_ = folder_->get_string("parameters");
        declaration_ = folder_->get_string("parameters_default");
        stats_ = folder_->subdir("stats", 1);
    } catch (const std::exception &e) {
        VX_LOG(2, "QSetupStockScript: %s\n", e.what());
    }
    const QString name = checked_file_name(file);
    // The shared folder's scripts belong to the product: shown to nobody,
    // changed by nobody. A refused name is treated alike.
    if (name.isEmpty() || stock_files::exists_in(shared_folder_, name))
        writable_ = false;
    else if (writable_)
        load_file(name);
    editor_->setReadOnly(!writable_);
    editor_->setEnabled(writable_);
    switch_button_->setEnabled(writable_);
    build_form(values_);
    show_description();

    folder_tracker_ = QDirTracker::create("QSetupStockScript", folder_);
    connect(folder_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
            &QSetupStockScript::script_changed, Qt::QueuedConnection);
    // The caption follows "enable" from the first notification on; hosts
    // that stay silent on subscribing get one queued round instead.
    if (folder_tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES))
        QMetaObject::invokeMethod(this, &QSetupStockScript::script_changed, Qt::QueuedConnection);
    if (stats_) {
        stats_tracker_ = QDirTracker::create("QSetupStockScript", stats_);
        connect(stats_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
                &QSetupStockScript::stats_changed, Qt::QueuedConnection);
        if (stats_tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES))
            QMetaObject::invokeMethod(this, &QSetupStockScript::stats_changed,
                                      Qt::QueuedConnection);
    }
    autoconnect_ = new QAutoConnect(folder_, this);
    autoconnect_->connect_widget(name_);
    autoconnect_->connect_widget(findChild<QCheckBox *>(QStringLiteral("enable")));
    autoconnect_->load_values();
    autoconnect_->connect_signals(true);

    connect_widgets();
    modified_ = false;
    update_cursor_position();
    update_buttons();
}

QSetupStockScript::~QSetupStockScript() = default;

QString QSetupStockScript::checked_file_name(const std::string &name)
{
    const QString file = from_utf8(name);
    const QString refusal = contained_name::refusal(file);
    if (refusal.isEmpty())
        return file;
    refuse_file(file, refusal);
    return QString();
}

void QSetupStockScript::refuse_file(const QString &file, const QString &why)
{
    report_file_problem(QStringLiteral("refused: %1").arg(why),
                        tr("The script's file name \"%1\" is not a name inside the stock folder; "
                           "the file is neither read nor written.")
                            .arg(file));
}

void QSetupStockScript::report_file_problem(const QString &log_text, const QString &message)
{
    VX_LOG(2, "QSetupStockScript: %s\n", to_utf8(log_text).c_str());
    show_file_message(message);
}

void QSetupStockScript::show_file_message(const QString &message)
{
    file_message_->setText(
        QStringLiteral("<font color=\"%1\">%2</font>")
            .arg(QLatin1String(script_marks::error_colour), message.toHtmlEscaped()));
    file_message_->show();
}

bool QSetupStockScript::load_file(const QString &file)
{
    const stock_files::Text read = stock_files::read(shared_folder_, host_folder_, file);
    // Until a text is read or typed, the empty editor is no text to write.
    text_unread_ = !read.ok;
    if (read.refused)
        refuse_file(file, read.error);
    else if (!read.ok)
        report_file_problem(read.error, tr("The script file \"%1\" cannot be read.").arg(file));
    else
        editor_->setPlainText(from_utf8(read.text));
    return read.ok;
}

void QSetupStockScript::build_form(const std::string &values)
{
    form_ = build_parameters_form(parameters_area_, from_utf8(server_name_),
                                  [&](ScriptParametersEditor *form) {
                                      connect(form, &Reusable::UniversalParametersEditor::changed,
                                              this, &QSetupStockScript::script_edited);
                                      form->set_description(declaration_);
                                      form->set_values(values);
                                  });
}

void QSetupStockScript::update_buttons()
{
    save_button_->setEnabled(modified_);
    revert_button_->setEnabled(modified_);
}

bool QSetupStockScript::on_editor_page() const
{
    return page_switch().on_editor();
}

editor_wiring::PageSwitch QSetupStockScript::page_switch() const
{
    return {pages_,           parameters_page_, editor_page_, switch_button_,
            cursor_position_, search_bar_,      editor_};
}

void QSetupStockScript::show_description()
{
    const QString text = script_header::description_text(editor_->toPlainText(), std::string());
    description_label_->setText(text);
    description_caption_->setVisible(!text.isEmpty());
    description_label_->setVisible(!text.isEmpty());
}

void QSetupStockScript::script_edited()
{
    modified_ = true;
    if (on_editor_page())
        editor_->setExtraSelections({});
    update_buttons();
}

void QSetupStockScript::save_button_clicked()
{
    if (!modified_)
        return;
    const std::string text = to_utf8(editor_->toPlainText());
    const std::string values = form_->get_values();
    if (writable_ && !text_unread_)
        write_file(text);
    // The values are the operator's whatever became of the file.
    try {
        FolderLock guard(folder_);
        if (writable_)
            folder_->set_integer("force_run", 1);
        folder_->set_string("parameters", values);
        // The host's notice of it then finds the rows showing what is stored
        // and leaves them, with the focus, in place.
        values_ = values;
    } catch (const std::exception &e) {
        VX_LOG(1, "QSetupStockScript: cannot save: %s\n", e.what());
    }
    modified_ = false;
    update_buttons();
}

void QSetupStockScript::write_file(const std::string &text)
{
    std::string file;
    try {
        FolderLock guard(folder_);
        file = folder_->get_string("file");
    } catch (const std::exception &e) {
        report_file_problem(QString::fromUtf8(e.what()), tr("The script file was not written."));
        return;
    }
    const QString name = checked_file_name(file);
    if (name.isEmpty())
        return;
    std::string content = text;
    QStringList refused;
    Rizurividuvez::HostRoot *host = module_state::stock_host();
    const QString folder_name = script_data::folder_name(declaration_, QStringLiteral("_stock_"));
    if (host && !folder_name.isEmpty()) {
        const QDir data(script_data::root(host->data_directory()) + '/' + folder_name);
        if (data.exists() && !data.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            const script_publish::Result published = script_publish::publish(
                text, script_data::resources(declaration_), data.path(), false);
            if (!published.error.isEmpty()) {
                report_file_problem(published.error,
                                    tr("The script file was not written: %1").arg(published.error));
                return;
            }
            content = published.text;
            for (const script_publish::Refusal &r : published.refused) {
                VX_LOG(2, "QSetupStockScript: refused: %s\n", to_utf8(r.why).c_str());
                refused << r.name;
            }
        }
    }
    const QString folder =
        stock_files::exists_in(shared_folder_, name) ? shared_folder_ : host_folder_;
    const QString target = stock_files::join(folder, name);
    const contained_name::Checked checked = contained_name::resolve(folder, name);
    if (!checked.refusal.isEmpty()) {
        refuse_file(name, checked.refusal);
        return;
    }
    const QString failure = script_publish::write_file(checked.path, content);
    if (!failure.isEmpty()) {
        report_file_problem(QStringLiteral("%1: %2").arg(failure, target),
                            tr("The script could not be written to %1; the previous file is "
                               "unchanged.")
                                .arg(target));
        return;
    }
    VX_LOG(1, "QSetupStockScript: file %s written\n", to_utf8(target).c_str());
    if (refused.isEmpty())
        file_message_->hide();
    else
        show_file_message(tr("The script file was written without the resources whose names lead "
                             "outside its data folder: %1")
                              .arg(refused.join(QStringLiteral(", "))));
}

void QSetupStockScript::revert_button_clicked()
{
    if (!modified_)
        return;
    std::string file;
    try {
        FolderLock guard(folder_);
        file = folder_->get_string("file");
        values_ = folder_->get_string("parameters");
        declaration_ = folder_->get_string("parameters_default");
    } catch (const std::exception &e) {
        VX_LOG(1, "QSetupStockScript: cannot revert script: %s\n", e.what());
        return; // what the operator typed stays rather than an empty script
    }
    if (writable_) {
        const QString name = checked_file_name(file);
        if (!name.isEmpty())
            load_file(name);
    }
    build_form(values_);
    show_description();
    modified_ = false;
    update_buttons();
}

void QSetupStockScript::script_changed()
{
    int enable = 0;
    std::string values, declaration;
    try {
        FolderLock guard(folder_);
        enable = folder_->get_integer("enable");
        values = folder_->get_string("parameters");
        declaration = folder_->get_string("parameters_default");
    } catch (const std::exception &e) {
        VX_LOG(2, "QSetupStockScript: %s\n", e.what());
        return;
    }
    save_button_->setText(enable ? tr("&Save and Run") : tr("&Save"));
    if (declaration != declaration_ || values != values_) {
        // An edit in progress is kept over values stored meanwhile.
        const std::string shown = modified_ ? form_->get_values() : values;
        declaration_ = declaration;
        values_ = values;
        build_form(shown);
    }
    show_description();
}

void QSetupStockScript::stats_changed()
{
    if (!stats_) {
        run_count_->setEnabled(false);
        error_count_->setEnabled(false);
        return;
    }
    int runs = 0, errors = 0, error_line = -1;
    std::string error;
    try {
        FolderLock guard(stats_);
        runs = stats_->get_integer("run_count");
        errors = stats_->get_integer("error_count");
        error = stats_->get_string("last_error");
        error_line = stats_->get_integer("last_error_line");
    } catch (const std::exception &e) {
        VX_LOG(2, "QSetupStockScript: %s\n", e.what());
        error_count_->setEnabled(false);
        return;
    }
    error_count_->setEnabled(true);
    run_count_->setText(QString::number(runs));
    error_count_->setText(QString::number(errors));
    // A modified text has moved on from the run that reported the line.
    mark_line(editor_, modified_ ? -1 : error_line, script_marks::error_colour);
    show_problem(last_error_, from_utf8(error), QString());
}

void QSetupStockScript::parameters_source_switch_button_clicked()
{
    page_switch().toggle(tr("Parame&ters"), tr("Edi&tor"));
}

void QSetupStockScript::update_cursor_position()
{
    editor_wiring::show_cursor(cursor_position_, editor_, tr("L: %1\tC: %2"));
}

void QSetupStockScript::prepare_search()
{
    const bool backwards = sender() == search_bar_->previous_button();
    Q_EMIT search_text(search_bar_->line_edit()->text(), backwards);
}

bool QSetupStockScript::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == search_bar_)
        editor_wiring::search_bar_event(editor_, event);
    return SetupScriptBase::eventFilter(watched, event);
}

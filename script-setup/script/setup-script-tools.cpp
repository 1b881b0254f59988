// The script page's editor tools: inserters, examples, the data folder and
// publishing.

#include "script-setup/script/setup-script.h"

#include "plugin/host.h"
#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/file-dialog.h"
#include "qt4-pavo7/reusable/our-message-box.h"
#include "script-setup/editor/script-widget.h"
#include "script-setup/inserters/objects-inserter-dialog.h"
#include "script-setup/inserters/settings-inserter-dialog.h"
#include "script-setup/page-support.h"
#include "script-setup/script/publish.h"
#include "script-setup/script/script-data-folder.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QUrl>

void QSetupScript::show_settings_dialog()
{
    auto *dialog = new QSettingsInserterDialog(folder_, this, page_support::size_factor(), 38);
    connect(dialog, &QSettingsInserterDialog::accepted, this, &QSetupScript::insertText);
    dialog->show();
}

void QSetupScript::show_objects_dialog()
{
    auto *dialog = new QObjectsInserterDialog(module_state::host(), server_name_, this, 1935, {});
    connect(dialog, &QObjectsInserterDialog::accepted, this, &QSetupScript::insertText);
    dialog->show();
}

void QSetupScript::load_example()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QString path = action->data().toString();
    if (QMessageBox::question(this, tr("Confirmation"),
                              tr("Your current script will be lost. Continue?"),
                              QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        load_example_file(path);
}

void QSetupScript::example_load_from_file_clicked()
{
    auto *dialog =
        new Reusable::FileDialog(this, tr("Select file to load"), tr("Python scripts (*.py)"));
    connect(dialog, &QFileDialog::fileSelected, this, &QSetupScript::example_load_from_file);
    dialog->show();
}

void QSetupScript::example_load_from_file(QString filename)
{
    if (!filename.isEmpty())
        load_example_file(filename);
}

void QSetupScript::load_example_file(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    editor_->setPlainText(QString::fromUtf8(file.readAll()));
}

void QSetupScript::parse_resources()
{
    if (!local_)
        return;
    if (data_root_.isEmpty())
        data_root_ = script_data::root(module_state::host()->data_directory());
    data_folder_name_ = script_data::folder_name(description_);
    data_folder_ = data_folder_name_.isEmpty()
                       ? QString()
                       : QStringLiteral("%1/%2").arg(data_root_, data_folder_name_);
    resources_ = script_data::resources(description_);
}

void QSetupScript::prepare_data_folder_menu()
{
    const bool named = !data_folder_.isEmpty();
    data_folder_label_->setText(
        named ? data_folder_
              : tr("To set data folder fill version/company/title sections of parameters"));
    data_folder_create_->setVisible(named && !QDir(data_folder_).exists());
    data_folder_open_->setVisible(named);
    data_folder_copy_->setVisible(named);
}

void QSetupScript::data_folder_create_clicked()
{
    ask_data_folder_create();
}

void QSetupScript::ask_data_folder_create()
{
    auto *box = new Reusable::OurMessageBox(
        QMessageBox::Question, tr("Confirmation"),
        tr("Script Data Folder doesn't exist. Do you want do create it?"),
        QMessageBox::Yes | QMessageBox::No, this);
    connect(box, &QMessageBox::finished, this, &QSetupScript::script_data_folder_create);
    box->show();
}

void QSetupScript::script_data_folder_create(int r)
{
    if (r != QMessageBox::Yes)
        return;
    if (data_folder_.isEmpty() || !QDir().mkpath(data_folder_))
        VX_LOG(1, "GUI: script_data_folder creation error\n");
}

void QSetupScript::data_folder_open_clicked()
{
    if (!data_folder_.isEmpty() && QDir(data_folder_).exists())
        QDesktopServices::openUrl(QUrl(QStringLiteral("file:///%1").arg(data_folder_)));
    else
        ask_data_folder_create();
}

void QSetupScript::data_folder_clipboard_clicked()
{
    QApplication::clipboard()->setText(data_folder_);
}

void QSetupScript::publish_to_cloud_clicked() {}

void QSetupScript::publish_to_file_clicked()
{
    unencoded_publish_ = sender() == unencoded_action_;
    auto *dialog = new Reusable::FileDialog(this, tr("Select file"), tr("Python scripts (*.py)"),
                                            QFileDialog::AcceptSave);
    connect(dialog, &QFileDialog::fileSelected, this, &QSetupScript::publish_to_file);
    dialog->show();
}

void QSetupScript::publish_to_file(QString filename)
{
    const QString target = script_publish::target_name(filename);
    if (target.isEmpty())
        return;
    const script_publish::Result result = script_publish::publish(
        to_utf8(editor_->toPlainText()), resources_, data_folder_, !unencoded_publish_);
    QStringList refused;
    for (const script_publish::Refusal &r : result.refused) {
        VX_LOG(2, "SCRIPT GUI: resource refused: %s\n", to_utf8(r.why).c_str());
        refused << r.name;
    }
    const QString failure =
        result.error.isEmpty() ? script_publish::write_file(target, result.text) : result.error;
    if (failure.isEmpty()) {
        if (!refused.isEmpty())
            (new Reusable::OurMessageBox(
                 QMessageBox::Warning, tr("Resources left out"),
                 tr("The script was published without the resources whose names lead outside "
                    "its data folder:\n%1")
                     .arg(refused.join('\n')),
                 QMessageBox::Ok, this, Qt::WindowModal))
                ->show();
        return;
    }
    VX_LOG(2, "SCRIPT GUI: cannot publish %s: %s\n", target.toUtf8().constData(),
           failure.toUtf8().constData());
    (new Reusable::OurMessageBox(QMessageBox::Critical, tr("Saving failed"), failure,
                                 QMessageBox::Ok, this, Qt::WindowModal))
        ->show();
}

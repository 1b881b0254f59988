// The script page's translations: the languages menus and the commands the
// server acts on ("language", "add_language", "lupdate").

#include "script-setup/script/setup-script.h"

#include "script-setup/inserters/language-inserter-dialog.h"
#include "script-setup/script/script-data-folder.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QStackedWidget>
#include <QToolButton>

namespace {

const char *const language_names[][2] = {
    {"cn", QT_TRANSLATE_NOOP("QSetupScript", "Chinese")},
    {"en", QT_TRANSLATE_NOOP("QSetupScript", "English")},
    {"es", QT_TRANSLATE_NOOP("QSetupScript", "Spanish")},
    {"ka", QT_TRANSLATE_NOOP("QSetupScript", "Kazakh")},
    {"ru", QT_TRANSLATE_NOOP("QSetupScript", "Russian")},
    {"tr", QT_TRANSLATE_NOOP("QSetupScript", "Turkish")},
    {"uk", QT_TRANSLATE_NOOP("QSetupScript", "Ukrainian")},
};

QAction *add_code_action(QMenu *menu, const QString &text, const QString &code)
{
    QAction *action = menu->addAction(text);
    action->setData(code);
    return action;
}

} // namespace

void QSetupScript::build_language_menus()
{
    for (const auto &row : language_names)
        known_languages_.insert(QLatin1String(row[0]), tr(row[1]));
    if (writable_) {
        add_menu_ = translate_menu_->addMenu(tr("Add"));
        edit_menu_ = translate_menu_->addMenu(tr("Edit"));
        update_menu_ = translate_menu_->addMenu(tr("Update"));
        connect(add_menu_, &QMenu::triggered, this, &QSetupScript::language_add_clicked);
        connect(edit_menu_, &QMenu::triggered, this, &QSetupScript::launch_linguist_clicked);
        connect(update_menu_, &QMenu::triggered, this, &QSetupScript::lupdate_clicked);
    }
    select_menu_ = translate_menu_->addMenu(tr("Select"));
    connect(select_menu_, &QMenu::triggered, this, &QSetupScript::set_language_clicked);
    language_dialog_ = new QLanguageInserterDialog(this);
    connect(language_dialog_, &QLanguageInserterDialog::accepted, this,
            &QSetupScript::add_language_accepted);
}

bool QSetupScript::translation_possible() const
{
    return local_ && !data_folder_.isEmpty() && QDir(data_folder_).exists();
}

void QSetupScript::choose_translate_menu()
{
    update_languages_menu();
    const bool full = local_ && on_editor_page() && translation_possible();
    translate_button_->setMenu(full ? translate_menu_ : select_menu_);
}

void QSetupScript::update_languages_menu()
{
    std::string available, language;
    try {
        FolderLock guard(folder_);
        available = folder_->get_string_or("available_languages", std::string());
        language = folder_->get_string_or("language", std::string());
    } catch (const std::exception &e) {
        VX_LOG(2, "Setup-script: update available languages error: %s\n", e.what());
    }
    QStringList codes;
    for (const QString &code : from_utf8(available).split(',', Qt::SkipEmptyParts))
        if (!code.trimmed().isEmpty())
            codes << code.trimmed();
    const QString selected = from_utf8(language);

    if (writable_) {
        add_menu_->clear();
        for (auto known = known_languages_.cbegin(); known != known_languages_.cend(); ++known)
            if (!codes.contains(known.key()))
                add_code_action(add_menu_, tr("%1 (%2)").arg(known.value(), known.key()),
                                known.key());
        add_menu_->addSeparator();
        add_menu_->addAction(tr("Another language..."));
        edit_menu_->clear();
        update_menu_->clear();
        edit_menu_->setEnabled(!codes.isEmpty());
        update_menu_->setEnabled(!codes.isEmpty());
    }
    select_menu_->clear();
    for (const QString &code : codes) {
        const QString text = known_languages_.contains(code)
                                 ? tr("%1 (%2)").arg(known_languages_.value(code), code)
                                 : code;
        QAction *select = add_code_action(select_menu_, text, code);
        select->setCheckable(true);
        select->setChecked(code == selected);
        if (writable_) {
            add_code_action(edit_menu_, text, code);
            add_code_action(update_menu_, text, code);
        }
    }
    if (writable_) {
        update_menu_->addSeparator();
        update_menu_->addAction(tr("all"));
    }
    select_menu_->addSeparator();
    QAction *none = select_menu_->addAction(tr("none"));
    none->setCheckable(true);
    none->setChecked(selected.isEmpty());
    if (!translation_possible()) {
        select_menu_
            ->addAction(data_folder_.isEmpty()
                            ? tr("To add translation fill version/company/title sections of "
                                 "parameters")
                            : tr("To add translation create script data folder"))
            ->setEnabled(false);
    }
}

void QSetupScript::set_language(const QString &code)
{
    try {
        FolderLock guard(folder_);
        folder_->set_string("language", to_utf8(code));
        VX_LOG(1, "Set language %s\n", code.toUtf8().constData());
    } catch (const std::exception &e) {
        VX_LOG(1, "SCRIPT GUI: cannot set_language: %s\n", e.what());
    }
}

void QSetupScript::set_language_clicked(QAction *triggered_action)
{
    set_language(triggered_action->data().toString());
    update_languages_menu();
}

void QSetupScript::language_add_clicked(QAction *action)
{
    if (action->data().toString().isEmpty())
        language_add_another_clicked();
    else
        add_language(action->data().toString());
}

void QSetupScript::language_add_another_clicked()
{
    language_dialog_->show();
}

void QSetupScript::add_language_accepted(QString lang)
{
    add_language(lang);
}

QStringList QSetupScript::available_languages()
{
    QStringList codes;
    FolderLock guard(folder_);
    for (const QString &code :
         from_utf8(folder_->get_string_or("available_languages", std::string())).split(','))
        if (!code.trimmed().isEmpty())
            codes << code.trimmed();
    return codes;
}

void QSetupScript::add_language(const QString &code)
{
    try {
        if (available_languages().contains(code)) {
            error_show(tr("Error adding language"), tr("Language \"%1\" already exists.").arg(code),
                       this);
            return;
        }
        FolderLock guard(folder_);
        folder_->set_string("add_language", to_utf8(code));
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot add language %s\n", e.what());
    }
}

void QSetupScript::lupdate_clicked(QAction *a)
{
    try {
        const QString code = a->data().toString();
        const QStringList codes = code.isEmpty() ? available_languages() : QStringList{code};
        FolderLock guard(folder_);
        folder_->set_string("lupdate", to_utf8(codes.join(',')));
    } catch (const std::exception &e) {
        VX_LOG(2, "SCRIPT GUI: cannot update translations: %s\n", e.what());
    }
}

void QSetupScript::launch_linguist_clicked(QAction *a)
{
    const QString file =
        script_data::translation_file(data_root_, data_folder_name_, a->data().toString());
    if (!QProcess::startDetached(QStringLiteral("linguist.exe"), {file})) {
        VX_LOG(2, "SCRIPT GUI: cannot launch linguist: %s\n", "the program did not start");
        error_show(tr("Error"), tr("Cannot launch Qt Linguist"), this);
    }
}

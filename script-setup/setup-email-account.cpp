#include "script-setup/setup-email-account.h"

#include "qt4-setup/src/settings-autoconnect.h"
#include "script-setup/page-support.h"
#include "script-setup/references/used-by-links.h"
#include "utils/erase-request.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegExpValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <class W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

const char *const warning_icon = ":/gtk-icons/gtk-dialog-warning16.png";

QLabel *warning_icon_label(const char *name)
{
    auto *label = named(new QLabel, name);
    label->setPixmap(page_support::scale_pixmap(
        page_support::pixmap(warning_icon, QStyle::SP_MessageBoxWarning, 16)));
    return label;
}

QLabel *warning_label(const char *name)
{
    auto *label = named(new QLabel, name);
    label->setStyleSheet(QStringLiteral("color: rgb(170, 0, 0);\n"));
    return label;
}

} // namespace

QSetupEmailAccount::QSetupEmailAccount(QObject *navigator, Settings folder, Settings server_root)
    : navigator_(navigator)
    , folder_(folder)
    , server_root_(server_root)
{
    Q_ASSERT(folder_);
    build_form();
    page_support::scale_page(this);
    name_warning_icon_->hide();

    server_address_->setValidator(
        new QRegExpValidator(email_checks::server_address_filter(), server_address_));
    username_->setValidator(new QRegExpValidator(email_checks::username_filter(), username_));

    autoconnect_ = new QAutoConnect(folder_, this);
    autoconnect_->connect_children(this);
    autoconnect_->load_values();
    autoconnect_->connect_signals(true);

    connect(autoconnect_, &QAutoConnect::user_has_made_changes, this,
            &QSetupEmailAccount::validate_input);
    connect(delete_button_, &QPushButton::clicked, this, &QSetupEmailAccount::delete_account);

    read_account_names();
    validate_input();

    used_by_ = new references::UsedByLinks(navigator_, folder_, server_root_,
                                           references::EMAIL_ACCOUNT, tr("Used by:"), this);
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, used_by_);
}

QSetupEmailAccount::~QSetupEmailAccount() = default;

void QSetupEmailAccount::build_form()
{
    auto *page_icon = new QLabel;
    page_icon->setPixmap(page_support::scale_pixmap(
        page_support::pixmap(":/settings/email.png", QStyle::SP_MessageBoxInformation, 32)));
    auto *intro = new QLabel(tr("SMTP accounts are used in rules and scripts to send e-mail."));
    intro->setWordWrap(true);
    delete_button_ = named(new QPushButton(tr("Delete...")), "delete_button");
    delete_button_->setIcon(page_support::icon(":/gtk-icons/gtk-delete.png", QStyle::SP_TrashIcon));
    auto *header = new QHBoxLayout;
    header->addWidget(page_icon);
    header->addWidget(intro, 1);
    header->addWidget(delete_button_, 0, Qt::AlignTop);

    name_ = named(new QLineEdit, "name");
    name_warning_icon_ = warning_icon_label("name_warning_icon");
    name_warning_ = warning_label("name_warning");
    server_address_ = named(new QLineEdit, "server_address");
    address_warning_icon_ = warning_icon_label("address_warning_icon");
    address_warning_ = warning_label("address_warning");
    auto *use_ssl = named(new QCheckBox(tr("Use Encryption (SSL)")), "use_ssl");
    auto *port = named(new QSpinBox, "server_port");
    port->setRange(1, 65535);
    port->setValue(25);
    auto *port_hint = new QLabel(tr("<font color=\"#808080\">default is 25 or 465</font>"));
    port_hint->setTextFormat(Qt::RichText);
    username_ = named(new QLineEdit, "username");
    auto *password = named(new QLineEdit, "password");
    password->setEchoMode(QLineEdit::Password);

    auto *grid = new QGridLayout;
    const auto caption = [grid](int row, const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text);
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
        grid->addWidget(buddy, row, 1);
    };
    caption(0, tr("Account Name:"), name_);
    grid->addWidget(name_warning_icon_, 0, 2);
    grid->addWidget(name_warning_, 0, 3);
    caption(2, tr("SMTP Server Address:"), server_address_);
    grid->addWidget(address_warning_icon_, 2, 2);
    grid->addWidget(address_warning_, 2, 3);
    grid->addWidget(use_ssl, 3, 1);
    caption(5, tr("SMTP Server Port:"), port);
    grid->addWidget(port_hint, 6, 1);
    caption(8, tr("User Name:"), username_);
    caption(10, tr("Password:"), password);
    for (int spacer : {1, 4, 7, 9})
        grid->setRowMinimumHeight(spacer, page_support::scaled(6));
    grid->setColumnMinimumWidth(1, page_support::scaled(260));
    // The fields share the room with the warnings beside them, so that an
    // ordinary address fits whatever the page's width.
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addSpacing(page_support::scaled(12));
    layout->addLayout(grid);
    layout->addStretch(1);
}

void QSetupEmailAccount::read_account_names()
{
    Settings parent;
    try {
        FolderLock guard(folder_);
        own_guid_ = folder_->name();
        parent = folder_->parent();
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: cannot read e-mail account name: %s\n", e.what());
        return;
    }
    if (!parent)
        return;
    std::vector<std::pair<std::string, Settings>> folders;
    try {
        FolderLock guard(parent);
        for (const std::string &name : parent->ls())
            folders.emplace_back(name, parent->subdir(name, 0));
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: cannot read e-mail account name: %s\n", e.what());
        return;
    }
    // One account's lock at a time; a refusal ends the scan with what was read.
    try {
        for (const auto &folder : folders) {
            if (!folder.second)
                continue;
            FolderLock guard(folder.second);
            if (folder.second->type() == "EmailAccount")
                account_names_[folder.second->get_string("name")].insert(folder.first);
        }
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: cannot read e-mail account name: %s\n", e.what());
    }
}

void QSetupEmailAccount::validate_input()
{
    switch (email_checks::check_name(name_->text(), own_guid_, account_names_)) {
    case email_checks::NAME_EMPTY:
        name_warning_icon_->show();
        name_warning_->setText(tr("Account name should not be empty"));
        break;
    case email_checks::NAME_USED:
        name_warning_icon_->show();
        name_warning_->setText(tr("This account name is already used"));
        break;
    case email_checks::NAME_OK:
        name_warning_icon_->hide();
        name_warning_->clear();
        break;
    }
    const bool address_ok = email_checks::valid_server_address(server_address_->text());
    address_warning_icon_->setVisible(!address_ok);
    address_warning_->setText(address_ok ? QString() : tr("This is not a valid hostname"));
}

void QSetupEmailAccount::delete_account()
{
    const QString question = used_by_->delete_question(
        name_->text(), tr("Are you sure you want to delete account '%1'?"),
        tr("Account '%1' is used by 1 rule: %2. Delete it anyway?"),
        tr("Account '%1' is used by %3 rules: %2. Delete it anyway?"));
    auto *box = new QMessageBox(QMessageBox::Question, tr("Delete Confirmation"), question,
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, &QSetupEmailAccount::delete_confirmed);
    box->show();
}

void QSetupEmailAccount::delete_confirmed(int r)
{
    if (r != QMessageBox::Yes)
        return;
    try {
        request_erase(folder_, "email_account_erase");
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: cannot erase email account: %s\n", e.what());
    }
}

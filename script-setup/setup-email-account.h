#pragma once
// The page of one SMTP account. Every field is written at once by the
// binding; the page checks the name and the server address and warns, and
// deletes the account on request.

#include "plugin/rizurividuvez.h"
#include "script-setup/email-checks.h"

#include <QWidget>

class QAutoConnect;
class QLabel;
class QLineEdit;
class QPushButton;
namespace references {
class UsedByLinks;
}

class QSetupEmailAccount : public QWidget
{
    Q_OBJECT
public:
    QSetupEmailAccount(QObject *navigator, Settings folder, Settings server_root);
    ~QSetupEmailAccount() override;

public Q_SLOTS:
    void validate_input();
    void delete_account();
    void delete_confirmed(int r);

private:
    void build_form();
    void read_account_names();

    QObject *navigator_;
    Settings folder_;
    Settings server_root_;
    QAutoConnect *autoconnect_ = nullptr;
    std::string own_guid_;
    email_checks::AccountNames account_names_;

    QLineEdit *name_ = nullptr;
    QLabel *name_warning_icon_ = nullptr;
    QLabel *name_warning_ = nullptr;
    QLineEdit *server_address_ = nullptr;
    QLabel *address_warning_icon_ = nullptr;
    QLabel *address_warning_ = nullptr;
    QLineEdit *username_ = nullptr;
    QPushButton *delete_button_ = nullptr;
    references::UsedByLinks *used_by_ = nullptr;
};

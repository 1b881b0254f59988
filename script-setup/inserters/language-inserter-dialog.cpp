#include "script-setup/inserters/language-inserter-dialog.h"

#include "qt4-pavo7/reusable/our-message-box.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegExpValidator>
#include <QVBoxLayout>

namespace {

QString caption(const char *text)
{
    return QCoreApplication::translate("QLanguageInserterDialogClass", text);
}

} // namespace

QLanguageInserterDialog::QLanguageInserterDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption("Insert settings"));
    resize(351, 93);
    setStyleSheet("#input {\n\tbackground-color: white;\n\tborder-bottom: 1px solid "
                  "lightGray;\n}\n\n#buttons {\n\tbackground-color: rgb(240, 240, 240);\n}");

    auto *input = new QFrame(this);
    input->setObjectName("input");
    auto *input_layout = new QVBoxLayout(input);
    input_layout->addWidget(
        new QLabel(caption("Enter 2 letter language code (e.g., \"ru\" for Russia)"), input));
    language_name_ = new QLineEdit(input);
    language_name_->setObjectName("language_name");
    language_name_->setValidator(new QRegExpValidator(
        QRegExp(QString::fromLatin1("^[a-zA-Z][a-zA-Z]$"), Qt::CaseSensitive), language_name_));
    input_layout->addWidget(language_name_);

    auto *buttons = new QFrame(this);
    buttons->setObjectName("buttons");
    auto *buttons_layout = new QHBoxLayout(buttons);
    buttons_layout->addStretch(1);
    auto *ok = new QPushButton(caption("OK"), buttons);
    ok->setObjectName("ok_button");
    ok->setDefault(true);
    auto *cancel = new QPushButton(caption("Cancel"), buttons);
    cancel->setObjectName("cancel_button");
    buttons_layout->addWidget(ok);
    buttons_layout->addWidget(cancel);

    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(input);
    box->addWidget(buttons);

    connect(ok, &QPushButton::clicked, this, &QLanguageInserterDialog::ok_clicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void QLanguageInserterDialog::showEvent(QShowEvent *event)
{
    language_name_->clear();
    language_name_->setFocus();
    QDialog::showEvent(event);
}

void QLanguageInserterDialog::ok_clicked()
{
    const QString code = language_name_->text().toLower();
    if (code.isEmpty()) {
        auto *box = new Reusable::OurMessageBox(
            QMessageBox::Warning, caption("Error adding language"),
            caption("Cannot use empty language code"), QMessageBox::Ok, this);
        box->setObjectName("language_error");
        box->show();
        return;
    }
    Q_EMIT accepted(code);
    accept();
}

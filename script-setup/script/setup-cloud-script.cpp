#include "script-setup/script/setup-cloud-script.h"

#include "qt4-setup/src/dir-tracker.h"
#include "script-setup/page-support.h"
#include "script-setup/script/cloud-script-text.h"
#include "script-setup/script/script-header.h"
#include "script-setup/script/script-parameters-editor.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <stdexcept>

namespace {

// The cloud page shows the script page's captions, translated once for both.
QString caption(const char *text)
{
    return QCoreApplication::translate("QSetupScript", text);
}

// The engine writes times as unsigned decimal strings; anything else is a
// fault of the stored data, reported with the key.
unsigned long long unsigned_decimal(const std::string &text, const char *key)
{
    unsigned long long value = 0;
    for (char c : text) {
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (digit > 9 || value > (~0ULL - digit) / 10)
            throw std::runtime_error(std::string(key) + " '" + text + "' is not a number");
        value = value * 10 + digit;
    }
    if (text.empty())
        throw std::runtime_error(std::string(key) + " is empty");
    return value;
}

// Coloured rich text stays readable on the disabled page.
QString state_html(const QString &message)
{
    return QStringLiteral("<b><font color=\"#505050\">%1</font></b>").arg(message.toHtmlEscaped());
}

// The client's picture when it ships one, else a drawn cloud of that size.
QPixmap cloud_picture(int size)
{
    const QString resource = QStringLiteral(":/settings/python-cloud-64.png");
    if (QFile::exists(resource))
        return QPixmap(resource).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor("#4a86c8"));
    const qreal u = size / 16.0;
    painter.drawEllipse(QRectF(1 * u, 6 * u, 6 * u, 6 * u));
    painter.drawEllipse(QRectF(4 * u, 3 * u, 8 * u, 8 * u));
    painter.drawEllipse(QRectF(9 * u, 6 * u, 6 * u, 6 * u));
    painter.drawRoundedRect(QRectF(3 * u, 8 * u, 10 * u, 4 * u), u, u);
    painter.setPen(QColor("#ffd43b"));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(static_cast<int>(4 * u));
    painter.setFont(font);
    painter.drawText(QRectF(0, 6 * u, size, 6 * u), Qt::AlignCenter, QStringLiteral("py"));
    return picture;
}

} // namespace

bool QSetupCloudScript::Status::operator==(const Status &o) const
{
    return name == o.name && enabled == o.enabled && download_ts == o.download_ts &&
           run_count == o.run_count && error_count == o.error_count && last_error == o.last_error &&
           last_error_line == o.last_error_line && last_warning == o.last_warning &&
           last_warning_line == o.last_warning_line && last_run_ts == o.last_run_ts &&
           last_successful_run_ts == o.last_successful_run_ts &&
           successful_run_count == o.successful_run_count &&
           status_send_count == o.status_send_count;
}

QSetupCloudScript::QSetupCloudScript(QObject *navigator, Settings folder, Settings server_root)
    : SetupScriptBase(navigator, folder, server_root)
{
    build_layout();
    page_support::scale_page(this);
    try {
        FolderLock guard(server_root_);
        server_name_ = server_root_->name();
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
    folder_tracker_ = QDirTracker::create("QSetupCloudScript", folder_);
    connect(folder_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
            &QSetupCloudScript::script_changed, Qt::QueuedConnection);
    connect(folder_tracker_.get(), qOverload<QString, QString>(&QDirTracker::subdir_added), this,
            &QSetupCloudScript::stats_dir_created, Qt::QueuedConnection);
    bool subscribed = false;
    try {
        FolderLock guard(folder_);
        subscribed = folder_tracker_->subscribe(Rizurividuvez::Dir::ALL);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
    show_state(tr("Waiting for script engine to start..."));
    // Hosts need not notify on subscribing; one queued round stands in for
    // the first notifications, so an engine that already runs is seen.
    if (subscribed) {
        QMetaObject::invokeMethod(this, &QSetupCloudScript::stats_dir_created,
                                  Qt::QueuedConnection);
        QMetaObject::invokeMethod(this, &QSetupCloudScript::script_changed, Qt::QueuedConnection);
    }
}

QSetupCloudScript::~QSetupCloudScript() = default;

void QSetupCloudScript::build_layout()
{
    auto *image = new QLabel;
    image->setPixmap(cloud_picture(page_support::scaled(64)));
    image->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    status_label_ = new QLabel;
    status_label_->setObjectName(QStringLiteral("status"));
    status_label_->setTextFormat(Qt::RichText);
    status_label_->setWordWrap(true);
    status_label_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    description_caption_ =
        new QLabel(caption(QT_TRANSLATE_NOOP("QSetupScript", "Script description:")));
    description_label_ = new QLabel;
    description_label_->setObjectName(QStringLiteral("description"));
    description_label_->setStyleSheet(QStringLiteral("QLabel{font-weight: bold;}"));
    description_label_->setIndent(page_support::scaled(20));
    description_label_->setWordWrap(true);
    parameters_area_ = new QScrollArea;
    parameters_area_->setObjectName(QStringLiteral("parameters_area"));
    parameters_area_->setWidgetResizable(true);
    last_error_ = new QLabel;
    last_error_->setObjectName(QStringLiteral("last_error"));
    last_error_->setTextFormat(Qt::RichText);
    last_error_->setWordWrap(true);
    last_error_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    last_error_->hide();
    save_button_ = new QPushButton(caption(QT_TRANSLATE_NOOP("QSetupScript", "&Save")));
    save_button_->setObjectName(QStringLiteral("save_button"));
    save_button_->setIcon(
        page_support::icon(":/gtk-icons/gtk-save.png", QStyle::SP_DialogSaveButton));
    revert_button_ = new QPushButton(caption(QT_TRANSLATE_NOOP("QSetupScript", "Revert")));
    revert_button_->setObjectName(QStringLiteral("revert_button"));
    revert_button_->setIcon(
        page_support::icon(":/gtk-icons/gtk-undo-ltr.png", QStyle::SP_ArrowBack));
    save_button_->setEnabled(false);
    revert_button_->setEnabled(false);
    connect(save_button_, &QPushButton::clicked, this, &QSetupCloudScript::save_button_clicked);
    page_support::save_key(this, &QSetupCloudScript::save_button_clicked);
    connect(revert_button_, &QPushButton::clicked, this, &QSetupCloudScript::revert_button_clicked);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save_button_);
    buttons->addWidget(revert_button_);
    buttons->addStretch(1);
    auto *grid = new QGridLayout(this);
    grid->addWidget(image, 0, 0);
    grid->addWidget(status_label_, 0, 1);
    grid->addWidget(description_caption_, 1, 0, 1, 2);
    grid->addWidget(description_label_, 2, 0, 1, 2);
    grid->addWidget(new QLabel(caption(QT_TRANSLATE_NOOP("QSetupScript", "Script parameters:"))), 3,
                    0, 1, 2);
    grid->addWidget(parameters_area_, 4, 0, 1, 2);
    grid->addWidget(last_error_, 5, 0, 1, 2);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

void QSetupCloudScript::show_state(const QString &message)
{
    status_label_->setText(state_html(message));
    // The table is drawn again once the page recovers; until then nothing
    // of a script that cannot be read is left on show.
    status_known_ = false;
    description_caption_->hide();
    description_label_->hide();
    if (QWidget *old = parameters_area_->takeWidget())
        old->deleteLater();
    form_ = nullptr;
    last_error_->hide();
    modified_ = false;
    set_buttons();
    setEnabled(false);
}

void QSetupCloudScript::script_changed()
{
    try {
        int rights = 0;
        {
            FolderLock guard(folder_);
            rights = folder_->rights();
        }
        if (!(rights & 8)) {
            show_state(tr("Insufficient rights"));
            return;
        }
        Status status = status_;
        std::string script, local, cloud, download_ts;
        int enable = 0;
        {
            FolderLock guard(folder_);
            status.name = folder_->get_string("name");
            script = folder_->get_string("script");
            local = folder_->get_string("parameters_local");
            cloud = folder_->get_string("parameters_cloud");
            enable = folder_->get_integer("enable");
            download_ts = folder_->get_string("download_ts");
        }
        const cloud_script::Text text = cloud_script::readable(script);
        if (!text.ok)
            throw std::runtime_error(text.error);
        status.enabled = enable != 0;
        status.download_ts = unsigned_decimal(download_ts, "download_ts");

        const std::string declaration = script_header::declaration(text.text);
        const QString description =
            script_header::description_text(from_utf8(text.text), std::string());
        description_label_->setText(description);
        description_caption_->setVisible(!description.isEmpty());
        description_label_->setVisible(!description.isEmpty());
        // The rows stay while what they show is stored unchanged, as after a
        // save: the focus and any unsaved edit stay in them.
        if (!form_ || declaration != declaration_ || cloud != values_cloud_ ||
            local != values_local_) {
            declaration_ = declaration;
            values_cloud_ = cloud;
            values_local_ = local;
            build_form();
            modified_ = false; // a new form shows its baseline
        } else {
            modified_ = form_->get_values() != baseline_;
        }
        set_buttons();
        if (!status_known_ || status != status_)
            set_status(status);
        enabled_ = status.enabled;
        setEnabled(stats_ && enabled_);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        show_state(tr("Failed to load script parameters."));
    }
}

void QSetupCloudScript::build_form()
{
    form_ = build_parameters_form(parameters_area_, from_utf8(server_name_),
                                  [this](ScriptParametersEditor *form) {
                                      connect(form, &Reusable::UniversalParametersEditor::changed,
                                              this, &QSetupCloudScript::parameters_edited);
                                      form->set_description(declaration_);
                                      // The cloud may add parameters of its own; local values only
                                      // override what is declared or came from the cloud.
                                      form->set_values(values_cloud_, true);
                                      form->set_values(values_local_, false);
                                  });
    baseline_ = form_->get_values();
}

void QSetupCloudScript::stats_dir_created()
{
    if (stats_)
        return;
    try {
        FolderLock guard(folder_);
        // The engine creates "stats" when it starts; the page only looks.
        stats_ = folder_->subdir("stats", 0);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        show_state(tr("Scripts engine has not started yet."));
        return;
    }
    if (!stats_)
        return;
    stats_tracker_ = QDirTracker::create("QSetupCloudScript", stats_);
    connect(stats_tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
            &QSetupCloudScript::stats_changed, Qt::QueuedConnection);
    if (stats_tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES))
        QMetaObject::invokeMethod(this, &QSetupCloudScript::stats_changed, Qt::QueuedConnection);
    if (status_known_) {
        draw_status();
        setEnabled(enabled_);
    }
}

void QSetupCloudScript::stats_changed()
{
    if (!stats_) {
        VX_LOG(2, "GUI: no stats dir for script\n");
        return;
    }
    Status status = status_;
    try {
        std::string run_ts, success_ts;
        {
            FolderLock guard(stats_);
            status.run_count = stats_->get_integer("run_count");
            status.error_count = stats_->get_integer("error_count");
            status.last_error = stats_->get_string("last_error");
            status.last_error_line = stats_->get_integer("last_error_line");
            status.last_warning = stats_->get_string_or("last_warning", std::string());
            status.last_warning_line = stats_->get_integer_or("last_warning_line", -1);
            run_ts = stats_->get_string("last_run_ts");
            success_ts = stats_->get_string("last_successful_run_ts");
            status.successful_run_count = stats_->get_integer("successful_run_count");
            status.status_send_count = stats_->get_integer("status_send_count");
        }
        status.last_run_ts = unsigned_decimal(run_ts, "last_run_ts");
        status.last_successful_run_ts = unsigned_decimal(success_ts, "last_successful_run_ts");
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        return;
    }
    if (status != status_) {
        status_ = status;
        if (status_known_)
            draw_status();
    }
}

void QSetupCloudScript::set_status(const Status &status)
{
    status_ = status;
    status_known_ = true;
    draw_status();
}

void QSetupCloudScript::draw_status()
{
    show_problem(last_error_, from_utf8(status_.last_error),
                 show_warnings() ? from_utf8(status_.last_warning) : QString());
    const auto row = [](const QString &caption, const QString &value) {
        return QStringLiteral("<tr><td>%1:</td><td><b>%2</b></td></tr>").arg(caption, value);
    };
    const QString enabled =
        QStringLiteral("<font color='%1'>%2</font></b>")
            .arg(status_.enabled ? QStringLiteral("green") : QStringLiteral("red"),
                 status_.enabled ? tr("Yes") : tr("No"));
    const QString downloaded =
        status_.download_ts
            ? QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(status_.download_ts / 1000))
                  .toString()
            : tr("Unknown");
    status_label_->setText(
        QStringLiteral("<table>") +
        row(tr("Script name"), from_utf8(status_.name).toHtmlEscaped()) +
        row(tr("Enabled"), enabled) + row(tr("Downloaded"), downloaded.toHtmlEscaped()) +
        QStringLiteral("</table>") +
        // Says why the page stays disabled for an enabled script.
        (stats_ ? QString()
                : "<p>" + state_html(tr("Waiting for script engine to start...")) + "</p>"));
}

void QSetupCloudScript::show_warnings_changed()
{
    if (status_known_)
        draw_status();
}

void QSetupCloudScript::parameters_edited()
{
    modified_ = form_ && form_->get_values() != baseline_;
    set_buttons();
}

void QSetupCloudScript::set_buttons()
{
    save_button_->setEnabled(modified_);
    revert_button_->setEnabled(modified_);
}

void QSetupCloudScript::save_button_clicked()
{
    if (!modified_ || !form_)
        return;
    const std::string values = form_->get_values();
    try {
        FolderLock guard(folder_);
        folder_->set_string("parameters_local", values);
        // Until the host's notification rebuilds the form, what was saved
        // is what an edit is compared with and what revert goes back to.
        values_local_ = values;
        baseline_ = values;
    } catch (const std::exception &e) {
        VX_LOG(1, "SCRIPT GUI: cannot save: %s\n", e.what());
    }
    modified_ = false;
    set_buttons();
}

void QSetupCloudScript::revert_button_clicked()
{
    if (!modified_)
        return;
    build_form();
    modified_ = false;
    set_buttons();
}

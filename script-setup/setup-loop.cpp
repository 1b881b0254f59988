#include "script-setup/setup-loop.h"

#include "plugin/host.h"
#include "plugin/module-state.h"
#include "qt4-pavo7/reusable/channels-box.h"
#include "qt4-setup/src/settings-autoconnect.h"
#include "script-setup/loop/loop-script.h"
#include "script-setup/loop/shortcut-filter.h"
#include "script-setup/loop/templates-order.h"
#include "script-setup/objects-list-receiver.h"
#include "script-setup/page-support.h"
#include "script-setup/references/reference-marks.h"
#include "utils/erase-request.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace {

int usable_screens()
{
    int n = 0;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        if (area.width() > 0 && area.height() > 0)
            ++n;
    }
    return std::max(n, 1);
}

} // namespace

QSetupLoop::QSetupLoop(QObject *navigator, Settings folder, Settings server_root)
    : navigator_(navigator)
    , folder_(folder)
    , server_root_(server_root)
{
    Q_ASSERT(folder_ && server_root_);
    build_form();
    page_support::scale_page(this);

    shortcut_->installEventFilter(new ShortcutEventFilter(shortcut_));
    // Any stored number loads as it is; the range is narrowed after loading.
    monitor_->setRange(INT_MIN, INT_MAX);
    monitor_->setValue(1); // what an unreadable key leaves

    connect(shortcut_, &QLineEdit::textChanged, this, &QSetupLoop::touch);
    connect(monitor_, qOverload<int>(&QSpinBox::valueChanged), this, &QSetupLoop::touch);
    connect(save_btn_, &QPushButton::clicked, this, &QSetupLoop::save_button_clicked);
    connect(delete_btn_, &QPushButton::clicked, this, &QSetupLoop::delete_button_clicked);
    connect(to_script_btn_, &QPushButton::clicked, this, &QSetupLoop::convert_to_script);
    connect(add_template_btn_, &QPushButton::clicked, this, [this] {
        add_template();
        focus_new_row();
    });
    connect(add_channel_btn_, &QPushButton::clicked, this, [this] {
        add_channel();
        focus_new_row();
    });
    page_support::save_key(this, &QSetupLoop::save_button_clicked);

    autoconnect_ = new QAutoConnect(folder_, this);
    autoconnect_->connect_children(this);
    autoconnect_->load_values();
    // The script runs on the operator's workstation, which may have more
    // screens than this one: a stored number stays as it is, shown and used.
    monitor_->setRange(std::min(1, monitor_->value()),
                       std::max(usable_screens(), monitor_->value()));
    autoconnect_->connect_signals(true);

    start_receiver();
    load_templates();
    kept_order_ = loop::load_templates_order(folder_, [this](const loop::LoopEntry &e) {
        if (e.kind == loop::CHANNEL)
            add_channel(e.guid, e.seconds);
        else
            add_template(e.guid, e.seconds);
    });
    too_long_->setVisible(!kept_order_.empty());

    update_tab_order();
    list_edited_ = false;
    modified_ = false;
    apply_rights();
    references::ReferenceMarks::for_loop(this, folder_, server_root_);
}

QSetupLoop::~QSetupLoop() = default;

void QSetupLoop::start_receiver()
{
    try {
        FolderLock guard(server_root_);
        server_name_ = server_root_->name();
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        return;
    }
    receiver_ = ObjectsListReceiver::create(server_name_, "OperatorGUI");
    connect(receiver_.get(), &ObjectsListReceiver::objects_changed, this,
            &QSetupLoop::objects_list_changed, Qt::QueuedConnection);
    if (Rizurividuvez::HostRoot *host = module_state::host())
        host->register_consumer(receiver_);
}

void QSetupLoop::load_templates()
{
    Settings templates;
    try {
        FolderLock guard(server_root_);
        templates = server_root_->cd("templates", 0);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: setup-loop: cannot read template: %s\n", e.what());
        return;
    }
    if (!templates) {
        VX_LOG(2, "GUI: setup-loop: templates folder not found!\n");
        return;
    }
    // One lock at a time: the list first, then each template on its own.
    std::vector<std::pair<std::string, Settings>> folders;
    try {
        FolderLock guard(templates);
        for (const std::string &name : templates->ls())
            folders.emplace_back(name, templates->subdir(name, 0));
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: setup-loop: cannot read template: %s\n", e.what());
    }
    for (const auto &folder : folders) {
        if (!folder.second)
            continue;
        try {
            FolderLock guard(folder.second);
            templates_[folder.first] = from_utf8(folder.second->get_string("name"));
        } catch (const std::exception &e) {
            VX_LOG(2, "GUI: setup-loop: cannot read template: %s\n", e.what());
        }
    }
}

void QSetupLoop::add_template(QByteArray guid, int timeout)
{
    auto *row = new Template(templates_, guid);
    row->set_timeout(timeout);
    add_row(row);
}

void QSetupLoop::add_channel(QByteArray guid, int timeout)
{
    // The server's channels are read once, for the first channel row.
    if (!channel_list_) {
        channel_list_ = new Reusable::QChannelsBox(server_root_, this);
        channel_list_->hide();
    }
    auto *row = new Channel(*channel_list_, guid);
    row->set_timeout(timeout);
    add_row(row);
}

void QSetupLoop::add_row(LoopElement *row)
{
    connect(row, &LoopElement::remove_me, this, &QSetupLoop::remove_loop_element);
    connect(row, &LoopElement::move_me_up, this, &QSetupLoop::move_loop_element_up);
    connect(row, &LoopElement::move_me_down, this, &QSetupLoop::move_loop_element_down);
    connect(row, &LoopElement::changed, this, &QSetupLoop::list_changed);
    element_list_->addWidget(row);
    rows_.push_back(row);
    list_changed();
}

int QSetupLoop::index_of_sender() const
{
    const auto it = std::find(rows_.begin(), rows_.end(), qobject_cast<LoopElement *>(sender()));
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

void QSetupLoop::remove_loop_element()
{
    const int i = index_of_sender();
    if (i < 0)
        return;
    LoopElement *row = rows_[static_cast<size_t>(i)];
    rows_.erase(rows_.begin() + i);
    element_list_->removeWidget(row);
    row->hide();
    // The row's own button signal is still running.
    row->deleteLater();
    list_changed();
}

void QSetupLoop::move_loop_element_up()
{
    const int i = index_of_sender();
    if (i <= 0)
        return;
    std::swap(rows_[static_cast<size_t>(i)], rows_[static_cast<size_t>(i - 1)]);
    LoopElement *row = rows_[static_cast<size_t>(i - 1)];
    element_list_->removeWidget(row);
    element_list_->insertWidget(i - 1, row);
    list_changed();
}

void QSetupLoop::move_loop_element_down()
{
    const int i = index_of_sender();
    if (i < 0 || i + 1 >= static_cast<int>(rows_.size()))
        return;
    std::swap(rows_[static_cast<size_t>(i)], rows_[static_cast<size_t>(i + 1)]);
    LoopElement *row = rows_[static_cast<size_t>(i + 1)];
    element_list_->removeWidget(row);
    element_list_->insertWidget(i + 1, row);
    list_changed();
}

void QSetupLoop::objects_list_changed()
{
    if (!receiver_)
        return;
    {
        ObjectsListReceiver::Lock lock(*receiver_);
        if (!lock.objects().empty()) {
            const Rizurividuvez::ObjectInfo &first = lock.objects().front();
            Q_ASSERT(first.class_name == "OperatorGUI");
            Q_ASSERT(first.parent_guid == server_name_);
            operator_gui_ = QByteArray::fromStdString(first.guid);
        }
    }
    if (operator_gui_.isEmpty())
        return;
    // The first operator GUI found stays the target for the page's lifetime.
    disconnect(receiver_.get(), nullptr, this, nullptr);
    receiver_.reset();
}

void QSetupLoop::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_S && e->modifiers() == Qt::ControlModifier) {
        save_button_clicked();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool QSetupLoop::focusNextPrevChild(bool next)
{
    update_tab_order();
    return QWidget::focusNextPrevChild(next);
}

void QSetupLoop::update_tab_order()
{
    page_support::chain_tabs(page_support::reading_order(this));
}

void QSetupLoop::focus_new_row()
{
    update_tab_order();
    const QWidgetList controls = page_support::reading_order(rows_.back());
    if (controls.isEmpty())
        return;
    controls.front()->setFocus(Qt::TabFocusReason);
    // The row is placed by the next layout pass; show it then.
    QPointer<QWidget> row = rows_.back();
    QMetaObject::invokeMethod(
        this,
        [this, row] {
            if (auto *scroll = findChild<QScrollArea *>())
                if (row)
                    scroll->ensureWidgetVisible(row);
        },
        Qt::QueuedConnection);
}

void QSetupLoop::touch()
{
    modified_ = true;
    apply_rights();
}

void QSetupLoop::list_changed()
{
    list_edited_ = true;
    touch();
}

void QSetupLoop::convert_to_script()
{
    QGuiApplication::clipboard()->setText(generate_script());
}

void QSetupLoop::save_button_clicked()
{
    bool may_edit = false;
    if (!modified_ || !read_rights(&may_edit) || !may_edit)
        return;
    // An order too long to show is stored again only once the operator
    // has changed the list; until then only the script follows the page.
    const bool keep_order = !kept_order_.empty() && !list_edited_;
    const std::string order = keep_order ? std::string() : loop::format_templates_order(entries());
    const std::string script = to_utf8(generate_script());
    try {
        FolderLock guard(folder_);
        if (!keep_order)
            folder_->set_string("templates_order", order);
        folder_->set_string("script", script);
        if (!keep_order) {
            kept_order_.clear();
            too_long_->hide();
        }
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
    modified_ = false;
    apply_rights();
}

void QSetupLoop::delete_button_clicked()
{
    auto *box = new QMessageBox(
        QMessageBox::Question, tr("Delete Confirmation"),
        tr("Are you sure you want to delete template loop '%1'?").arg(name_->text()),
        QMessageBox::Yes | QMessageBox::No, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    connect(box, &QMessageBox::finished, this, &QSetupLoop::delete_confirmed);
    box->show();
}

void QSetupLoop::delete_confirmed(int r)
{
    if (r != QMessageBox::Yes)
        return;
    try {
        request_erase(folder_, "loop_erase");
    } catch (const std::exception &e) {
        // The server keeps the loop; the page stays as it was.
        VX_LOG(2, "GUI: %s\n", e.what());
    }
}

QString QSetupLoop::generate_script()
{
    loop::LoopScriptInput input;
    input.monitor = monitor_->value();
    input.shortcut = shortcut_->text();
    input.operator_gui = operator_gui_;
    input.entries = entries();
    return loop::generate_loop_script(input);
}

std::vector<loop::LoopEntry> QSetupLoop::entries() const
{
    // The whole kept order, not just the rows shown: read only when needed.
    if (!kept_order_.empty() && !list_edited_)
        return loop::loop_rows(loop::parse_templates_order(kept_order_));
    std::vector<loop::LoopEntry> out;
    for (const LoopElement *row : rows_) {
        loop::LoopEntry e;
        e.guid = row->guid();
        e.seconds = row->timeout();
        e.kind = row->kind();
        out.push_back(e);
    }
    return out;
}

bool QSetupLoop::read_rights(bool *writable)
{
    try {
        FolderLock guard(folder_);
        *writable = (folder_->rights() & 8) != 0;
        return true;
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
        return false;
    }
}

void QSetupLoop::apply_rights()
{
    // Unknown rights keep the controls as they were; the server still decides.
    read_rights(&writable_);
    delete_btn_->setEnabled(writable_);
    actions_frame_->setEnabled(writable_);
    activation_frame_->setEnabled(writable_);
    save_btn_->setEnabled(writable_ && modified_);
}

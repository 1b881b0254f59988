#include "script-setup/setup-schedule.h"

#include "qt4-pavo7/reusable/scheduler-widget.h"
#include "qt4-setup/src/dir-tracker.h"
#include "qt4-setup/src/settings-autoconnect.h"
#include "script-setup/page-support.h"
#include "script-setup/references/used-by-links.h"
#include "script-setup/schedule-channels.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char *const fill_texts[] = {
    QT_TRANSLATE_NOOP("QSetupSchedule", "Disable"),
    QT_TRANSLATE_NOOP("QSetupSchedule", "Permanent"),
    QT_TRANSLATE_NOOP("QSetupSchedule", "On Detector"),
    QT_TRANSLATE_NOOP("QSetupSchedule", "Fill with &red"),
    QT_TRANSLATE_NOOP("QSetupSchedule", "Fill with &blue"),
    QT_TRANSLATE_NOOP("QSetupSchedule", "Fill with &green"),
};
enum { RECORD_RED, RECORD_BLUE, RECORD_GREEN, PLAIN_RED, PLAIN_BLUE, PLAIN_GREEN };

} // namespace

QSetupSchedule::QSetupSchedule(QObject *navigator, Settings folder, Settings server_root)
    : navigator_(navigator)
    , folder_(folder)
    , server_root_(server_root)
{
    Q_ASSERT_X(server_root_, "QSetupSchedule", "network_node");
    build_form();
    page_support::scale_page(this);
    scale_grid();

    autoconnect_ = new QAutoConnect(folder_, this);
    autoconnect_->connect_children(this);
    autoconnect_->bind(channels_box_, "affect_channels_record_mode");
    autoconnect_->load_values();
    // A stored "snap" value reaches only the box; keep the grid with what it shows.
    grid_->set_snap(snap_->isChecked());
    unserialize_from_dir();
    autoconnect_->connect_signals(true);
    // After a refused write the binder reloads and enables what it binds by
    // key alone; the page's own rule has the last word.
    connect(autoconnect_, &QAutoConnect::user_has_made_changes, this,
            &QSetupSchedule::dir_rights_changed);

    fill_day_combos();
    prepare_fill_buttons();
    channels_box_clicked(channels_box_->isChecked());

    channels_list_->setSortingEnabled(true);
    channels_list_->sortItems();
    connect_controls();

    tracker_ = QDirTracker::create("QScheduleTracker", folder_);
    connect(tracker_.get(), qOverload<QString>(&QDirTracker::values_changed), this,
            &QSetupSchedule::dir_values_changed, Qt::QueuedConnection);
    connect(tracker_.get(), &QDirTracker::effective_rights_changed, this,
            &QSetupSchedule::dir_rights_changed, Qt::QueuedConnection);
    tracker_->subscribe(Rizurividuvez::Dir::OWN_VALUES);

    build_channel_list();
    dir_rights_changed();

    used_by_ = new references::UsedByLinks(navigator_, folder_, server_root_, references::SCHEDULE,
                                           tr("Used by:"), this);
    static_cast<QVBoxLayout *>(layout())->insertWidget(2, used_by_);
}

QSetupSchedule::~QSetupSchedule() = default;

void QSetupSchedule::scale_grid()
{
    grid_->set_cell_size(page_support::scaled(Reusable::QSchedulerWidget::designed_hour_width),
                         page_support::scaled(Reusable::QSchedulerWidget::designed_row_height));
}

void QSetupSchedule::fill_day_combos()
{
    const QLocale locale;
    for (QComboBox *combo : {dayofweek1_, dayofweek2_}) {
        const QSignalBlocker blocker(combo);
        for (int d = 1; d <= 7; ++d) {
            QString name = locale.dayName(d, QLocale::LongFormat);
            if (!name.isEmpty())
                name[0] = name[0].toUpper();
            combo->addItem(name);
        }
    }
}

void QSetupSchedule::prepare_fill_buttons()
{
    int widest = 0;
    for (const char *text : fill_texts) {
        fillred_->setText(tr(text));
        widest = std::max(widest, fillred_->sizeHint().width());
    }
    for (QPushButton *button : {fillred_, fillblue_, fillgreen_})
        button->setFixedWidth(widest + 10);
}

void QSetupSchedule::set_fill_captions(bool record_mode)
{
    fillred_->setText(tr(fill_texts[record_mode ? RECORD_RED : PLAIN_RED]));
    fillblue_->setText(tr(fill_texts[record_mode ? RECORD_BLUE : PLAIN_BLUE]));
    fillgreen_->setText(tr(fill_texts[record_mode ? RECORD_GREEN : PLAIN_GREEN]));
}

void QSetupSchedule::connect_controls()
{
    connect(snap_, &QCheckBox::toggled, this, &QSetupSchedule::snap_toggled);
    connect(grid_, &Reusable::QSchedulerWidget::rect_changed, this, &QSetupSchedule::rect_changed);
    connect(grid_, &Reusable::QSchedulerWidget::after_fill, this,
            &QSetupSchedule::serialize_to_dir);
    for (QComboBox *combo : {dayofweek1_, dayofweek2_})
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &QSetupSchedule::controls_changed);
    for (QTimeEdit *edit : {time1_, time2_})
        connect(edit, &QTimeEdit::timeChanged, this, &QSetupSchedule::controls_changed);
    connect(fillblue_, &QPushButton::clicked, this, &QSetupSchedule::fill_blue);
    connect(fillgreen_, &QPushButton::clicked, this, &QSetupSchedule::fill_green);
    connect(fillred_, &QPushButton::clicked, this, &QSetupSchedule::fill_red);
    connect(delete_button_, &QPushButton::clicked, this, &QSetupSchedule::delete_button_clicked);
    connect(channels_box_, &QGroupBox::clicked, this, &QSetupSchedule::channels_box_clicked);
    connect(channels_list_, &QListWidget::itemChanged, this, &QSetupSchedule::list_item_clicked);
    connect(select_all_, &QPushButton::clicked, this, &QSetupSchedule::channels_select_all);
    connect(select_none_, &QPushButton::clicked, this, &QSetupSchedule::channels_select_none);
}

void QSetupSchedule::build_channel_list()
{
    const schedule_page::ScheduleChannels channels =
        schedule_page::read_schedule_channels(folder_, server_root_);
    own_channels_ = std::set<std::string>(channels.own.begin(), channels.own.end());
    used_elsewhere_ = channels.used_elsewhere;

    // The sorted view orders names as the system's collation does.
    const QCollator collation(QLocale::system().collation());
    std::vector<std::pair<QCollatorSortKey, QListWidgetItem *>> items;
    items.reserve(channels.rows.size());
    for (auto row = channels.rows.rbegin(); row != channels.rows.rend(); ++row) {
        auto *item = new QListWidgetItem(row->name);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
        if (row->used_elsewhere)
            item->setToolTip(tr("This channel is already used in another schedule"));
        else if (row->may_edit)
            flags |= Qt::ItemIsEnabled;
        item->setFlags(flags);
        item->setCheckState(row->checked ? Qt::Checked : Qt::Unchecked);
        item_to_guid[item] = row->guid;
        items.emplace_back(collation.sortKey(row->name), item);
    }
    // Sorted once rather than item by item into the view, which shifts the
    // rows below each one. Sorting the reversed rows stably puts equal names
    // where the sorted insertion puts them: the last one first.
    std::stable_sort(items.begin(), items.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    // Building the list is no choice of the user's: nothing is written.
    const QSignalBlocker blocker(channels_list_);
    channels_list_->setSortingEnabled(false);
    for (const auto &item : items)
        channels_list_->addItem(item.second);
    channels_list_->setSortingEnabled(true);
}

void QSetupSchedule::check_own_channels()
{
    const QSignalBlocker blocker(channels_list_);
    for (int i = 0; i < channels_list_->count(); ++i) {
        QListWidgetItem *item = channels_list_->item(i);
        const auto it = item_to_guid.find(item);
        const bool own = it != item_to_guid.end() && own_channels_.count(it->second);
        item->setCheckState(own ? Qt::Checked : Qt::Unchecked);
    }
}

void QSetupSchedule::snap_toggled(bool b)
{
    grid_->set_snap(b);
}

void QSetupSchedule::rect_changed()
{
    if (!grid_->has_selection())
        return;
    updating_controls_ = true;
    dayofweek1_->setCurrentIndex(grid_->start_day());
    time1_->setTime(schedule_page::time_of_second(grid_->start_second()));
    dayofweek2_->setCurrentIndex(grid_->end_day());
    time2_->setTime(schedule_page::time_of_second(grid_->end_second()));
    updating_controls_ = false;
}

void QSetupSchedule::controls_changed()
{
    if (updating_controls_)
        return;
    grid_->set_selection(schedule_page::second_of_time(time1_->time()), dayofweek1_->currentIndex(),
                         schedule_page::second_of_time(time2_->time()),
                         dayofweek2_->currentIndex());
}

void QSetupSchedule::fill_red()
{
    grid_->fill(1);
}

void QSetupSchedule::fill_green()
{
    grid_->fill(0);
}

void QSetupSchedule::fill_blue()
{
    grid_->fill(2);
}

void QSetupSchedule::unserialize_from_dir()
{
    try {
        FolderLock guard(folder_);
        for (int d = 0; d < Reusable::QSchedulerWidget::DAYS; ++d) {
            ScheduleDay day;
            day.from_compact_text(folder_->get_string(schedule_day_keys[d]));
            grid_->set_day(d, day);
        }
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
}

void QSetupSchedule::serialize_to_dir()
{
    try {
        FolderLock guard(folder_);
        for (int d = 0; d < Reusable::QSchedulerWidget::DAYS; ++d)
            folder_->set_string(schedule_day_keys[d], grid_->day(d).to_compact_text());
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
}

void QSetupSchedule::delete_button_clicked()
{
    const QString question = used_by_->delete_question(
        name_->text(), tr("Are you sure you want to delete schedule '%1'?"),
        tr("Schedule '%1' is used by 1 rule: %2. Delete it anyway?"),
        tr("Schedule '%1' is used by %3 rules: %2. Delete it anyway?"));
    auto *box = new QMessageBox(QMessageBox::Question, tr("Delete Confirmation"), question,
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, &QSetupSchedule::delete_confirmed);
    box->show();
}

void QSetupSchedule::delete_confirmed(int r)
{
    if (r != QMessageBox::Yes)
        return;
    try {
        const std::string guid = folder_->name();
        const Settings parent = folder_->parent();
        if (!parent)
            return;
        FolderLock guard(parent);
        parent->set_string("schedule_erase", guid);
    } catch (const std::exception &e) {
        // The server keeps the schedule; the page stays as it was.
        VX_LOG(2, "GUI: %s\n", e.what());
    }
}

void QSetupSchedule::dir_values_changed()
{
    std::vector<std::string> own;
    int mode = 0;
    if (!schedule_page::read_schedule_state(folder_, &own, &mode))
        return;
    if (channels_box_->isChecked() != (mode != 0)) {
        // Another client's change: shown, not written back.
        const QSignalBlocker blocker(channels_box_);
        channels_box_->setChecked(mode != 0);
        set_fill_captions(mode != 0);
    }
    own_channels_ = std::set<std::string>(own.begin(), own.end());
    check_own_channels();
}

void QSetupSchedule::dir_rights_changed()
{
    bool writable = false;
    try {
        writable = (folder_->rights() & 8) != 0;
    } catch (const std::exception &e) {
        // Keep the controls as they are; the server still enforces its rights.
        VX_LOG(2, "GUI: %s\n", e.what());
        return;
    }
    for (QWidget *w : std::initializer_list<QWidget *>{delete_button_, grid_, snap_, modify_group_,
                                                       channels_box_})
        w->setEnabled(writable);
}

void QSetupSchedule::list_item_clicked(QListWidgetItem *item)
{
    Q_ASSERT(!item || item_to_guid.count(item));
    std::vector<std::string> checked;
    for (int i = 0; i < channels_list_->count(); ++i) {
        QListWidgetItem *row = channels_list_->item(i);
        Q_ASSERT(item_to_guid.count(row));
        if (row->checkState() == Qt::Checked)
            checked.push_back(item_to_guid[row]);
    }
    own_channels_ = std::set<std::string>(checked.begin(), checked.end());
    try {
        FolderLock guard(folder_);
        folder_->set_string("affected_channels", schedule_page::join_guids(checked));
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: setup-schedule: cannot write to scheduler: %s\n", e.what());
    }
}

void QSetupSchedule::channels_box_clicked(bool state)
{
    set_fill_captions(state);
    try {
        FolderLock guard(folder_);
        folder_->set_integer("affect_channels_record_mode", state ? 1 : 0);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: setup-schedule: cannot write to scheduler: %s\n", e.what());
    }
}

void QSetupSchedule::channels_select_all()
{
    {
        const QSignalBlocker blocker(channels_list_);
        for (int i = 0; i < channels_list_->count(); ++i) {
            QListWidgetItem *item = channels_list_->item(i);
            if (item->flags() & Qt::ItemIsEnabled)
                item->setCheckState(Qt::Checked);
        }
    }
    list_item_clicked(nullptr);
}

void QSetupSchedule::channels_select_none()
{
    {
        const QSignalBlocker blocker(channels_list_);
        for (int i = 0; i < channels_list_->count(); ++i)
            channels_list_->item(i)->setCheckState(Qt::Unchecked);
    }
    list_item_clicked(nullptr);
}

#include "script-setup/setup-scripts-folder.h"

#include "qt4-pavo7/reusable/link-label.h"
#include "qt4-setup/src/dir-tracker.h"
#include "script-setup/references/used-by-links.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// One row per kind: the link, the folder keys the server acts on, and the
// object type that counts for it. Order matches QSetupScriptsFolder::Kind.
struct KindInfo
{
    const char *link;
    const char *counter_key;
    const char *new_guid_key;
    const char *type;
    const char *link_text;
    const char *count_text;
    const char *count_object_name;
};

const KindInfo kinds[] = {
    {"newscript", "script_create_now", "script_new_guid", "Script",
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "<a href=\"newscript\">Create new script...</a>"),
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "Server has %1 scripts"), "countscript"},
    {"newrule", "rule_create_now", "rule_new_guid", "Rule",
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "<a href=\"newrule\">Create new rule...</a>"),
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "Server has %1 rules"), "countrule"},
    {"newschedule", "schedule_create_now", "schedule_new_guid", "Schedule",
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "<a href=\"newschedule\">Create new schedule...</a>"),
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "Server has %1 schedules"), "countschedule"},
    {"newemail", "email_account_create_now", "email_account_new_guid", "EmailAccount",
     QT_TRANSLATE_NOOP("QSetupScriptsFolder",
                       "<a href=\"newemail\">Create new e-mail accout...</a>"),
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "Server has %1 e-mail accounts"), "countaccount"},
    {"newloop", "loop_create_now", "loop_new_guid", "TemplateLoop",
     QT_TRANSLATE_NOOP("QSetupScriptsFolder",
                       "<a href=\"newloop\">Create new template loop...</a>"),
     QT_TRANSLATE_NOOP("QSetupScriptsFolder", "Server has %1 template loops"), "countloop"},
};

// The server acts on any change of a creation counter, so at the top it
// starts again from zero instead of overflowing.
int next_request(int counter)
{
    return counter == INT_MAX ? 0 : counter + 1;
}

} // namespace

QSetupScriptsFolder::QSetupScriptsFolder(QObject *navigator, Settings folder, Settings server_root)
    : navigator_(navigator)
    , folder_(folder)
    , server_root_(server_root)
{
    if (navigator_)
        connect(this, SIGNAL(cd_to_parent(QString)), navigator_, SLOT(cd_slot(QString)),
                Qt::QueuedConnection);

    // Scripts and rules are what the operator writes; schedules, accounts and
    // loops are what they use. Two grids keep the two groups apart.
    auto *automation = new QGroupBox(tr("Scripts and rules"), this);
    auto *resources = new QGroupBox(tr("Schedules, e-mail accounts and template loops"), this);
    auto *automation_grid = new QGridLayout(automation);
    auto *resources_grid = new QGridLayout(resources);
    for (int k = 0; k < KIND_COUNT; ++k) {
        QGridLayout *grid = k <= RULE ? automation_grid : resources_grid;
        const int row = k <= RULE ? k : k - SCHEDULE;
        links_[k] = new Reusable::QLinkLabel(tr(kinds[k].link_text));
        links_[k]->setObjectName(QString::fromLatin1(kinds[k].link));
        connect(links_[k], &QLabel::linkActivated, this, &QSetupScriptsFolder::link_clicked);
        count_labels_[k] = new QLabel;
        count_labels_[k]->setObjectName(QString::fromLatin1(kinds[k].count_object_name));
        grid->addWidget(links_[k], row, 0);
        grid->addWidget(count_labels_[k], row, 1);
        grid->setColumnStretch(1, 1);
    }
    // Same link column width in both grids, so the counts line up.
    int link_width = 0;
    for (QLabel *link : links_)
        link_width = std::max(link_width, link->sizeHint().width());
    for (QGridLayout *grid : {automation_grid, resources_grid}) {
        grid->setColumnMinimumWidth(0, link_width + 24);
        grid->setHorizontalSpacing(12);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(automation);
    layout->addWidget(resources);
    auto *broken =
        new references::BrokenLinks(server_root_, tr("1 rule or loop refers to something missing:"),
                                    tr("%1 rules and loops refer to something missing:"), this);
    connect(broken, &references::BrokenLinks::open_folder, this,
            &QSetupScriptsFolder::cd_to_parent);
    layout->addWidget(broken);
    layout->addStretch(1);

    track();
}

QSetupScriptsFolder::~QSetupScriptsFolder() = default;

void QSetupScriptsFolder::track()
{
    counts_.fill(0);
    // Reports the old tracker queued before it was replaced must not count:
    // the new subscription reports every subfolder again.
    const unsigned generation = ++tracker_generation_;
    tracker_ = QDirTracker::create("QSetupScriptsFolder", folder_);
    connect(
        tracker_.get(), qOverload<QString, QString>(&QDirTracker::subdir_added), this,
        [this, generation](QString path, QString child) {
            if (generation == tracker_generation_)
                subdir_added(path, child);
        },
        Qt::QueuedConnection);
    connect(
        tracker_.get(), qOverload<QString, QString>(&QDirTracker::subdir_removed), this,
        [this, generation](QString path, QString child) {
            if (generation == tracker_generation_)
                subdir_removed(path, child);
        },
        Qt::QueuedConnection);
    tracker_->subscribe(Rizurividuvez::Dir::SUBDIRS);
    update_counts();
}

void QSetupScriptsFolder::update_counts()
{
    for (int k = 0; k < KIND_COUNT; ++k)
        count_labels_[k]->setText(tr(kinds[k].count_text).arg(counts_[k]));
}

void QSetupScriptsFolder::link_clicked(QString link)
{
    const KindInfo *kind = nullptr;
    for (const auto &k : kinds)
        if (link == QLatin1String(k.link))
            kind = &k;
    if (!kind || !folder_)
        return;

    std::string new_name;
    try {
        FolderLock guard(folder_);
        folder_->set_integer(kind->counter_key,
                             next_request(folder_->get_integer(kind->counter_key)));
        new_name = folder_->get_string(kind->new_guid_key);
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
    // The server names the new folder after the published guid; go there even
    // when the request failed, so the operator sees where things stand.
    try {
        Q_EMIT cd_to_parent(from_utf8(folder_->path() + "/" + new_name));
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
}

void QSetupScriptsFolder::subdir_added(QString, QString child)
{
    try {
        Settings dir;
        {
            FolderLock guard(folder_);
            dir = folder_->subdir(to_utf8(child), 0);
        }
        if (!dir)
            return;
        const std::string type = dir->type();
        for (int k = 0; k < KIND_COUNT; ++k)
            if (type == kinds[k].type)
                ++counts_[k];
    } catch (const std::exception &e) {
        VX_LOG(2, "GUI: %s\n", e.what());
    }
    update_counts();
}

void QSetupScriptsFolder::subdir_removed(QString, QString)
{
    track();
}

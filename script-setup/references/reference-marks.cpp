#include "script-setup/references/reference-marks.h"

#include "script-setup/references/reference-index.h"
#include "script-setup/references/warning-mark.h"
#include "script-setup/rule-page/grid-widget.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <map>

namespace references {
namespace {

struct Text
{
    const char *context;
    Kind kind;
    const char *text;
};

const Text texts[] = {
    {"QSetupRule", SCHEDULE,
     QT_TRANSLATE_NOOP("QSetupRule", "Schedule '%1' does not exist on this server.")},
    {"QSetupRule", EMAIL_ACCOUNT, QT_TRANSLATE_NOOP("QSetupRule", "E-mail account removed.")},
    {"QSetupRule", CHANNEL, QT_TRANSLATE_NOOP("QSetupRule", "Channel not found on this server.")},
    {"QSetupRule", OBJECT,
     QT_TRANSLATE_NOOP("QSetupRule", "Object '%1' does not exist on this server.")},
    {"QSetupRule", SOUND, QT_TRANSLATE_NOOP("QSetupRule", "Sound '%1' is not on this server.")},
    {"QSetupRule", SETTINGS_PATH,
     QT_TRANSLATE_NOOP("QSetupRule", "Setting '%1' does not exist on this server.")},
    {"QSetupLoop", TEMPLATE, QT_TRANSLATE_NOOP("QSetupLoop", "Template not found on this server.")},
    {"QSetupLoop", CHANNEL, QT_TRANSLATE_NOOP("QSetupLoop", "Channel not found on this server.")},
};

} // namespace

QString warning_text(const char *context, Kind kind, const std::string &value)
{
    for (const Text &t : texts)
        if (t.kind == kind && qstrcmp(t.context, context) == 0) {
            QString text = QCoreApplication::translate(t.context, t.text);
            return text.contains(QLatin1String("%1")) ? text.arg(from_utf8(value)) : text;
        }
    return QString();
}

ReferenceMarks::ReferenceMarks(QWidget *page, const char *context, const Settings &folder,
                               const Settings &server_root)
    : QObject(page)
    , page_(page)
    , context_(context)
    , index_(ReferenceIndex::of_server(server_root))
{
    try {
        FolderLock guard(folder);
        guid_ = folder->name();
    } catch (const std::exception &e) {
        VX_LOG(logging_facility::FAILURE, "GUI: cannot read references: %s\n", e.what());
    }
    connect(index_.get(), &ReferenceIndex::changed, this, &ReferenceMarks::refresh);
}

ReferenceMarks *ReferenceMarks::for_rule(QWidget *page, const Settings &folder,
                                         const Settings &server_root, QGridWidget *actions)
{
    auto *marks = new ReferenceMarks(page, "QSetupRule", folder, server_root);
    marks->actions_ = actions;
    marks->refresh();
    return marks;
}

ReferenceMarks *ReferenceMarks::for_loop(QWidget *page, const Settings &folder,
                                         const Settings &server_root)
{
    auto *marks = new ReferenceMarks(page, "QSetupLoop", folder, server_root);
    marks->refresh();
    return marks;
}

QWidget *ReferenceMarks::control_of(const Reference &r) const
{
    const auto named = [](QObject *in, const char *name) {
        return in ? in->findChild<QWidget *>(QString::fromLatin1(name)) : nullptr;
    };
    if (r.place == ACTIVATION) {
        switch (r.kind) {
        case SCHEDULE:
            return named(page_, "schedule");
        case SETTINGS_PATH:
            return named(page_, "settings");
        case OBJECT: {
            auto *state = page_->findChild<QLineEdit *>(QStringLiteral("state_objects"));
            return state && !state->text().isEmpty() ? state : named(page_, "objects");
        }
        default:
            return nullptr;
        }
    }
    if (r.place == ACTION) {
        if (!actions_ || r.index >= actions_->count())
            return nullptr;
        QWidget *row = actions_->row(r.index);
        static const std::map<Kind, const char *> controls = {{CHANNEL, "channel"},
                                                              {EMAIL_ACCOUNT, "account"},
                                                              {SOUND, "sounds_box"},
                                                              {OBJECT, "object"},
                                                              {SETTINGS_PATH, "setting"}};
        const auto it = controls.find(r.kind);
        return it == controls.end() ? nullptr : named(row, it->second);
    }
    if (r.place == LOOP_ELEMENT) {
        auto *list = page_->findChild<QVBoxLayout *>(QStringLiteral("loop_element_list"));
        QLayoutItem *item = list && r.index < list->count() ? list->itemAt(r.index) : nullptr;
        QWidget *row = item ? item->widget() : nullptr;
        return row ? row->findChild<QComboBox *>() : nullptr;
    }
    return nullptr;
}

void ReferenceMarks::refresh()
{
    std::map<QWidget *, QStringList> wanted;
    for (const Broken &b : index_->broken_of(guid_))
        if (QWidget *control = control_of(b.reference))
            wanted[control] << warning_text(context_, b.reference.kind, b.reference.value);
    for (const QPointer<QWidget> &control : marked_)
        if (control && !wanted.count(control))
            warning_mark::set(control, QString());
    marked_.clear();
    for (auto &w : wanted) {
        w.second.removeDuplicates();
        warning_mark::set(w.first, w.second.join(QLatin1Char(' ')));
        marked_.emplace_back(w.first);
    }
}

} // namespace references

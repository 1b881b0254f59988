#include "script-setup/references/used-by-links.h"

#include "script-setup/references/reference-index.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

namespace references {
namespace {

QString shown_name(const Referrer *r)
{
    return from_utf8(r->name.empty() ? r->guid : r->name);
}

QString links_to(const std::vector<const Referrer *> &referrers)
{
    QStringList links;
    for (const Referrer *r : referrers)
        links << QStringLiteral("<a href=\"%1\">%2</a>")
                     .arg(from_utf8(r->guid).toHtmlEscaped(), shown_name(r).toHtmlEscaped());
    return links.join(QLatin1String(", "));
}

void make_link_label(QLabel *label, const char *name)
{
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
}

} // namespace

UsedByLinks::UsedByLinks(QObject *navigator, const Settings &folder, const Settings &server_root,
                         Kind kind, const QString &caption, QWidget *parent)
    : Reusable::QLinkLabel(QString(), parent)
    , kind_(kind)
    , caption_(caption)
    , index_(ReferenceIndex::of_server(server_root))
{
    make_link_label(this, "used_by");
    try {
        FolderLock guard(folder);
        guid_ = folder->name();
    } catch (const std::exception &e) {
        VX_LOG(logging_facility::FAILURE, "GUI: cannot read references: %s\n", e.what());
    }
    if (navigator)
        connect(this, SIGNAL(cd_to_parent(QString)), navigator, SLOT(cd_slot(QString)),
                Qt::QueuedConnection);
    connect(this, &QLabel::linkActivated, this, [this](const QString &guid) {
        Q_EMIT cd_to_parent(from_utf8(index_->scripts_path()) + QLatin1Char('/') + guid);
    });
    connect(index_.get(), &ReferenceIndex::changed, this, &UsedByLinks::refresh);
    refresh();
}

UsedByLinks::~UsedByLinks() = default;

std::vector<const Referrer *> UsedByLinks::users() const
{
    if (kind_ != SCHEDULE)
        return index_->users_of(kind_, guid_);
    const Referrer *own = index_->find(guid_);
    return own ? index_->users_of(kind_, own->name) : std::vector<const Referrer *>();
}

QStringList UsedByLinks::user_names() const
{
    QStringList names;
    for (const Referrer *r : users())
        names << shown_name(r);
    return names;
}

QString UsedByLinks::delete_question(const QString &name, const QString &unused, const QString &one,
                                     const QString &many) const
{
    const QStringList users = user_names();
    if (users.isEmpty())
        return unused.arg(name);
    if (users.size() == 1)
        return one.arg(name, users.first());
    return many.arg(name, users.join(QLatin1String(", ")), QString::number(users.size()));
}

void UsedByLinks::refresh()
{
    const std::vector<const Referrer *> referrers = users();
    setText(caption_.toHtmlEscaped() + QLatin1Char(' ') + links_to(referrers));
    setVisible(!referrers.empty());
}

BrokenLinks::BrokenLinks(const Settings &server_root, const QString &one, const QString &many,
                         QWidget *parent)
    : Reusable::QLinkLabel(QString(), parent)
    , one_(one)
    , many_(many)
    , index_(ReferenceIndex::of_server(server_root))
{
    make_link_label(this, "broken_references");
    connect(this, &QLabel::linkActivated, this, [this](const QString &guid) {
        Q_EMIT open_folder(from_utf8(index_->scripts_path()) + QLatin1Char('/') + guid);
    });
    connect(index_.get(), &ReferenceIndex::changed, this, &BrokenLinks::refresh);
    refresh();
}

BrokenLinks::~BrokenLinks() = default;

void BrokenLinks::refresh()
{
    std::vector<const Referrer *> referrers;
    for (const Broken &b : index_->broken()) {
        const bool rule_or_loop = b.referrer->type == "Rule" || b.referrer->type == "TemplateLoop";
        if (rule_or_loop && (referrers.empty() || referrers.back() != b.referrer))
            referrers.push_back(b.referrer);
    }
    const QString caption =
        referrers.size() == 1 ? one_ : many_.arg(static_cast<qulonglong>(referrers.size()));
    setText(caption.toHtmlEscaped() + QLatin1Char(' ') + links_to(referrers));
    setVisible(!referrers.empty());
}

} // namespace references

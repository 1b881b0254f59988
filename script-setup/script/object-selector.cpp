#include "script-setup/script/object-selector.h"

#include "plugin/module-state.h"
#include "script-setup/inserters/objects-inserter-dialog.h"
#include "utils/text.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolButton>

namespace {

// Check boxes on objects, each named in its object("...") form.
const int OBJECTS_DIALOG_FLAGS = 1937;

} // namespace

QObjectSelector::QObjectSelector(const std::string &server_name, QWidget *parent)
    : QWidget(parent)
    , server_name_(server_name)
    , edit_(new QLineEdit(this))
    , browse_(new QToolButton(this))
{
    edit_->setObjectName("objects_edit");
    browse_->setObjectName("objects_browse");
    browse_->setText(QStringLiteral("..."));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_, 1);
    layout->addWidget(browse_);
    setFocusProxy(edit_);
    connect(edit_, &QLineEdit::textChanged, this, &QObjectSelector::text_changed);
    connect(browse_, &QToolButton::clicked, this, &QObjectSelector::browse_clicked);
}

QObjectSelector::~QObjectSelector() = default;

QString QObjectSelector::text() const
{
    return edit_->text();
}

void QObjectSelector::set_text(const QString &text)
{
    edit_->setText(text);
}

QString QObjectSelector::names_of(const QString &dialog_result)
{
    static const QRegularExpression form(QStringLiteral("object\\(\".*?\"\\)"));
    QStringList names;
    for (auto it = form.globalMatch(dialog_result); it.hasNext();) {
        const QString match = it.next().captured(0);
        names.append(match.mid(8, match.size() - 10));
    }
    return names.join(',');
}

void QObjectSelector::browse_clicked()
{
    std::set<std::string> preselection;
    for (const QString &name : edit_->text().split(',', Qt::SkipEmptyParts))
        preselection.insert(to_utf8(name));
    auto *dialog = new QObjectsInserterDialog(module_state::parameters_host(), server_name_, this,
                                              OBJECTS_DIALOG_FLAGS, preselection);
    connect(dialog, &QObjectsInserterDialog::accepted, this, &QObjectSelector::objects_accepted);
    dialog->show();
}

void QObjectSelector::objects_accepted(const QString &result)
{
    edit_->setText(names_of(result));
}

#include "qt4-pavo7/reusable/common-edit.h"

#include "qt4-pavo7/reusable/channel-edit.h"
#include "qt4-pavo7/reusable/known-servers.h"
#include "qt4-pavo7/reusable/objects/objects-model.h"
#include "utils/text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Reusable {

QCommonEdit::QCommonEdit(Mode mode, Rizurividuvez::HostRoot *host, const std::string &server_name,
                         QWidget *parent)
    : QWidget(parent)
    , mode_(mode)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (mode == CHANNEL) {
        channels_ = new QChannelEdit(this);
        channels_->setObjectName("channel_edit");
        channels_->set_server(known_servers::root_of(server_name));
        connect(channels_, &QChannelEdit::data_updated, this, &QCommonEdit::data_updated);
        layout->addWidget(channels_);
        setFocusProxy(channels_);
        return;
    }
    outputs_ = new QComboBox(this);
    outputs_->setObjectName("output_edit");
    outputs_->setEditable(true);
    outputs_->setInsertPolicy(QComboBox::NoInsert);
    connect(outputs_, &QComboBox::editTextChanged, this, &QCommonEdit::data_updated);
    layout->addWidget(outputs_);
    setFocusProxy(outputs_);
    catalogue_ = new ObjectsModel(host, server_name, false, this);
    connect(catalogue_, &ObjectsModel::modelReset, this, &QCommonEdit::outputs_changed);
}

QCommonEdit::~QCommonEdit() = default;

QString QCommonEdit::text() const
{
    return channels_ ? channels_->channel() : outputs_->currentText();
}

void QCommonEdit::set_text(const QString &text)
{
    if (channels_) {
        channels_->set_channel(text);
        return;
    }
    const QSignalBlocker blocker(outputs_);
    outputs_->setEditText(text);
}

void QCommonEdit::outputs_changed()
{
    const QSignalBlocker blocker(outputs_);
    const QString current = outputs_->currentText();
    outputs_->clear();
    for (const auto &object : catalogue_->catalogue().objects())
        if (object.class_name == output_class())
            outputs_->addItem(from_utf8(object.name));
    outputs_->setEditText(current);
}

} // namespace Reusable

#include "qt4-setup/src/settings-autoconnect.h"

#include "qt4-pavo7/reusable/channel-edit.h"
#include "qt4-pavo7/reusable/image-selector.h"
#include "utils/folder-lock.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVariant>

namespace {

template <class T> bool is(QWidget *w)
{
    return qobject_cast<T *>(w) != nullptr;
}

bool is_checkable_group(QWidget *w)
{
    auto *group = qobject_cast<QGroupBox *>(w);
    return group && group->isCheckable();
}

struct KindRule
{
    QAutoConnect::Kind kind;
    char value_type;
    bool (*fits)(QWidget *);
};

// Tried in order: the reusable widgets are combos and must match first.
const KindRule kind_rules[] = {
    {QAutoConnect::STRING_AGAINST_IMAGE_SELECTOR, 's', is<Reusable::QImageSelector>},
    {QAutoConnect::STRING_AGAINST_CHANNEL_EDIT, 's', is<Reusable::QChannelEdit>},
    {QAutoConnect::STRING_AGAINST_LINE_EDIT, 's', is<QLineEdit>},
    {QAutoConnect::STRING_AGAINST_COMBO, 's', is<QComboBox>},
    {QAutoConnect::STRING_AGAINST_LABEL, 's', is<QLabel>},
    {QAutoConnect::INTEGER_AGAINST_SPIN_BOX, 'i', is<QSpinBox>},
    {QAutoConnect::INTEGER_AGAINST_SLIDER, 'i', is<QSlider>},
    {QAutoConnect::INTEGER_AGAINST_CHECK_BOX, 'i', is<QCheckBox>},
    {QAutoConnect::INTEGER_AGAINST_RADIO_BUTTON, 'i', is<QRadioButton>},
    {QAutoConnect::INTEGER_AGAINST_GROUP_BOX, 'i', is_checkable_group},
    {QAutoConnect::INTEGER_AGAINST_COMBO, 'i', is<QComboBox>},
    {QAutoConnect::DOUBLE_AGAINST_SPIN_BOX, 'r', is<QDoubleSpinBox>},
    {QAutoConnect::INTEGER_AGAINST_LABEL, 'i', is<QLabel>},
};

bool is_label(QAutoConnect::Kind kind)
{
    return kind == QAutoConnect::STRING_AGAINST_LABEL ||
           kind == QAutoConnect::INTEGER_AGAINST_LABEL;
}

// A combo item's key: its user data as text when it has some, else its text.
QString key_text(const QComboBox *combo, int index)
{
    const QVariant data = combo->itemData(index, Qt::UserRole);
    return data.isValid() ? data.toString() : combo->itemText(index);
}

// User data that reads as a whole number (an int, or text or a real that is one).
bool integer_data(const QVariant &data, int *out)
{
    bool ok = false;
    const int value = data.isValid() ? data.toString().toInt(&ok) : 0;
    if (ok)
        *out = value;
    return ok;
}

void log_refusal(const std::exception &e)
{
    VX_LOG(2, "AUTOCONNECT: %s\n", e.what());
}

// Runs f on every binding whose control still exists; a refusal for one key
// is logged and the others still get their turn.
template <class Bindings, class F> void each_live(Bindings &bindings, F f)
{
    for (auto &b : bindings) {
        if (!b.control)
            continue;
        try {
            f(b);
        } catch (const std::exception &e) {
            log_refusal(e);
        }
    }
}

} // namespace

QAutoConnect::QAutoConnect(Settings folder, QObject *parent)
    : QObject(parent)
    , folder_(folder)
{}

QAutoConnect::~QAutoConnect() = default;

void QAutoConnect::connect_children(QWidget *page)
{
    if (!page || !folder_)
        return;
    try {
        FolderLock guard(folder_);
        for (QWidget *w : page->findChildren<QWidget *>()) {
            const QByteArray key = w->objectName().toLatin1();
            if (key.isEmpty())
                continue;
            try {
                bind_in_series(w, key);
            } catch (const std::exception &e) {
                log_refusal(e);
            }
        }
    } catch (const std::exception &e) {
        log_refusal(e);
    }
}

void QAutoConnect::connect_widget(QWidget *w)
{
    Q_ASSERT(w != NULL);
    if (!w)
        return;
    const QByteArray key = w->objectName().toLatin1();
    if (!key.isEmpty())
        bind(w, key);
}

void QAutoConnect::bind(QWidget *w, const QByteArray &key)
{
    if (!w || !folder_)
        return;
    try {
        FolderLock guard(folder_);
        bind_in_series(w, key);
    } catch (const std::exception &e) {
        log_refusal(e);
    }
}

void QAutoConnect::bind_in_series(QWidget *w, const QByteArray &key)
{
    const char type = folder_->value_type(key.toStdString());
    if (type == ' ')
        return; // not a key: pages name their frames and buttons freely
    if (type == 0) {
        w->setEnabled(false);
        return;
    }
    for (const KindRule &rule : kind_rules) {
        if (rule.value_type != type || !rule.fits(w))
            continue;
        Binding b{rule.kind, false, false, false, w, key};
        refresh_writable(b);
        bindings_.push_back(b);
        return;
    }
    VX_LOG(2, "AUTOCONNECT: cannot bind value '%s'\n", key.constData());
}

void QAutoConnect::load_values()
{
    if (!folder_)
        return;
    loading_ = true;
    try {
        FolderLock guard(folder_);
        each_live(bindings_, [this](Binding &b) { load(b); });
        loading_ = false;
        each_live(bindings_, [this](Binding &b) { refresh_writable(b); });
    } catch (const std::exception &e) {
        log_refusal(e);
    }
    loading_ = false;
    // The controls show what is stored now; older changes are gone with it.
    for (Binding &b : bindings_)
        b.dirty = false;
    changes_pending_ = false;
}

void QAutoConnect::connect_signals(bool autosave)
{
    for (Binding &b : bindings_)
        if (!b.connected && b.control)
            connect_binding(b);
    autosave_ = autosave;
}

void QAutoConnect::save_values(bool respect_rights)
{
    if (!folder_)
        return;
    try {
        FolderLock guard(folder_);
        for (Binding &b : bindings_) {
            if (!b.dirty || !b.control || (respect_rights && !b.writable))
                continue;
            store(b);
            b.dirty = false;
        }
    } catch (const std::exception &e) {
        log_refusal(e);
    }
    changes_pending_ = any_dirty();
}

void QAutoConnect::changed()
{
    if (loading_)
        return;
    changes_pending_ = true;
    const QObject *source = sender();
    for (Binding &b : bindings_)
        if (source && b.control.data() == source)
            b.dirty = true;
    if (!autosave_ || !folder_) {
        Q_EMIT user_has_made_changes();
        return;
    }
    try {
        FolderLock guard(folder_);
        for (Binding &b : bindings_) {
            if (!b.dirty || !b.writable || !b.control)
                continue;
            store(b);
            b.dirty = false;
        }
        changes_pending_ = any_dirty();
    } catch (const std::exception &e) {
        log_refusal(e);
        load_values(); // show what the folder kept
    }
    Q_EMIT user_has_made_changes();
}

void QAutoConnect::rights_changed()
{
    if (!folder_)
        return;
    try {
        FolderLock guard(folder_);
        each_live(bindings_, [this](Binding &b) { refresh_writable(b); });
    } catch (const std::exception &e) {
        log_refusal(e);
    }
}

void QAutoConnect::refresh_writable(Binding &b)
{
    if (is_label(b.kind))
        return;
    b.writable = folder_->key_writable(b.key.toStdString());
    b.control->setEnabled(b.writable);
}

bool QAutoConnect::any_dirty() const
{
    for (const Binding &b : bindings_)
        if (b.dirty)
            return true;
    return false;
}

void QAutoConnect::connect_binding(Binding &b)
{
    QWidget *w = b.control;
    switch (b.kind) {
    case STRING_AGAINST_IMAGE_SELECTOR:
        connect(static_cast<Reusable::QImageSelector *>(w),
                &Reusable::QImageSelector::image_changed, this, &QAutoConnect::changed);
        break;
    case STRING_AGAINST_CHANNEL_EDIT:
        connect(static_cast<Reusable::QChannelEdit *>(w), &Reusable::QChannelEdit::data_updated,
                this, &QAutoConnect::changed);
        break;
    case STRING_AGAINST_LINE_EDIT:
        connect(static_cast<QLineEdit *>(w), &QLineEdit::textChanged, this, &QAutoConnect::changed);
        break;
    case STRING_AGAINST_COMBO:
    case INTEGER_AGAINST_COMBO:
        connect(static_cast<QComboBox *>(w), qOverload<int>(&QComboBox::currentIndexChanged), this,
                &QAutoConnect::changed);
        break;
    case INTEGER_AGAINST_SPIN_BOX:
        connect(static_cast<QSpinBox *>(w), qOverload<int>(&QSpinBox::valueChanged), this,
                &QAutoConnect::changed);
        break;
    case INTEGER_AGAINST_SLIDER:
        connect(static_cast<QSlider *>(w), &QSlider::valueChanged, this, &QAutoConnect::changed);
        break;
    case INTEGER_AGAINST_CHECK_BOX:
        connect(static_cast<QCheckBox *>(w), &QCheckBox::stateChanged, this,
                &QAutoConnect::changed);
        break;
    case INTEGER_AGAINST_RADIO_BUTTON:
        connect(static_cast<QRadioButton *>(w), &QRadioButton::toggled, this,
                &QAutoConnect::changed);
        break;
    case INTEGER_AGAINST_GROUP_BOX:
        connect(static_cast<QGroupBox *>(w), &QGroupBox::toggled, this, &QAutoConnect::changed);
        break;
    case DOUBLE_AGAINST_SPIN_BOX:
        connect(static_cast<QDoubleSpinBox *>(w), qOverload<double>(&QDoubleSpinBox::valueChanged),
                this, &QAutoConnect::changed);
        break;
    case STRING_AGAINST_LABEL:
    case INTEGER_AGAINST_LABEL:
        break; // display only
    }
    b.connected = true;
}

void QAutoConnect::load(const Binding &b)
{
    QWidget *w = b.control;
    const std::string key = b.key.toStdString();
    const QSignalBlocker blocker(w);
    switch (b.kind) {
    case STRING_AGAINST_IMAGE_SELECTOR:
        static_cast<Reusable::QImageSelector *>(w)->set_image_text(
            from_utf8(folder_->get_string_or(key, "")));
        return;
    case STRING_AGAINST_CHANNEL_EDIT:
        static_cast<Reusable::QChannelEdit *>(w)->set_channel(
            from_utf8(folder_->get_string_or(key, "")));
        return;
    case STRING_AGAINST_LINE_EDIT:
        static_cast<QLineEdit *>(w)->setText(from_utf8(folder_->get_string_or(key, "")));
        return;
    case STRING_AGAINST_LABEL:
        static_cast<QLabel *>(w)->setText(from_utf8(folder_->get_string_or(key, "")));
        return;
    case STRING_AGAINST_COMBO: {
        auto *combo = static_cast<QComboBox *>(w);
        const std::string value = folder_->get_string_or(key, "");
        const QString text = from_utf8(value);
        for (int i = 0; i < combo->count(); ++i)
            if (key_text(combo, i) == text) {
                combo->setCurrentIndex(i);
                return;
            }
        VX_LOG(2, "AUTOCONNECT: cannot find '%s' in combo '%s'\n", value.c_str(),
               b.key.constData());
        return;
    }
    case INTEGER_AGAINST_COMBO: {
        auto *combo = static_cast<QComboBox *>(w);
        const int value = folder_->get_integer_or(key, 0);
        for (int i = 0; i < combo->count(); ++i) {
            int data = 0;
            if (integer_data(combo->itemData(i, Qt::UserRole), &data) && data == value) {
                combo->setCurrentIndex(i);
                return;
            }
        }
        VX_LOG(2, "AUTOCONNECT: cannot find %i in combo '%s'\n", value, b.key.constData());
        return;
    }
    case INTEGER_AGAINST_SPIN_BOX:
        static_cast<QSpinBox *>(w)->setValue(folder_->get_integer_or(key, 0));
        return;
    case INTEGER_AGAINST_SLIDER:
        static_cast<QSlider *>(w)->setValue(folder_->get_integer_or(key, 0));
        return;
    case INTEGER_AGAINST_CHECK_BOX:
    case INTEGER_AGAINST_RADIO_BUTTON:
        static_cast<QAbstractButton *>(w)->setChecked(folder_->get_integer_or(key, 0) != 0);
        return;
    case INTEGER_AGAINST_GROUP_BOX:
        static_cast<QGroupBox *>(w)->setChecked(folder_->get_integer_or(key, 0) != 0);
        return;
    case DOUBLE_AGAINST_SPIN_BOX:
        static_cast<QDoubleSpinBox *>(w)->setValue(folder_->get_double_or(key, 0.0));
        return;
    case INTEGER_AGAINST_LABEL:
        static_cast<QLabel *>(w)->setText(QString::number(folder_->get_integer_or(key, 0)));
        return;
    }
    Q_ASSERT_X(false, "QAutoConnect::load", "binding of an unknown kind");
}

void QAutoConnect::store(const Binding &b)
{
    QWidget *w = b.control;
    const std::string key = b.key.toStdString();
    switch (b.kind) {
    case STRING_AGAINST_IMAGE_SELECTOR:
        folder_->set_string(key, to_utf8(static_cast<Reusable::QImageSelector *>(w)->image_text()));
        return;
    case STRING_AGAINST_CHANNEL_EDIT:
        folder_->set_string(key, to_utf8(static_cast<Reusable::QChannelEdit *>(w)->channel()));
        return;
    case STRING_AGAINST_LINE_EDIT:
        folder_->set_string(key, to_utf8(static_cast<QLineEdit *>(w)->text()));
        return;
    case STRING_AGAINST_COMBO: {
        auto *combo = static_cast<QComboBox *>(w);
        folder_->set_string(key, to_utf8(key_text(combo, combo->currentIndex())));
        return;
    }
    case INTEGER_AGAINST_COMBO: {
        int value = 0;
        if (!integer_data(static_cast<QComboBox *>(w)->currentData(Qt::UserRole), &value)) {
            VX_LOG(2, "AUTOCONNECT: INTEGER_AGAINST_COMBO save failed\n");
            return;
        }
        folder_->set_integer(key, value);
        return;
    }
    case INTEGER_AGAINST_SPIN_BOX:
        folder_->set_integer(key, static_cast<QSpinBox *>(w)->value());
        return;
    case INTEGER_AGAINST_SLIDER:
        folder_->set_integer(key, static_cast<QSlider *>(w)->value());
        return;
    case INTEGER_AGAINST_CHECK_BOX:
        // A partly checked box is not a yes.
        folder_->set_integer(key, static_cast<QCheckBox *>(w)->checkState() == Qt::Checked ? 1 : 0);
        return;
    case INTEGER_AGAINST_RADIO_BUTTON:
        folder_->set_integer(key, static_cast<QRadioButton *>(w)->isChecked() ? 1 : 0);
        return;
    case INTEGER_AGAINST_GROUP_BOX:
        folder_->set_integer(key, static_cast<QGroupBox *>(w)->isChecked() ? 1 : 0);
        return;
    case DOUBLE_AGAINST_SPIN_BOX:
        folder_->set_double(key, static_cast<QDoubleSpinBox *>(w)->value());
        return;
    case STRING_AGAINST_LABEL:
    case INTEGER_AGAINST_LABEL:
        return; // display only
    }
}

#pragma once
// Binds the named controls of a page to the same-named keys of its settings
// folder: loads the stored values into them, writes each user change back,
// enables each control as its key may be written, and tells the page that
// the user changed something.
//
// Calling order: construction, connect_children (and any bind), load_values,
// connect_signals(true). Host refusals are logged and leave it usable.

#include "plugin/rizurividuvez.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

class QAutoConnect : public QObject
{
    Q_OBJECT
public:
    // Value type and control class, tried in this order when binding.
    enum Kind {
        STRING_AGAINST_IMAGE_SELECTOR,
        STRING_AGAINST_CHANNEL_EDIT,
        STRING_AGAINST_LINE_EDIT,
        STRING_AGAINST_COMBO,
        STRING_AGAINST_LABEL,
        INTEGER_AGAINST_SPIN_BOX,
        INTEGER_AGAINST_SLIDER,
        INTEGER_AGAINST_CHECK_BOX,
        INTEGER_AGAINST_RADIO_BUTTON,
        INTEGER_AGAINST_GROUP_BOX,
        INTEGER_AGAINST_COMBO,
        DOUBLE_AGAINST_SPIN_BOX,
        INTEGER_AGAINST_LABEL
    };

    explicit QAutoConnect(Settings folder, QObject *parent = nullptr);
    ~QAutoConnect() override;

    // Binds every named descendant of the page, in one series of the folder.
    void connect_children(QWidget *page);
    void connect_widget(QWidget *w);
    // For a control whose object name is not its key.
    void bind(QWidget *w, const QByteArray &key);

    void load_values();
    void connect_signals(bool autosave);
    // With respect_rights, changes to keys that may not be written stay pending.
    void save_values(bool respect_rights);

    // Some change of the user is not stored yet.
    bool changes_pending() const { return changes_pending_; }

Q_SIGNALS:
    void user_has_made_changes();

public Q_SLOTS:
    void changed();
    void rights_changed();

private:
    struct Binding
    {
        Kind kind;
        bool connected;
        bool dirty;
        bool writable;
        QPointer<QWidget> control;
        QByteArray key;
    };

    void bind_in_series(QWidget *w, const QByteArray &key);
    void load(const Binding &b);
    void store(const Binding &b);
    void connect_binding(Binding &b);
    void refresh_writable(Binding &b);
    bool any_dirty() const;

    Settings folder_;
    std::vector<Binding> bindings_;
    bool loading_ = false;
    bool autosave_ = false;
    bool changes_pending_ = false;
};

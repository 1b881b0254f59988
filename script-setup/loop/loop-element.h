#pragma once
// One row of a template loop: what to show (a screen template or a channel),
// for how many seconds, and the buttons that remove and move the row.

#include "plugin/rizurividuvez.h"

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <map>
#include <string>

class QComboBox;
class QSpinBox;

namespace Reusable {
class QChannelsBox;
}

class LoopElement : public QWidget
{
    Q_OBJECT
public:
    explicit LoopElement(QWidget *parent = nullptr);
    ~LoopElement() override;

    virtual QByteArray guid() const = 0;
    virtual int timeout() const;
    virtual int kind() const = 0;

    // Clamped to the 1 to 60 seconds the row can show; does not emit changed.
    void set_timeout(int seconds);

Q_SIGNALS:
    void move_me_up();
    void move_me_down();
    void remove_me();
    void changed();

protected:
    // The row's layout, the same for both kinds; called once by each kind.
    void build(const char *icon, QWidget *selection_widget);

private:
    QSpinBox *time_spin_ = nullptr;
};

// Screen templates by guid, in the byte order of the guid.
typedef std::map<std::string, QString> TemplateCatalogue;

class Template : public LoopElement
{
    Q_OBJECT
public:
    // A guid the catalogue lacks leaves the first template chosen.
    Template(const TemplateCatalogue &catalogue, const QByteArray &guid, QWidget *parent = nullptr);
    ~Template() override;

    QByteArray guid() const override;
    int kind() const override { return 0; }

private:
    QComboBox *combo_ = nullptr;
    std::map<std::string, int> index_of_guid_;
};

class Channel : public LoopElement
{
    Q_OBJECT
public:
    // Lists the channels that `channels` lists; no guid chooses the first.
    Channel(const Reusable::QChannelsBox &channels, const QByteArray &guid,
            QWidget *parent = nullptr);
    ~Channel() override;

    QByteArray guid() const override;
    int kind() const override { return 1; }

private:
    Reusable::QChannelsBox *channels_ = nullptr;
};

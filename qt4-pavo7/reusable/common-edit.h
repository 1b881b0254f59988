#pragma once
// A reference to one channel or one output of a server, as a parameter of a
// script stores it. Channel mode: the server's channels by name, the value
// "<channel>_<server>" as QChannelEdit keeps it. Output mode: the server's
// relays from its objects catalogue, by object name; any name may be typed.

#include <QWidget>
#include <string>

class QComboBox;

namespace Rizurividuvez {
class HostRoot;
}

namespace Reusable {

class ObjectsModel;
class QChannelEdit;

class QCommonEdit : public QWidget
{
    Q_OBJECT
public:
    enum Mode { CHANNEL, OUTPUT };

    QCommonEdit(Mode mode, Rizurividuvez::HostRoot *host, const std::string &server_name,
                QWidget *parent = nullptr);
    ~QCommonEdit() override;

    Mode mode() const { return mode_; }
    QString text() const;
    void set_text(const QString &text); // does not emit data_updated

    // The catalogue class whose objects are the outputs.
    static const char *output_class() { return "Relay"; }

Q_SIGNALS:
    void data_updated(const QString &text);

private:
    void outputs_changed();

    Mode mode_;
    QChannelEdit *channels_ = nullptr;
    QComboBox *outputs_ = nullptr;
    ObjectsModel *catalogue_ = nullptr;
};

} // namespace Reusable

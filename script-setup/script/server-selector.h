#pragma once
// The servers of the client in a combo box; the value is the chosen name.

#include <QComboBox>
#include <string>

class QServerSelector : public QComboBox
{
    Q_OBJECT
public:
    // Lists the client's servers; `server_name` is always among them.
    explicit QServerSelector(const std::string &server_name, QWidget *parent = nullptr);
    ~QServerSelector() override;

    // A name the client does not list is kept as an entry of its own, so that
    // saving never loses it. Does not emit server_chosen.
    void set_server(const QString &name);

Q_SIGNALS:
    void server_chosen(const QString &name);
};

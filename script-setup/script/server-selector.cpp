#include "script-setup/script/server-selector.h"

#include "qt4-pavo7/reusable/known-servers.h"
#include "utils/logging.h"
#include "utils/text.h"

#include <QSignalBlocker>

QServerSelector::QServerSelector(const std::string &server_name, QWidget *parent)
    : QComboBox(parent)
{
    std::vector<std::string> names;
    try {
        names = Reusable::known_servers::names();
    } catch (const std::exception &e) {
        VX_LOG(2, "QServerSelector: %s\n", e.what());
    }
    if (std::find(names.begin(), names.end(), server_name) == names.end())
        names.insert(names.begin(), server_name);
    for (const std::string &name : names)
        addItem(from_utf8(name));
    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { Q_EMIT server_chosen(itemText(index)); });
}

QServerSelector::~QServerSelector() = default;

void QServerSelector::set_server(const QString &name)
{
    const QSignalBlocker blocker(this);
    int index = findText(name);
    if (index < 0 && !name.isEmpty()) {
        addItem(name);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

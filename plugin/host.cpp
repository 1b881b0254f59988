#include "plugin/host.h"

// Out-of-line destructors and default notification handlers, so that the
// vtables live in one place.

namespace Rizurividuvez {

void Dir::Notification::subdir_added(Settings, Settings) {}
void Dir::Notification::subdir_renamed(Settings, Settings) {}
void Dir::Notification::subdir_removed(Settings, Settings) {}
void Dir::Notification::subdir_moved(Settings, Settings) {}
void Dir::Notification::subdir_rights_changed(Settings, Settings) {}
void Dir::Notification::values_changed(Settings) {}
void Dir::Notification::rights_changed(Settings) {}
void Dir::Notification::erased(Settings) {}
void Dir::Notification::keys_added(Settings) {}
void Dir::Notification::keys_removed(Settings) {}
void Dir::Notification::type_changed(Settings) {}
void Dir::Notification::connection_changed(Settings) {}
Dir::Notification::~Notification() = default;
Dir::~Dir() = default;
UiScale::~UiScale() = default;
SetupPages::~SetupPages() = default;
LogSink::~LogSink() = default;
ServiceInterface::~ServiceInterface() = default;
ServicesConsumer::~ServicesConsumer() = default;
HostRoot::~HostRoot() = default;

} // namespace Rizurividuvez

QSetupDialogGenerator::~QSetupDialogGenerator() = default;

#pragma once
// Every page class the plug-in registers a factory for.

#include "script-setup/pending-pages.h"
#include "script-setup/script/setup-cloud-script.h"
#include "script-setup/script/setup-script.h"
#include "script-setup/script/setup-stock-script.h"
#include "script-setup/setup-email-account.h"
#include "script-setup/setup-loop.h"
#include "script-setup/setup-schedule.h"
#include "script-setup/setup-scripts-folder.h"

#pragma once
// The host's display scale for dialog sizes; 1 without a host (tests, tools).

#include "plugin/host.h"

inline float host_size_factor(Rizurividuvez::HostRoot *host)
{
    if (!host)
        return 1.0f;
    Rizurividuvez::SetupPages *pages = host->setup_pages();
    Rizurividuvez::UiScale *scale = pages ? pages->ui_scale() : nullptr;
    return scale ? scale->size_factor() : 1.0f;
}

// The headless backend's instance, for the backend registry.
#pragma once

#include "media/backend.h"

namespace media::detail {

Backend& HeadlessBackend();

}  // namespace media::detail

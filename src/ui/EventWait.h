#pragma once

#include "platform/PlatformServices.h"

// Runs a local event loop until done() holds, escaped() holds or timeoutMs passes (negative: no
// limit). The window keeps painting and every handler that may set the awaited flag runs.
PlatformServices::WaitResult RunEventsUntil(const std::function<bool()>& done, int timeoutMs,
                                            const std::function<bool()>& escaped);

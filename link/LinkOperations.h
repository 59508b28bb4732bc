// The link operations a worker runs: memory reads and writes through the
// device's address pointer, module commands, reset, clock, query.
#pragma once

#include "link/LinkProtocol.h"

constexpr int kResetDelayMs = 750;  // the device needs this pause before a reset
constexpr int kMaxWriteRetries = 5;

// Runs one link operation (LINK_QUERY .. LINK_MODULE_DATA) and returns its
// LinkResult. returnedCount receives the byte count of a successful query,
// else 0. An unknown kind does nothing and gives LINK_OK.
int RunLinkOperation(LinkContext& link, int operation, uint8_t* buffer, uint32_t length, uint32_t address,
                     uint32_t& returnedCount);

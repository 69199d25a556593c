#pragma once
// What the operating system tells about this machine and its user.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace fakvo {

using HardwareAddress = std::array<std::uint8_t, 6>;

// The hardware address of the first network adapter that has one (loopback and all-zero
// addresses skipped, adapters in name order so the answer is stable), or none.
std::optional<HardwareAddress> FirstAdapterHardwareAddress();

// The computer's host name.
QString HostName();

// The login name of the current user ($USER, else the password database).
QString LoginName();

} // namespace fakvo

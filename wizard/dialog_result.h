#pragma once
#include <cstdint>

namespace wizard {

// Values the password dialog leaves in the program-wide DialogResult.
namespace PasswordResult {
constexpr std::int32_t Accepted = 1;
constexpr std::int32_t Cancelled = 2;
constexpr std::int32_t TooManyTries = 7;
} // namespace PasswordResult

} // namespace wizard

// Whether the tests were built with AddressSanitizer: the long content runs (every stage played
// or searched) are left to the normal build, many times faster.
#pragma once

namespace quill_test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

}  // namespace quill_test

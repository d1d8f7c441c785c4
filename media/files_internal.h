// Internals shared by the file and folder code of the media layer, and a test hook.
#pragma once

#include <string>

namespace media::detail {

// Backslashes read as slashes.
std::string NormalisePath(const std::string& url);
// The existing path that differs from `path` only in letter case, component by component
// (the exact name wins); empty when there is none.
std::string FindPathIgnoringCase(const std::string& path);

// For tests: every write to a file fails after `bytes` more bytes have been written (a full
// disk); -1 turns the failure off.
void FailWritesAfter(long bytes);

}  // namespace media::detail

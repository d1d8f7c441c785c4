// The program's built-in blobs, as the build embedded them.
#include <cstddef>
#include <string>
#include <vector>

#include "media/files.h"

namespace quill_embedded {
struct Entry {
  const char* name;
  const unsigned char* begin;
  const unsigned char* end;
};
extern const Entry kEntries[];
extern const std::size_t kCount;
}  // namespace quill_embedded

namespace media {

const unsigned char* BuiltinBlob(const std::string& name, std::size_t* size) {
  for (std::size_t i = 0; i < quill_embedded::kCount; ++i) {
    const auto& e = quill_embedded::kEntries[i];
    if (name == e.name) {
      if (size) *size = static_cast<std::size_t>(e.end - e.begin);
      return e.begin;
    }
  }
  if (size) *size = 0;
  return nullptr;
}

const std::vector<std::string>& BuiltinBlobNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (std::size_t i = 0; i < quill_embedded::kCount; ++i)
      v.emplace_back(quill_embedded::kEntries[i].name);
    return v;
  }();
  return names;
}

void RegisterBuiltinBlobs() {
  for (const std::string& name : BuiltinBlobNames()) {
    std::size_t size = 0;
    const unsigned char* data = BuiltinBlob(name, &size);
    if (data) RegisterEmbedded(name, data, size);
  }
}

}  // namespace media

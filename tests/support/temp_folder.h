// A fresh temporary folder that a test works in, and whole-file reads and writes.
#pragma once

#include <string>
#include <vector>

namespace quill_test {

// Makes a fresh folder and changes into it (unless `enter` is false); at the end the previous
// working folder comes back and the folder is removed.
class TempFolder {
 public:
  explicit TempFolder(bool enter = true);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string old_;
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
std::string ReadBytes(const std::string& path);

}  // namespace quill_test

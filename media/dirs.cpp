// Folders, path helpers and the console.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "media/backend.h"
#include "media/files.h"
#include "media/files_internal.h"
#include "media/text.h"

namespace media {

struct DirData {
  std::vector<std::string> names;
  std::size_t next = 0;
};

namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// The names of a folder without "." and "..", in the file system's order; false when the
// folder cannot be opened.
bool ListFolder(const std::string& path, std::vector<std::string>& out) {
  out.clear();
  DIR* d = ::opendir(path.empty() ? "." : path.c_str());
  if (!d) return false;
  while (dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") out.push_back(std::move(n));
  }
  ::closedir(d);
  return true;
}

std::string Join(const std::string& base, const std::string& name) {
  if (base.empty()) return name;
  if (base.back() == '/') return base + name;
  return base + "/" + name;
}

constexpr std::size_t kDebugLogLimit = 10000;

std::vector<std::string>& DebugLines() {
  static std::vector<std::string> lines;
  return lines;
}

}  // namespace

namespace detail {

std::string NormalisePath(const std::string& url) {
  std::string p = url;
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

std::string FindPathIgnoringCase(const std::string& path) {
  if (path.empty()) return "";
  if (Exists(path)) return path;
  std::string built = path[0] == '/' ? "/" : "";
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string part = path.substr(i, j - i);
    i = j + 1;
    if (part.empty()) continue;
    std::string exact = Join(built, part);
    if (part == "." || part == ".." || Exists(exact)) {
      built = exact;
      continue;
    }
    std::vector<std::string> names;
    if (!ListFolder(built, names)) return "";
    std::sort(names.begin(), names.end());  // the same choice on every run
    std::string want = Lower(part);
    auto it = std::find_if(names.begin(), names.end(),
                           [&](const std::string& n) { return Lower(n) == want; });
    if (it == names.end()) return "";
    built = Join(built, *it);
  }
  return built.empty() ? "" : built;
}

}  // namespace detail

bool ChangeDir(const std::string& path) {
  std::string p = detail::NormalisePath(path);
  return !p.empty() && ::chdir(p.c_str()) == 0;
}

std::string CurrentDir() {
  std::vector<char> buf(4096);
  for (;;) {
    if (::getcwd(buf.data(), buf.size())) break;
    if (errno != ERANGE || buf.size() > (1u << 20)) return "";
    buf.resize(buf.size() * 2);
  }
  std::string d = buf.data();
  while (d.size() > 1 && d.back() == '/') d.pop_back();
  return d;
}

bool CreateDir(const std::string& path, bool recurse) {
  std::string p = detail::NormalisePath(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  if (p.empty()) return false;
  if (FileType(p) == 2) return true;
  if (recurse) {
    auto slash = p.rfind('/');
    if (slash != std::string::npos && slash > 0 && !CreateDir(p.substr(0, slash), true))
      return false;
  }
  if (::mkdir(p.c_str(), 0777) == 0) return true;
  return errno == EEXIST && FileType(p) == 2;
}

bool DeleteFile(const std::string& path) {
  std::string p = detail::NormalisePath(path);
  return FileType(p) == 1 && ::unlink(p.c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::string f = detail::NormalisePath(from), t = detail::NormalisePath(to);
  return !f.empty() && !t.empty() && std::rename(f.c_str(), t.c_str()) == 0;
}

std::vector<std::string> LoadDir(const std::string& path) {
  std::vector<std::string> names;
  ListFolder(detail::NormalisePath(path), names);
  return names;
}

int RemoveStaleTempFiles(const std::string& folder) {
  const std::string dir = detail::NormalisePath(folder.empty() ? "." : folder);
  std::vector<std::string> names;
  if (!ListFolder(dir, names)) return 0;
  // ".NAME.tmp-XXXXXX": the six characters mkstemp puts at the end.
  const std::string mark = ".tmp-";
  int removed = 0;
  for (const std::string& n : names) {
    const std::size_t at = n.size() >= mark.size() + 6 ? n.size() - mark.size() - 6 : 0;
    if (n.size() < mark.size() + 8 || n[0] != '.' || n.compare(at, mark.size(), mark) != 0)
      continue;
    const std::string path = (dir.back() == '/' ? dir : dir + "/") + n;
    if (FileType(path) == 1 && ::unlink(path.c_str()) == 0) ++removed;
  }
  return removed;
}

Dir ReadDir(const std::string& path) {
  auto d = std::make_shared<DirData>();
  if (!ListFolder(detail::NormalisePath(path), d->names)) return nullptr;
  return d;
}

std::string NextFile(const Dir& dir) {
  if (!dir || dir->next >= dir->names.size()) return "";
  return dir->names[dir->next++];
}

void CloseDir(const Dir& dir) {
  if (!dir) return;
  dir->names.clear();
  dir->next = 0;
}

int FileType(const std::string& path) {
  std::string p = detail::NormalisePath(path);
  struct stat st {};
  if (p.empty() || ::stat(p.c_str(), &st) != 0) return 0;
  if (S_ISDIR(st.st_mode)) return 2;
  return S_ISREG(st.st_mode) ? 1 : 0;
}

long FileSize(const std::string& path) {
  std::string p = detail::NormalisePath(path);
  struct stat st {};
  if (p.empty() || ::stat(p.c_str(), &st) != 0) return -1;
  return S_ISREG(st.st_mode) ? static_cast<long>(st.st_size) : 0;
}

std::string StripDir(const std::string& path) {
  auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string StripExt(const std::string& path) {
  auto slash = path.find_last_of("/\\");
  auto dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
  return path.substr(0, dot);
}

std::string ExtractDir(const std::string& path) {
  auto slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return "";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

namespace {
bool consoleEnded = false;
}  // namespace

std::string RequestFile(const std::string& /*title*/) {
  auto& backend = detail::CurrentBackend();
  backend.PrintLine("Enter a filename:");
  const std::optional<std::string> line = backend.ReadConsoleLine();
  consoleEnded = !line;
  return line.value_or("");
}

bool ConsoleEnded() {
  return consoleEnded;
}

void Print(const std::string& line) {
  detail::CurrentBackend().PrintLine(line);
}

void DebugLog(const std::string& line) {
  auto& lines = DebugLines();
  // The oldest lines go, in large steps so that logging stays cheap.
  if (lines.size() >= 2 * kDebugLogLimit)
    lines.erase(lines.begin(), lines.begin() + static_cast<long>(kDebugLogLimit));
  lines.push_back(line);
}

const std::vector<std::string>& DebugLogLines() {
  return DebugLines();
}

void ClearDebugLog() {
  DebugLines().clear();
}

}  // namespace media

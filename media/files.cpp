// Streams over files and embedded blobs. Reads never go past the end of the data: a short
// read gives zeros and sets the end-of-file state.
#include "media/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "media/files_internal.h"
#include "media/text.h"

namespace media {

struct StreamData {
  // Read-only data in memory: an embedded blob, or a whole file read at open.
  bool inMemory = false;
  std::vector<unsigned char> owned;
  const unsigned char* mem = nullptr;

  std::FILE* fp = nullptr;
  bool canRead = false;
  bool canWrite = false;
  long pos = 0;
  long size = 0;
  bool pastEnd = false;  // a read went past the end
  bool failed = false;   // a write failed
  bool closed = false;
  bool result = false;  // what CloseFile returned
  int lastOp = 0;       // 1 read, 2 write: stdio needs a seek between the two

  // WriteFileSafely: writes go to tempPath, renamed over finalPath by CloseFile.
  bool safe = false;
  std::string path;      // the file's path, for messages
  bool lineCut = false;  // ReadLine has cut a line of this stream
  std::string tempPath;
  std::string finalPath;

  StreamData() = default;
  StreamData(const StreamData&) = delete;
  StreamData& operator=(const StreamData&) = delete;
  // A stream dropped without CloseFile is closed; a safe write that was never closed counts
  // as failed, so the old file stays.
  ~StreamData() {
    if (!closed) {
      if (safe) failed = true;
      Close();
    }
  }

  bool Close();
};

namespace {

long g_fail_after = -1;

struct Blob {
  std::string name;
  const unsigned char* data;
  std::size_t size;
};
std::vector<Blob>& Registry() {
  static std::vector<Blob> blobs;
  return blobs;
}

// ReadFile holds files up to this size in memory; bigger ones are read from the file.
constexpr long kInMemoryLimit = 16L << 20;
// ReadWholeFile (pictures and sounds) refuses files bigger than this.
constexpr std::size_t kWholeFileLimit = std::size_t{256} << 20;

constexpr char kIncbin[] = "incbin::";
constexpr std::size_t kIncbinLen = sizeof(kIncbin) - 1;

bool IsIncbin(const std::string& url) {
  return url.size() >= kIncbinLen && Lower(url.substr(0, kIncbinLen)) == kIncbin;
}

const Blob* FindBlob(const std::string& url) {
  std::string name = detail::NormalisePath(url.substr(kIncbinLen));
  for (const auto& b : Registry())
    if (b.name == name) return &b;
  std::string lower = Lower(name);
  for (const auto& b : Registry())
    if (Lower(b.name) == lower) return &b;
  return nullptr;
}

bool IsRegularFd(int fd, long* size) {
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (size) *size = static_cast<long>(st.st_size);
  return true;
}

// Opens `path` for reading when it is a regular file. O_NONBLOCK keeps a named pipe from
// blocking the open; it changes nothing for regular files.
int OpenRegularForReading(const std::string& path, long* size) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  if (!IsRegularFd(fd, size)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Reads the whole of an open regular file, at most `limit` bytes; false when it cannot or
// when the file is longer. Closes fd.
bool ReadAllOf(int fd, long size, std::size_t limit, std::vector<unsigned char>& out) {
  out.clear();
  if (size < 0 || static_cast<unsigned long>(size) > limit) {
    ::close(fd);
    return false;
  }
  out.reserve(static_cast<std::size_t>(size));
  unsigned char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof(buf));
    if (n < 0 || out.size() + static_cast<std::size_t>(n) > limit) {
      ::close(fd);
      out.clear();
      return false;
    }
    if (n == 0) break;
    out.insert(out.end(), buf, buf + n);
  }
  ::close(fd);
  return true;
}

Stream FromMemory(const unsigned char* data, std::size_t size) {
  auto s = std::make_shared<StreamData>();
  s->inMemory = true;
  s->mem = data;
  s->size = static_cast<long>(size);
  s->canRead = true;
  return s;
}

Stream FromFd(int fd, const char* mode, bool canRead, bool canWrite) {
  long size = 0;
  if (!IsRegularFd(fd, &size)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* fp = fdopen(fd, mode);
  if (!fp) {
    ::close(fd);
    return nullptr;
  }
  auto s = std::make_shared<StreamData>();
  s->fp = fp;
  s->size = size;
  s->canRead = canRead;
  s->canWrite = canWrite;
  return s;
}

std::size_t RawRead(StreamData& s, void* buf, std::size_t n) {
  std::size_t got = 0;
  if (!s.closed && s.canRead) {
    if (s.inMemory) {
      long left = s.size - s.pos;
      got = left > 0 ? std::min(n, static_cast<std::size_t>(left)) : 0;
      if (got) std::memcpy(buf, s.mem + s.pos, got);
    } else {
      if (s.lastOp == 2) std::fseek(s.fp, s.pos, SEEK_SET);
      s.lastOp = 1;
      got = std::fread(buf, 1, n, s.fp);
    }
  }
  s.pos += static_cast<long>(got);
  if (got < n) {
    std::memset(static_cast<unsigned char*>(buf) + got, 0, n - got);
    s.pastEnd = true;
  }
  return got;
}

void RawWrite(StreamData& s, const void* buf, std::size_t n) {
  if (s.closed || !s.canWrite || !s.fp) return;
  std::size_t allowed = n;
  if (g_fail_after >= 0 && static_cast<long>(n) > g_fail_after)
    allowed = static_cast<std::size_t>(g_fail_after);
  if (s.lastOp == 1) std::fseek(s.fp, s.pos, SEEK_SET);
  s.lastOp = 2;
  std::size_t put = allowed ? std::fwrite(buf, 1, allowed, s.fp) : 0;
  if (g_fail_after >= 0) g_fail_after -= static_cast<long>(put);
  if (put < n) s.failed = true;
  s.pos += static_cast<long>(put);
  if (s.pos > s.size) s.size = s.pos;
}

void SyncFolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// A file whose permissions allow no writes at all; writers leave it alone for every user
// (root included), and the safe writer does not replace it by a rename either.
bool MarkedReadOnly(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

mode_t NewFileMode(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  static const mode_t mask = [] {
    mode_t m = ::umask(0);
    ::umask(m);
    return m;
  }();
  return 0666 & ~mask;
}

}  // namespace

bool StreamData::Close() {
  if (closed) return result;
  closed = true;
  bool ok = !failed;
  if (fp) {
    if (canWrite) {
      if (std::fflush(fp) != 0) ok = false;
      if (safe && ::fsync(fileno(fp)) != 0) ok = false;
    }
    if (std::fclose(fp) != 0) ok = false;
    fp = nullptr;
  }
  if (safe) {
    if (ok && std::rename(tempPath.c_str(), finalPath.c_str()) != 0) ok = false;
    if (ok)
      SyncFolderOf(finalPath);
    else
      ::unlink(tempPath.c_str());
  }
  owned.clear();
  mem = nullptr;
  result = ok;
  return ok;
}

Stream OpenFile(const std::string& url) {
  if (url.empty() || IsIncbin(url)) return nullptr;
  std::string path = detail::NormalisePath(url);
  if (MarkedReadOnly(path)) return nullptr;
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return nullptr;
  Stream s = FromFd(fd, "r+b", true, true);
  if (s) s->path = path;
  return s;
}

Stream ReadFile(const std::string& url) {
  if (url.empty()) return nullptr;
  if (IsIncbin(url)) {
    const Blob* b = FindBlob(url);
    return b ? FromMemory(b->data, b->size) : nullptr;
  }
  std::string path = detail::FindPathIgnoringCase(detail::NormalisePath(url));
  if (path.empty()) return nullptr;
  long size = 0;
  int fd = OpenRegularForReading(path, &size);
  if (fd < 0) return nullptr;
  // Big files are read through the file as it is read, not held in memory whole.
  if (size > kInMemoryLimit) {
    Stream s = FromFd(fd, "rb", true, false);
    if (s) s->path = path;
    return s;
  }
  std::vector<unsigned char> data;
  if (!ReadAllOf(fd, size, kInMemoryLimit, data)) return nullptr;
  auto s = std::make_shared<StreamData>();
  s->inMemory = true;
  s->owned = std::move(data);
  s->mem = s->owned.data();
  s->size = static_cast<long>(s->owned.size());
  s->canRead = true;
  s->path = path;
  return s;
}

Stream WriteFile(const std::string& url) {
  if (url.empty() || IsIncbin(url)) return nullptr;
  std::string path = detail::NormalisePath(url);
  if (MarkedReadOnly(path)) return nullptr;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  return FromFd(fd, "w+b", true, true);
}

Stream WriteFileSafely(const std::string& url) {
  if (url.empty() || IsIncbin(url)) return nullptr;
  std::string path = detail::NormalisePath(url);
  if (path.back() == '/' || MarkedReadOnly(path) || FileType(path) == 2) return nullptr;
  auto slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temp = dir + "." + name + ".tmp-XXXXXX";
  std::vector<char> buf(temp.begin(), temp.end());
  buf.push_back('\0');
  int fd = ::mkstemp(buf.data());
  if (fd < 0) return nullptr;
  temp.assign(buf.data());
  ::fchmod(fd, NewFileMode(path));
  auto s = FromFd(fd, "w+b", true, true);
  if (!s) {
    ::unlink(temp.c_str());
    return nullptr;
  }
  s->safe = true;
  s->tempPath = temp;
  s->finalPath = path;
  return s;
}

bool CloseFile(const Stream& stream) {
  return stream ? stream->Close() : false;
}

int ReadByte(const Stream& stream) {
  if (!stream) return 0;
  unsigned char b = 0;
  RawRead(*stream, &b, 1);
  return b;
}

int ReadInt(const Stream& stream) {
  if (!stream) return 0;
  unsigned char b[4];
  if (RawRead(*stream, b, 4) < 4) return 0;
  std::uint32_t v = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                    (static_cast<std::uint32_t>(b[2]) << 16) |
                    (static_cast<std::uint32_t>(b[3]) << 24);
  return static_cast<std::int32_t>(v);
}

float ReadFloat(const Stream& stream) {
  std::uint32_t bits = static_cast<std::uint32_t>(ReadInt(stream));
  float f;
  std::memcpy(&f, &bits, sizeof(f));
  return f;
}

namespace {

// Moves past the next line feed or zero byte, or to the end (as a read past it), reading in
// blocks: a line of any length costs little.
void SkipRestOfLine(StreamData& s) {
  if (s.closed || !s.canRead) return;
  if (s.inMemory) {
    const unsigned char* from = s.mem + s.pos;
    const long left = std::max(0L, s.size - s.pos);
    for (long i = 0; i < left; ++i)
      if (from[i] == '\n' || from[i] == 0) {
        s.pos += i + 1;
        return;
      }
    s.pos = std::max(s.pos, s.size);
    s.pastEnd = true;
    return;
  }
  if (s.lastOp == 2) std::fseek(s.fp, s.pos, SEEK_SET);
  s.lastOp = 1;
  std::vector<unsigned char> block(65536);
  for (;;) {
    const std::size_t got = std::fread(block.data(), 1, block.size(), s.fp);
    for (std::size_t i = 0; i < got; ++i)
      if (block[i] == '\n' || block[i] == 0) {
        s.pos += static_cast<long>(i + 1);
        std::fseek(s.fp, s.pos, SEEK_SET);
        return;
      }
    s.pos += static_cast<long>(got);
    if (got < block.size()) {
      s.pastEnd = true;
      return;
    }
  }
}

}  // namespace

std::string ReadLine(const Stream& stream) {
  std::string line;
  if (!stream) return line;
  for (;;) {
    unsigned char b = 0;
    if (RawRead(*stream, &b, 1) == 0) break;
    if (b == '\n' || b == 0) break;
    if (b == '\r') continue;
    if (line.size() == kMaxLineLength) {
      SkipRestOfLine(*stream);
      if (!stream->lineCut)
        std::fprintf(stderr, "Quillmire: %s: a line longer than %zu characters was cut\n",
                     stream->path.empty() ? "a file" : stream->path.c_str(), kMaxLineLength);
      stream->lineCut = true;
      break;
    }
    line.push_back(static_cast<char>(b));
  }
  return line;
}

std::string ReadString(const Stream& stream, int length) {
  if (!stream || length <= 0) return "";
  StreamData& s = *stream;
  long left = s.size - s.pos;
  std::size_t want = static_cast<std::size_t>(length);
  // Never allocate more than the stream can give.
  std::size_t take = left > 0 ? std::min(want, static_cast<std::size_t>(left)) : 0;
  std::string out(take, '\0');
  std::size_t got = take ? RawRead(s, out.data(), take) : 0;
  out.resize(got);
  if (got < want) s.pastEnd = true;
  return out;
}

void WriteByte(const Stream& stream, int value) {
  if (!stream) return;
  unsigned char b = static_cast<unsigned char>(value & 0xFF);
  RawWrite(*stream, &b, 1);
}

void WriteInt(const Stream& stream, int value) {
  if (!stream) return;
  auto v = static_cast<std::uint32_t>(value);
  unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  RawWrite(*stream, b, 4);
}

void WriteFloat(const Stream& stream, float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  WriteInt(stream, static_cast<int>(bits));
}

void WriteLine(const Stream& stream, const std::string& line) {
  if (!stream) return;
  std::string l = line + "\n";
  RawWrite(*stream, l.data(), l.size());
}

void WriteString(const Stream& stream, const std::string& text) {
  if (!stream || text.empty()) return;
  RawWrite(*stream, text.data(), text.size());
}

int Eof(const Stream& stream) {
  if (!stream || stream->closed) return 1;
  return (stream->pastEnd || stream->pos >= stream->size) ? 1 : 0;
}

int StreamPos(const Stream& stream) {
  return stream ? static_cast<int>(stream->pos) : 0;
}

int StreamSize(const Stream& stream) {
  return stream ? static_cast<int>(stream->size) : 0;
}

void SeekStream(const Stream& stream, int pos) {
  if (!stream || stream->closed) return;
  StreamData& s = *stream;
  long p = pos < 0 ? 0 : std::min<long>(pos, s.size);
  if (s.fp && std::fseek(s.fp, p, SEEK_SET) != 0) return;
  s.pos = p;
  s.pastEnd = false;
  s.lastOp = 0;
}

void RegisterEmbedded(const std::string& name, const unsigned char* data, std::size_t size) {
  std::string n = detail::NormalisePath(name);
  for (auto& b : Registry()) {
    if (b.name == n) {
      b.data = data;
      b.size = data ? size : 0;
      return;
    }
  }
  Registry().push_back({n, data, data ? size : 0});
}

void ClearEmbedded() {
  Registry().clear();
}

bool ReadWholeFile(const std::string& url, std::vector<unsigned char>& out) {
  out.clear();
  if (url.empty()) return false;
  if (IsIncbin(url)) {
    const Blob* b = FindBlob(url);
    if (!b) return false;
    if (b->size) out.assign(b->data, b->data + b->size);
    return true;
  }
  std::string path = detail::FindPathIgnoringCase(detail::NormalisePath(url));
  if (path.empty()) return false;
  long size = 0;
  int fd = OpenRegularForReading(path, &size);
  return fd >= 0 && ReadAllOf(fd, size, kWholeFileLimit, out);
}

namespace detail {

void FailWritesAfter(long bytes) {
  g_fail_after = bytes < 0 ? -1 : bytes;
}

}  // namespace detail

}  // namespace media

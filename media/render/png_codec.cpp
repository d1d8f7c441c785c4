// PNG decoding and encoding through libpng, from and to memory.
//
// libpng reports errors by longjmp. The functions that call setjmp (ReadSteps' and
// WriteSteps' callers) and everything libpng calls back hold only plain data: no C++ object
// with a destructor lives in a frame that a longjmp can skip. Buffers are malloc'ed into
// plain structs and released by the C++ callers after the jump has landed.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "media/render/render_internal.h"

namespace media::render {
namespace {

struct ReadSource {
  const unsigned char* data;
  std::size_t size;
  std::size_t pos;
};

struct RawRead {
  png_structp png;
  png_infop info;
  unsigned char* buffer;  // width * height * 4 bytes, R G B A
  png_bytep* rows;
  png_uint_32 width;
  png_uint_32 height;
  int hasAlpha;
  char message[200];
};

void OnError(png_structp png, png_const_charp message) {
  auto* raw = static_cast<RawRead*>(png_get_error_ptr(png));
  if (raw) std::snprintf(raw->message, sizeof raw->message, "%s", message ? message : "error");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp png, png_bytep out, png_size_t count) {
  auto* src = static_cast<ReadSource*>(png_get_io_ptr(png));
  if (!src || count > src->size - src->pos) png_error(png, "the data ends early");
  std::memcpy(out, src->data + src->pos, count);
  src->pos += count;
}

// Everything after setjmp; any failure longjmps back to ReadRaw.
void ReadSteps(RawRead* raw, ReadSource* src) {
  png_structp png = raw->png;
  png_infop info = raw->info;
  png_set_read_fn(png, src, ReadBytes);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
  if (width == 0 || height == 0 || static_cast<std::int64_t>(width) * height > kMaxPixels) {
    png_error(png, "the picture is empty or too large");
  }
  const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  raw->hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || trns;
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (trns) png_set_tRNS_to_alpha(png);
  if (depth == 16) {
#ifdef PNG_READ_SCALE_16_TO_8_SUPPORTED
    png_set_scale_16(png);
#else
    png_set_strip_16(png);
#endif
  }
  if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_gray_to_rgb(png);
  }
  if (!raw->hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
    png_error(png, "unexpected pixel layout");
  }
  raw->buffer =
      static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(width) * height * 4));
  raw->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!raw->buffer || !raw->rows) png_error(png, "out of memory");
  for (png_uint_32 y = 0; y < height; ++y)
    raw->rows[y] = raw->buffer + static_cast<std::size_t>(y) * width * 4;
  png_read_image(png, raw->rows);
  raw->width = width;
  raw->height = height;
}

int ReadRaw(RawRead* raw, ReadSource* src) {
  raw->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, raw, OnError, OnWarning);
  if (!raw->png) return 0;
  raw->info = png_create_info_struct(raw->png);
  if (!raw->info) return 0;
  if (setjmp(png_jmpbuf(raw->png))) return 0;
  ReadSteps(raw, src);
  return 1;
}

struct RawWrite {
  png_structp png;
  png_infop info;
  unsigned char* out;
  std::size_t size;
  std::size_t capacity;
  png_bytep* rows;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t count) {
  auto* raw = static_cast<RawWrite*>(png_get_io_ptr(png));
  if (raw->size + count > raw->capacity) {
    std::size_t capacity = raw->capacity ? raw->capacity * 2 : 65536;
    while (capacity < raw->size + count) capacity *= 2;
    auto* grown = static_cast<unsigned char*>(std::realloc(raw->out, capacity));
    if (!grown) png_error(png, "out of memory");
    raw->out = grown;
    raw->capacity = capacity;
  }
  std::memcpy(raw->out + raw->size, data, count);
  raw->size += count;
}

void FlushBytes(png_structp) {}

// `bytes` holds `channels` (4 RGBA or 3 RGB) bytes a pixel.
void WriteSteps(RawWrite* raw, const unsigned char* bytes, int width, int height, int channels,
                int level) {
  png_set_write_fn(raw->png, raw, WriteBytes, FlushBytes);
  if (level >= 0) png_set_compression_level(raw->png, level);
  png_set_IHDR(raw->png, raw->info, width, height, 8,
               channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  raw->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!raw->rows) png_error(raw->png, "out of memory");
  for (int y = 0; y < height; ++y) {
    raw->rows[y] = const_cast<png_bytep>(bytes + static_cast<std::size_t>(y) * width * channels);
  }
  png_write_info(raw->png, raw->info);
  png_write_image(raw->png, raw->rows);
  png_write_end(raw->png, nullptr);
}

int WriteRaw(RawWrite* raw, const unsigned char* bytes, int width, int height, int channels,
             int level) {
  raw->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!raw->png) return 0;
  raw->info = png_create_info_struct(raw->png);
  if (!raw->info) return 0;
  if (setjmp(png_jmpbuf(raw->png))) return 0;
  WriteSteps(raw, bytes, width, height, channels, level);
  return 1;
}

}  // namespace

bool DecodePng(const unsigned char* data, std::size_t size, DecodedPicture& out,
               std::string& error) {
  out = DecodedPicture{};
  if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
    error = "not a PNG picture";
    return false;
  }
  ReadSource src{data, size, 0};
  RawRead raw{};
  const int ok = ReadRaw(&raw, &src);
  if (ok) {
    out.width = static_cast<int>(raw.width);
    out.height = static_cast<int>(raw.height);
    out.hasAlpha = raw.hasAlpha != 0;
    out.pixels.resize(static_cast<std::size_t>(raw.width) * raw.height);
    const unsigned char* p = raw.buffer;
    for (Pixel& px : out.pixels) {
      px = (Pixel{p[3]} << 24) | (Pixel{p[0]} << 16) | (Pixel{p[1]} << 8) | Pixel{p[2]};
      p += 4;
    }
  } else {
    error = raw.message[0] ? raw.message : "the picture does not decode";
  }
  std::free(raw.buffer);
  std::free(raw.rows);
  if (raw.png) png_destroy_read_struct(&raw.png, raw.info ? &raw.info : nullptr, nullptr);
  return ok != 0;
}

bool EncodePng(const Pixel* pixels, int width, int height, std::vector<unsigned char>& out,
               bool alpha, int level) {
  out.clear();
  if (!pixels || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  const int channels = alpha ? 4 : 3;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * height * channels);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
    const Pixel p = pixels[i];
    unsigned char* b = bytes.data() + i * channels;
    b[0] = static_cast<unsigned char>(p >> 16);
    b[1] = static_cast<unsigned char>(p >> 8);
    b[2] = static_cast<unsigned char>(p);
    if (alpha) b[3] = static_cast<unsigned char>(p >> 24);
  }
  RawWrite raw{};
  const int ok = WriteRaw(&raw, bytes.data(), width, height, channels, level > 9 ? 9 : level);
  if (ok) out.assign(raw.out, raw.out + raw.size);
  std::free(raw.out);
  std::free(raw.rows);
  if (raw.png) png_destroy_write_struct(&raw.png, raw.info ? &raw.info : nullptr);
  return ok != 0;
}

}  // namespace media::render

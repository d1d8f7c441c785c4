#include "tools/sfxgen/vorbis_out.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace sfxgen {

namespace {

void Append(std::vector<unsigned char>* out, const ogg_page& page) {
  out->insert(out->end(), page.header, page.header + page.header_len);
  out->insert(out->end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<unsigned char> EncodeVorbis(const std::vector<float>& samples, int channels, int rate,
                                        float quality, std::uint32_t serial) {
  std::vector<unsigned char> out;
  if (channels < 1 || channels > 8 || samples.size() % static_cast<std::size_t>(channels) != 0) {
    return out;
  }
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, quality) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "ENCODER", "sfxgen");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, static_cast<int>(serial & 0x7fffffff));

  ogg_packet header, header_comm, header_code;
  vorbis_analysis_headerout(&vd, &vc, &header, &header_comm, &header_code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &header_comm);
  ogg_stream_packetin(&os, &header_code);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) Append(&out, page);

  const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
  const std::size_t chunk = 4096;
  std::size_t done = 0;
  bool eos = false;
  while (!eos) {
    const std::size_t n = std::min(chunk, frames - done);
    if (n > 0) {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (std::size_t i = 0; i < n; ++i) {
        for (int c = 0; c < channels; ++c) {
          float s = samples[(done + i) * static_cast<std::size_t>(channels) +
                            static_cast<std::size_t>(c)];
          buffer[c][i] = std::clamp(s, -1.0f, 1.0f);
        }
      }
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      done += n;
    } else {
      vorbis_analysis_wrote(&vd, 0);
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) {
          Append(&out, page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
    if (n == 0 && !eos) {
      // Everything has been handed over; flush what is left.
      while (ogg_stream_flush(&os, &page) != 0) {
        Append(&out, page);
        if (ogg_page_eos(&page)) eos = true;
      }
      eos = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes) {
  const std::string tmp = path + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::remove(tmp.c_str());
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace sfxgen

#include "media/sound_test_ogg.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

namespace quilltest {
namespace {

void AppendPage(std::vector<unsigned char>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

}  // namespace

std::vector<unsigned char> EncodeSineOgg(int rate, int channels, int frames, double freq,
                                         double amplitude) {
  std::vector<unsigned char> out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.5f) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 12345);

  ogg_packet header, comment, code;
  vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comment);
  ogg_stream_packetin(&os, &code);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) AppendPage(out, page);

  const double pi = std::acos(-1.0);
  int written = 0;
  bool ended = false;
  bool eos = false;
  while (!eos) {
    if (!ended) {
      const int n = std::min(1024, frames - written);
      if (n > 0) {
        float** buffer = vorbis_analysis_buffer(&vd, n);
        for (int i = 0; i < n; ++i) {
          const double t = static_cast<double>(written + i) / rate;
          const float v = static_cast<float>(amplitude * std::sin(2 * pi * freq * t));
          for (int c = 0; c < channels; ++c) buffer[c][i] = v;
        }
        vorbis_analysis_wrote(&vd, n);
        written += n;
      } else {
        vorbis_analysis_wrote(&vd, 0);
        ended = true;
      }
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet) != 0) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) {
          AppendPage(out, page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
    if (ended && !eos) {
      while (ogg_stream_flush(&os, &page) != 0) AppendPage(out, page);
      break;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace quilltest

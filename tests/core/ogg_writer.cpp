#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace coretest {

namespace {

bool WritePages(ogg_stream_state& os, std::FILE* f, bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) {
    if (std::fwrite(page.header, 1, page.header_len, f) != static_cast<size_t>(page.header_len))
      return false;
    if (std::fwrite(page.body, 1, page.body_len, f) != static_cast<size_t>(page.body_len))
      return false;
  }
  return true;
}

}  // namespace

bool WriteToneOgg(const std::string& path, int frames, float hertz) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  constexpr int kRate = 22050;
  vorbis_info vi;
  vorbis_info_init(&vi);
  bool ok = vorbis_encode_init_vbr(&vi, 1, kRate, 0.3f) == 0;
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  ogg_stream_state os;
  if (ok) {
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_init(&os, 1);
    ogg_packet header, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &header, &comm, &code);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comm);
    ogg_stream_packetin(&os, &code);
    ok = WritePages(os, f, true);
    int done = 0;
    bool eos = false;
    while (ok && !eos) {
      const int chunk = done < frames ? std::min(1024, frames - done) : 0;
      if (chunk > 0) {
        float** buf = vorbis_analysis_buffer(&vd, chunk);
        for (int i = 0; i < chunk; ++i)
          buf[0][i] = 0.9f * std::sin(6.2831853f * hertz * static_cast<float>(done + i) / kRate);
        vorbis_analysis_wrote(&vd, chunk);
        done += chunk;
      } else {
        vorbis_analysis_wrote(&vd, 0);
      }
      while (vorbis_analysis_blockout(&vd, &vb) == 1) {
        vorbis_analysis(&vb, nullptr);
        vorbis_bitrate_addblock(&vb);
        ogg_packet op;
        while (vorbis_bitrate_flushpacket(&vd, &op)) {
          ogg_stream_packetin(&os, &op);
          ok = ok && WritePages(os, f, false);
          if (op.e_o_s) eos = true;
        }
      }
    }
    ok = ok && WritePages(os, f, true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
  }
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return std::fclose(f) == 0 && ok;
}

}  // namespace coretest

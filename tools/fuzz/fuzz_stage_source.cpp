// The stage compiler's text reader: what it takes, the stage reader takes too, and writing it out
// again gives the same stage back.
#include "tools/fuzz/fuzz_targets.h"
#include "tools/stagec/source.h"

namespace fuzz {

int FuzzStageSource(const std::uint8_t* data, std::size_t size) {
  constexpr const char* kName = "stagesource";
  stagefile::Data d, decoded, again;
  std::string error;
  SetTaken(stagec::Parse(std::string(data, data + size), d, error));
  if (!LastTaken()) {
    FUZZ_CHECK(kName, error.rfind("line ", 0) == 0, "an error names its line");
    return 0;
  }
  const std::vector<unsigned char> bytes = stagefile::Encode(d);
  FUZZ_CHECK(kName, stagefile::Decode(bytes, decoded).ok(), "the stage reader takes it");
  // A room listed twice has one cell block: the size counts the distinct rooms.
  std::size_t distinct = 0;
  for (int ry = 0; ry < 6; ry++)
    for (int rx = 0; rx < 6; rx++) distinct += d.RoomExists(rx, ry) ? 1 : 0;
  const std::size_t rooms = d.roomRecords.size();
  FUZZ_CHECK(
      kName,
      bytes.size() + 768 * (rooms - distinct) ==
          stagefile::FileSize(static_cast<int>(rooms), static_cast<int>(d.enemies.size()),
                              static_cast<int>(d.traps.size()), static_cast<int>(d.items.size()),
                              static_cast<int>(d.statues.size())),
      "the file has the layout's size");
  FUZZ_CHECK(kName,
             stagec::Parse(stagec::Write(d), again, error) && stagefile::Encode(again) == bytes,
             "its text gives the same stage: " + error);
  return 0;
}

}  // namespace fuzz

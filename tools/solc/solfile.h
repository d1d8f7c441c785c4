// The ".SOL" replay file as text: "runs N", then one "code count" line per record.
#pragma once

#include <string>
#include <vector>

namespace solc {

struct Run {
  int code = 0;
  int count = 0;
};

// Decodes a replay file's bytes: N, then N + 1 records of a code byte and a 32-bit count.
// False with a message when the bytes are short or N is outside 1 to 5000.
bool DecodeSol(const std::vector<unsigned char>& bytes, std::vector<Run>& runs, int& n,
               std::string& error);

// The text form: "runs N" and one line per record, the code's name after it.
std::string SolText(const std::vector<Run>& runs, int n);

// The name of an action code ("right", "jump left", "exit"...), or "?".
std::string CodeName(int code);

}  // namespace solc

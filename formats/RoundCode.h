// A round as a short code to hand to a friend: the 83 cells at 4 bits each (42 bytes, the
// last half byte 0), written in base64url without padding (56 characters), then one check
// character. One line of printable text that survives chat programs and web addresses.
#pragma once

#include <string>

#include "formats/RoundFormat.h"

constexpr int kRoundCodeLength = 57;

std::string EncodeRoundCode(const RoundRecord& record);
// False, with what is wrong in *error, for a code of the wrong length, a character outside
// base64url, a check character that does not match, or cells that are not bubbles.
bool DecodeRoundCode(const std::string& code, RoundRecord* record, std::string* error);
// The code of a round to share: false, with the rule's message in *error, for a round that
// breaks a rule, since a link (and --rounds) would refuse to play it. A link plays its round
// alone, as a first round; index only names the round in the message.
bool ShareRoundCode(const RoundRecord& record, int index, std::string* code, std::string* error);

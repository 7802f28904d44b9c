#include "formats/RoundCode.h"

#include <cstring>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int kPackedBytes = (kRoundRecordBytes + 1) / 2;  // 42
constexpr int kDataCharacters = kPackedBytes * 4 / 3;      // 56

int SixBits(char c) {
    const char* at = c ? std::strchr(kAlphabet, c) : nullptr;
    return at ? static_cast<int>(at - kAlphabet) : -1;
}

// Odd weights are invertible mod 64, so any one mistyped character changes the check, and
// so does swapping two neighbours unless their values differ by exactly 32.
int CheckValue(const std::string& data) {
    int sum = 0;
    for (size_t i = 0; i < data.size(); ++i)
        sum = (sum + SixBits(data[i]) * static_cast<int>(2 * i + 1)) % 64;
    return sum;
}

}  // namespace

std::string EncodeRoundCode(const RoundRecord& record) {
    uint8_t packed[kPackedBytes] = {};
    for (int i = 0; i < kRoundRecordBytes; ++i)
        packed[i / 2] |= static_cast<uint8_t>((record[i] & 0x0F) << (i % 2 == 0 ? 4 : 0));
    std::string code;
    for (int i = 0; i < kPackedBytes; i += 3) {
        const unsigned v = packed[i] << 16 | packed[i + 1] << 8 | packed[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            code += kAlphabet[v >> shift & 0x3F];
    }
    return code + kAlphabet[CheckValue(code)];
}

bool DecodeRoundCode(const std::string& code, RoundRecord* record, std::string* error) {
    if (code.size() != static_cast<size_t>(kRoundCodeLength)) {
        *error = "a round code has " + std::to_string(kRoundCodeLength) + " characters, this one " +
                 std::to_string(code.size());
        return false;
    }
    for (char c : code) {
        if (SixBits(c) < 0) {
            *error = "'" + std::string(1, c) + "' is not a character of a round code";
            return false;
        }
    }
    const std::string data = code.substr(0, kDataCharacters);
    if (kAlphabet[CheckValue(data)] != code.back()) {
        *error = "the check character does not match: the code was mistyped";
        return false;
    }
    uint8_t packed[kPackedBytes];
    for (int i = 0, at = 0; i < kPackedBytes; i += 3, at += 4) {
        unsigned v = 0;
        for (int k = 0; k < 4; ++k)
            v = v << 6 | static_cast<unsigned>(SixBits(data[at + k]));
        packed[i] = static_cast<uint8_t>(v >> 16);
        packed[i + 1] = static_cast<uint8_t>(v >> 8);
        packed[i + 2] = static_cast<uint8_t>(v);
    }
    RoundRecord cells{};
    for (int i = 0; i < kRoundRecordBytes; ++i) {
        cells[i] = static_cast<uint8_t>(packed[i / 2] >> (i % 2 == 0 ? 4 : 0) & 0x0F);
        if (cells[i] > 8) {
            *error = "cell " + std::to_string(i + 1) + " of the code is not a bubble";
            return false;
        }
    }
    if ((packed[kPackedBytes - 1] & 0x0F) != 0) {
        *error = "the code holds more than one round";
        return false;
    }
    *record = cells;
    return true;
}

bool ShareRoundCode(const RoundRecord& record, int index, std::string* code, std::string* error) {
    const RoundFault fault = FindRoundFault(record, 0);
    if (fault.rule != RoundRule::kKept) {
        *error = DescribeRoundFault(fault, index);
        return false;
    }
    *code = EncodeRoundCode(record);
    return true;
}

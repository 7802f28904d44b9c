#include "game/RoundSetFile.h"

#include <fstream>
#include <sstream>

#include "platform/i_system.h"

namespace RoundSetFile {

bool ReadText(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream whole;
    whole << in.rdbuf();  // an empty file reads as no text
    *text = whole.str();
    return true;
}

bool Read(const std::string& path, RoundSet* rounds, std::string* error) {
    std::string text;
    if (!ReadText(path, &text)) {
        *error = path + ": cannot read the file";
        return false;
    }
    *error = ParseRounds(text, *rounds, 1);
    if (error->empty()) return true;
    *error = path + ": " + *error;
    return false;
}

bool Open(const std::string& path, RoundSet* rounds, std::string* error) {
    if (std::ifstream(path)) return Read(path, rounds, error);
    *rounds = OneEmptyRound();
    if (Write(path, FormatRounds(*rounds))) return true;
    *error = path + ": cannot create the file";
    return false;
}

bool Write(const std::string& path, const std::string& text) {
    return I_WriteFileAtomic(path, text.data(), text.size());
}

bool Import(const std::string& path, const RoundRecord& record, EditorStart* start,
            std::string* error) {
    RoundSet source;
    const bool exists = static_cast<bool>(std::ifstream(path));
    if (exists && !Read(path, &source, error)) return false;
    if (source.records.size() >= static_cast<size_t>(kRoundCount)) {
        *error = path + ": the set already holds " + std::to_string(kRoundCount) + " rounds";
        return false;
    }
    RoundSet rounds = source;
    rounds.records.push_back(record);
    rounds.titles.push_back("Imported round");
    const std::string text = FormatRoundsKeeping(rounds, source);
    if (!Write(path, text)) {
        *error = path + ": cannot write the file";
        return false;
    }
    start->path = path;
    ParseRounds(text, start->rounds, 1);
    start->round = static_cast<int>(rounds.records.size()) - 1;
    return true;
}

RoundSet OneEmptyRound() {
    RoundSet set;
    set.records.push_back(RoundRecord{});
    set.titles.push_back("New round");
    return set;
}

}  // namespace RoundSetFile

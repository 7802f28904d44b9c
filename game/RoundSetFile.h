// Round-set files as a player keeps them (assets/rounds.txt's form): read, created, written
// whole and safely, and a round from a code added to one. The editor and the command line use
// them; RoundBook compiles the same text for play.
#pragma once

#include <string>

#include "formats/RoundFormat.h"

// What the editor opens on: the file, its rounds and the round shown first.
struct EditorStart {
    std::string path;
    RoundSet rounds;
    int round = 0;
    bool unsaved = false;  // rounds brought back from a draft: leaving asks until they are saved
};

namespace RoundSetFile {

// The whole file; false when it cannot be read.
bool ReadText(const std::string& path, std::string* text);
// Reads a set without creating anything; false when missing or malformed.
bool Read(const std::string& path, RoundSet* rounds, std::string* error);
// Reads a set to edit; a missing file becomes one empty round and is created. False with the
// build's message when the text is malformed (rule breaks are fine: that is work in progress).
bool Open(const std::string& path, RoundSet* rounds, std::string* error);
// Writes the text so that a crash mid-write leaves the old file or the new one.
bool Write(const std::string& path, const std::string& text);
// Adds a round (from a code) at the end of the set in path, creating the file, and makes
// start open the editor on it.
bool Import(const std::string& path, const RoundRecord& record, EditorStart* start,
            std::string* error);
// One empty round called "New round": a new set.
RoundSet OneEmptyRound();

}  // namespace RoundSetFile

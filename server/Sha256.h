// SHA-256, for the key that makes one game one entry: a hostile file must not be able to pick
// a digest that shadows someone else's game.
#pragma once

#include <string>

// The digest as 64 lowercase hex digits.
std::string Sha256Hex(const std::string& data);

#pragma once
// How packet values are read. Every rule throws Json::LogicError on a value
// of the wrong JSON type, so a packet that holds one is no packet at all.
// A missing key reads as null: 0, empty text, false, or an empty array.

#include <json/value.h>

#include <cstdint>
#include <string>

namespace vorlan::assoc {

// Unsigned 32-bit reading of the JSON library: null is 0, a boolean 0 or 1,
// a fraction in range is cut to its whole part; a negative or too large
// number, text, an array or an object is an error.
std::uint32_t ReadUnsigned(const Json::Value& value);

// Text: null gives empty text, a string its bytes (NULs included). Anything
// else (a number, a boolean, an array, an object) is an error.
std::string ReadText(const Json::Value& value);

// Truth: null and false are false; a number is true when not zero, a string
// or a container when not empty.
bool ReadFlag(const Json::Value& value);

// An array key: null (missing) or an array; anything else is an error. The
// result is read element by element from index 0 to Size() - 1.
const Json::Value& ReadArray(const Json::Value& value);

// An element of a "PKGINFO_LIST": an object, or null (all of its keys then
// read as missing); anything else is an error.
const Json::Value& ReadObject(const Json::Value& value);

}  // namespace vorlan::assoc

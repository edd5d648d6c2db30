#include "assoc/core/json_read.h"

#include <json/value.h>


namespace vorlan::assoc {
namespace {

[[noreturn]] void WrongType(const char* what) { Json::throwLogicError(what); }

}  // namespace

std::uint32_t ReadUnsigned(const Json::Value& value) { return value.asUInt(); }

std::string ReadText(const Json::Value& value) {
  switch (value.type()) {
    case Json::nullValue:
    case Json::stringValue:
      return value.asString();
    case Json::booleanValue:
      // The to-string reading spells a boolean out; a number stays an error.
      return value.asBool() ? "true" : "false";
    default:
      WrongType("Type is not convertible to string");
  }
}

bool ReadFlag(const Json::Value& value) {
  switch (value.type()) {
    case Json::nullValue:
      return false;
    case Json::booleanValue:
      return value.asBool();
    case Json::intValue:
      return value.asLargestInt() != 0;
    case Json::uintValue:
      return value.asLargestUInt() != 0;
    case Json::realValue:
      return value.asDouble() != 0.0;
    case Json::stringValue: {
      const char* begin = nullptr;
      const char* end = nullptr;
      return value.getString(&begin, &end) && begin != end;
    }
    case Json::arrayValue:
    case Json::objectValue:
      return value.size() != 0;
  }
  return false;
}

const Json::Value& ReadArray(const Json::Value& value) {
  if (!value.isNull() && !value.isArray()) WrongType("Type is not an array");
  return value;
}

const Json::Value& ReadObject(const Json::Value& value) {
  if (!value.isNull() && !value.isObject()) WrongType("Type is not an object");
  return value;
}

}  // namespace vorlan::assoc

#include "pkg_reg/core/pkt_stream_data.h"

#include <cstring>
#include <new>

CPktStreamData::CPktStreamData(int size) {
  if (size < 0) size = 0;
  data_ = new std::uint8_t[static_cast<std::size_t>(size) + 1]();  // +1: never a zero-sized array
  size_ = size;
  ownsData_ = true;
}

CPktStreamData::CPktStreamData(std::uint8_t* data, int size)
    : data_(data), size_(data && size > 0 ? size : 0), ownsData_(false) {}

CPktStreamData::~CPktStreamData() {
  if (ownsData_) delete[] data_;
}

int CPktStreamData::WriteByte(std::uint8_t value) {
  if (Remaining() < 1) return -1;
  data_[position_++] = value;
  return 0;
}

int CPktStreamData::WriteUInt32(std::uint32_t value) {
  if (Remaining() < 4) return -1;
  data_[position_] = static_cast<std::uint8_t>(value >> 24);
  data_[position_ + 1] = static_cast<std::uint8_t>(value >> 16);
  data_[position_ + 2] = static_cast<std::uint8_t>(value >> 8);
  data_[position_ + 3] = static_cast<std::uint8_t>(value);
  position_ += 4;
  return 0;
}

int CPktStreamData::WriteBlock(const std::vector<std::uint8_t>& block) {
  if (block.size() > UINT32_MAX) return -1;
  if (WriteUInt32(static_cast<std::uint32_t>(block.size())) != 0) return -1;
  if (block.size() > static_cast<std::size_t>(Remaining())) return -1;
  if (!block.empty()) std::memcpy(data_ + position_, block.data(), block.size());
  position_ += static_cast<int>(block.size());
  return 0;
}

int CReadPktStreamData::ReadByte(std::uint8_t& value) {
  if (Remaining() < 1) return -1;
  value = data_[position_++];
  return 0;
}

int CReadPktStreamData::ReadUInt32(std::uint32_t& value) {
  if (Remaining() < 4) return -1;
  const std::uint8_t* p = data_ + position_;
  value = static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
          static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
  position_ += 4;
  return 0;
}

int CReadPktStreamData::ReadBlock(std::vector<std::uint8_t>& block) {
  std::uint32_t length = 0;
  if (ReadUInt32(length) != 0) return -1;
  block.clear();
  block.shrink_to_fit();
  if (length > static_cast<std::uint32_t>(Remaining())) return -1;
  try {
    block.assign(data_ + position_, data_ + position_ + length);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  position_ += static_cast<int>(length);
  return 0;
}

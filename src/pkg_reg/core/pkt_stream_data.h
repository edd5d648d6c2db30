#pragma once
// The byte streams that registry script objects are written to and read
// from. Integers are unsigned 32-bit big-endian; a byte block is its length
// followed by that many bytes. Every operation returns 0 on success and -1 on
// failure; a failure leaves the position where it stopped.

#include <cstdint>
#include <memory>
#include <vector>

class CPktStreamData {
 public:
  // A zero-filled buffer of `size` bytes, owned by the stream, to write into.
  explicit CPktStreamData(int size);
  // The caller's buffer; the stream does not free it.
  CPktStreamData(std::uint8_t* data, int size);
  virtual ~CPktStreamData();

  CPktStreamData(const CPktStreamData&) = delete;
  CPktStreamData& operator=(const CPktStreamData&) = delete;

  int Position() const { return position_; }
  int Size() const { return size_; }
  int Remaining() const { return size_ - position_; }
  const std::uint8_t* Data() const { return data_; }
  bool OwnsData() const { return ownsData_; }

  int WriteByte(std::uint8_t value);
  int WriteUInt32(std::uint32_t value);
  // The length as a 32-bit integer, then the bytes.
  int WriteBlock(const std::vector<std::uint8_t>& block);

 protected:
  int position_ = 0;
  std::uint8_t* data_ = nullptr;
  int size_ = 0;
  bool ownsData_ = false;
};

// The stream objects are read from. It never owns its buffer.
class CReadPktStreamData : public CPktStreamData {
 public:
  CReadPktStreamData(std::uint8_t* data, int size) : CPktStreamData(data, size) {}

  int ReadByte(std::uint8_t& value);
  int ReadUInt32(std::uint32_t& value);
  // Reads the length, drops the block's old bytes, then takes that many
  // bytes; a length beyond the end of the stream leaves the block empty and
  // fails before anything is allocated.
  int ReadBlock(std::vector<std::uint8_t>& block);
};

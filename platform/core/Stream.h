#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace dd {

// A byte stream with a position, as the class library's TStream.
class TStream {
public:
    virtual ~TStream() = default;

    // Reads up to `count` bytes; returns how many were read.
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    virtual void Write(const void* buffer, std::size_t count) = 0;
    virtual std::size_t Position() const = 0;
    virtual std::size_t Size() const = 0;

    // Reads exactly `count` bytes or throws EStreamError.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count) { Write(buffer, count); }

    std::uint8_t ReadU8();
    std::int16_t ReadS16();
    std::uint32_t ReadU32();
    void WriteU8(std::uint8_t value);
    void WriteS16(std::int16_t value);
    void WriteU32(std::uint32_t value);
};

// A stream over bytes in memory that it owns; writes append or overwrite at the position.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* buffer, std::size_t count) override;
    std::size_t Position() const override { return position_; }
    std::size_t Size() const override { return bytes_.size(); }
    void Seek(std::size_t position) { position_ = position; }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace dd

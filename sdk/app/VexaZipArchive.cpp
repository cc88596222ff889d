#include "sdk/app/VexaZipArchive.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace {

constexpr uint32_t kEndRecord = 0x06054b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr size_t kEndRecordSize = 22;

uint32_t u16(const std::string& b, size_t at) {
  return static_cast<uint8_t>(b[at]) | static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}

uint32_t u32(const std::string& b, size_t at) {
  return u16(b, at) | u16(b, at + 2) << 16;
}

std::string folded(std::string name) {
  for (char& c : name)
    c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace

std::optional<VexaZipArchive> VexaZipArchive::read(std::string bytes) {
  if (bytes.size() < kEndRecordSize) return std::nullopt;
  // The end record lies within the last 64 KiB (its comment) of the file.
  size_t end = std::string::npos;
  const size_t lowest =
      bytes.size() > 0xFFFF + kEndRecordSize ? bytes.size() - 0xFFFF - kEndRecordSize : 0;
  for (size_t at = bytes.size() - kEndRecordSize + 1; at-- > lowest;)
    if (u32(bytes, at) == kEndRecord) {
      end = at;
      break;
    }
  if (end == std::string::npos) return std::nullopt;
  const size_t count = u16(bytes, end + 10);
  size_t at = u32(bytes, end + 16);
  VexaZipArchive archive;
  for (size_t i = 0; i < count; ++i) {
    if (at + 46 > end || u32(bytes, at) != kCentralHeader) return std::nullopt;
    Entry e;
    e.method = u16(bytes, at + 10);
    e.compressedSize = u32(bytes, at + 20);
    e.size = u32(bytes, at + 24);
    const size_t nameLength = u16(bytes, at + 28);
    const size_t extra = u16(bytes, at + 30) + u16(bytes, at + 32);
    e.localHeader = u32(bytes, at + 42);
    if (at + 46 + nameLength > end) return std::nullopt;
    e.name = bytes.substr(at + 46, nameLength);
    archive.entries_.push_back(std::move(e));
    at += 46 + nameLength + extra;
  }
  archive.bytes_ = std::move(bytes);
  return archive;
}

std::vector<std::string> VexaZipArchive::names() const {
  std::vector<std::string> out;
  for (const Entry& e : entries_) out.push_back(e.name);
  return out;
}

std::optional<std::string> VexaZipArchive::contents(const std::string& name, size_t limit) const {
  const std::string wanted = folded(name);
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const Entry& e) { return folded(e.name) == wanted; });
  if (it == entries_.end() || it->size > limit) return std::nullopt;
  const size_t header = it->localHeader;
  if (header + 30 > bytes_.size() || u32(bytes_, header) != kLocalHeader) return std::nullopt;
  const size_t data = header + 30 + u16(bytes_, header + 26) + u16(bytes_, header + 28);
  if (data > bytes_.size() || it->compressedSize > bytes_.size() - data) return std::nullopt;
  if (it->method == 0) {
    if (it->compressedSize != it->size) return std::nullopt;
    return bytes_.substr(data, it->size);
  }
  if (it->method != 8) return std::nullopt;
  std::string out(it->size, '\0');
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes_.data() + data));
  z.avail_in = static_cast<uInt>(it->compressedSize);
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&z, Z_FINISH);
  const bool whole = status == Z_STREAM_END && z.total_out == it->size;
  inflateEnd(&z);
  if (!whole) return std::nullopt;
  return out;
}

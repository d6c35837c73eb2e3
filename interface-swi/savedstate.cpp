#include "interface-swi/savedstate.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

const std::uint32_t SIG_END = 0x06054b50;
const std::uint32_t SIG_DIRECTORY = 0x02014b50;
const std::uint32_t SIG_LOCAL = 0x04034b50;
const std::streamoff END_SIZE = 22;
const std::size_t DIRECTORY_ENTRY_SIZE = 46;
const std::size_t LOCAL_HEADER_SIZE = 30;
const std::uint16_t METHOD_STORED = 0;
const std::uint16_t METHOD_DEFLATED = 8;
// Far beyond any state of the agent program; bounds what a damaged
// directory can make us read.
const std::uint32_t MAX_MEMBER_SIZE = 256u << 20;

std::uint16_t get16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

std::uint32_t get32(const unsigned char* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}

bool readAt(std::ifstream& in, std::streamoff pos, std::vector<unsigned char>& buf,
            std::size_t size) {
  buf.resize(size);
  in.clear();
  in.seekg(pos);
  in.read(reinterpret_cast<char*>(buf.data()), std::streamsize(size));
  return bool(in);
}

bool checksumMatches(const std::vector<unsigned char>& data, std::uint16_t method,
                     std::uint32_t size, std::uint32_t crc) {
  if (method == METHOD_STORED)
    return data.size() == size && crc32(0L, data.data(), uInt(data.size())) == crc;
  if (method != METHOD_DEFLATED) return false;

  z_stream zs{};
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(data.data());
  zs.avail_in = uInt(data.size());
  std::vector<unsigned char> out(64 * 1024);
  uLong sum = crc32(0L, Z_NULL, 0);
  std::uint64_t total = 0;
  int rc = Z_OK;
  while (rc == Z_OK) {
    zs.next_out = out.data();
    zs.avail_out = uInt(out.size());
    rc = inflate(&zs, Z_NO_FLUSH);
    const uInt produced = uInt(out.size()) - zs.avail_out;
    sum = crc32(sum, out.data(), produced);
    total += produced;
    if (rc == Z_BUF_ERROR && zs.avail_in == 0) break;
  }
  inflateEnd(&zs);
  return rc == Z_STREAM_END && total == size && sum == crc;
}

} // namespace

bool carries_saved_state(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff fileSize = in.tellg();
  if (!in || fileSize < END_SIZE) return false;

  // The engine writes no archive comment, so the end record closes the file.
  std::vector<unsigned char> end;
  const std::streamoff endPos = fileSize - END_SIZE;
  if (!readAt(in, endPos, end, std::size_t(END_SIZE)) || get32(&end[0]) != SIG_END)
    return false;
  const std::uint16_t entries = get16(&end[10]);
  const std::uint32_t dirSize = get32(&end[12]);
  const std::uint32_t dirOffset = get32(&end[16]);
  if (entries == 0 || std::streamoff(dirSize) + std::streamoff(dirOffset) > endPos) return false;
  // The archive's offsets count from its own start, which lies wherever
  // the executable in front of it ends.
  const std::streamoff base = endPos - dirSize - dirOffset;

  std::vector<unsigned char> dir;
  if (!readAt(in, base + dirOffset, dir, dirSize)) return false;
  std::size_t pos = 0;
  for (std::uint16_t i = 0; i < entries; ++i) {
    if (pos + DIRECTORY_ENTRY_SIZE > dir.size() || get32(&dir[pos]) != SIG_DIRECTORY)
      return false;
    const unsigned char* e = &dir[pos];
    const std::uint16_t method = get16(e + 10);
    const std::uint32_t crc = get32(e + 16);
    const std::uint32_t packed = get32(e + 20);
    const std::uint32_t size = get32(e + 24);
    const std::size_t variable = std::size_t(get16(e + 28)) + get16(e + 30) + get16(e + 32);
    const std::uint32_t local = get32(e + 42);
    if (packed > MAX_MEMBER_SIZE || size > MAX_MEMBER_SIZE) return false;
    pos += DIRECTORY_ENTRY_SIZE + variable;

    std::vector<unsigned char> header;
    if (std::streamoff(local) + std::streamoff(LOCAL_HEADER_SIZE) > endPos - base ||
        !readAt(in, base + local, header, LOCAL_HEADER_SIZE) || get32(&header[0]) != SIG_LOCAL)
      return false;
    const std::streamoff dataPos =
        base + local + std::streamoff(LOCAL_HEADER_SIZE) + get16(&header[26]) + get16(&header[28]);
    if (dataPos + std::streamoff(packed) > endPos) return false;
    std::vector<unsigned char> data;
    if (!readAt(in, dataPos, data, packed) || !checksumMatches(data, method, size, crc))
      return false;
  }
  return pos <= dir.size();
}

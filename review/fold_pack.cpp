#include "review/fold_pack.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace tarnwick {
namespace {

constexpr std::size_t kMinMatch = 4;
constexpr std::size_t kMaxOffset = 65535;
constexpr int kHashBits = 15;
constexpr int kTries = 32;
// The last bytes always travel as literals, as the block format wants.
constexpr std::size_t kTailLiterals = 5;

std::uint32_t Read32(const char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::uint32_t Hash(std::uint32_t v) {
  return (v * 2654435761u) >> (32 - kHashBits);
}

void PutLength(std::string& out, std::size_t length) {
  while (length >= 255) {
    out += static_cast<char>(255);
    length -= 255;
  }
  out += static_cast<char>(length);
}

void PutSequence(std::string& out, std::string_view literals, std::size_t offset,
                 std::size_t matchLength) {
  const std::size_t extraMatch = matchLength >= kMinMatch ? matchLength - kMinMatch : 0;
  const auto token =
      static_cast<unsigned>((std::min<std::size_t>(literals.size(), 15) << 4) |
                            (matchLength >= kMinMatch ? std::min<std::size_t>(extraMatch, 15) : 0));
  out += static_cast<char>(token);
  if (literals.size() >= 15) PutLength(out, literals.size() - 15);
  out.append(literals);
  if (matchLength < kMinMatch) return;
  out += static_cast<char>(offset & 0xFF);
  out += static_cast<char>(offset >> 8);
  if (extraMatch >= 15) PutLength(out, extraMatch - 15);
}

}  // namespace

std::string PackBlock(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() / 3 + 16);
  // head[h]: the latest position whose next four bytes hash to h; chain[i]:
  // the position before i with the same hash. Up to kTries of them are tried.
  std::vector<std::int64_t> head(std::size_t{1} << kHashBits, -1);
  std::vector<std::int64_t> chain(bytes.size(), -1);
  const char* data = bytes.data();
  const std::size_t end = bytes.size() > kTailLiterals ? bytes.size() - kTailLiterals : 0;
  const std::size_t limit = end > kMinMatch ? end - kMinMatch : 0;
  const auto insert = [&](std::size_t at) {
    const std::uint32_t h = Hash(Read32(data + at));
    chain[at] = head[h];
    head[h] = static_cast<std::int64_t>(at);
  };
  std::size_t anchor = 0;  // first byte not yet written
  std::size_t i = 0;
  while (i < limit) {
    std::size_t bestLength = 0, bestFrom = 0;
    std::int64_t candidate = head[Hash(Read32(data + i))];
    for (int tries = 0; candidate >= 0 && tries < kTries; ++tries) {
      const auto from = static_cast<std::size_t>(candidate);
      if (i - from > kMaxOffset) break;
      std::size_t length = 0;
      while (i + length < end && data[from + length] == data[i + length]) ++length;
      if (length > bestLength) {
        bestLength = length;
        bestFrom = from;
      }
      candidate = chain[from];
    }
    insert(i);
    if (bestLength < kMinMatch) {
      ++i;
      continue;
    }
    PutSequence(out, bytes.substr(anchor, i - anchor), i - bestFrom, bestLength);
    for (std::size_t k = i + 1; k < i + bestLength && k < limit; ++k) insert(k);
    i += bestLength;
    anchor = i;
  }
  PutSequence(out, bytes.substr(anchor), 0, 0);
  return out;
}

std::u16string Base64(std::string_view bytes) {
  static constexpr char16_t kAlphabet[] =
      u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::u16string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t v = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
                            static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1]))
                                << 8 |
                            static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  if (i < bytes.size()) {
    std::uint32_t v = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (i + 1 < bytes.size())
      v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : u'=';
    out += u'=';
  }
  return out;
}

}  // namespace tarnwick

// Which encoding a report's bytes are in. A Japanese report is code page 932,
// as Forms Builder writes it; an English one Windows-1252 (Western Windows)
// or UTF-8 (as editors and converters leave it). Automatic reading decides:
//   1. a UTF-8 byte-order mark: UTF-8; a UTF-16 one: UTF-16 in its byte
//      order (a report saved as "Unicode" on Windows, in either language);
//   2. else an English first object header ("Name"): UTF-8 when the whole
//      file is well-formed UTF-8 holding a byte above 0x7F, else Windows-1252;
//   3. else (a Japanese report, or one without a header): code page 932.
// A chosen encoding overrides the rule. Decoding never loses a byte: code
// page 932 as ever, Windows-1252 maps every byte, UTF-8 takes a byte that is
// no part of a UTF-8 character as Windows-1252, and UTF-16 keeps every unit.
//
//   if (auto encoding = EncodingOfHead(firstPiece, ReportTextEncoding::kAutomatic))
//     ...  // decided by the first piece: decode piece by piece
//   else
//     DecodeReportBytes(all, EncodingOfBytes(all, kAutomatic), text);
#pragma once

#include <optional>
#include <string_view>

#include "text/raw_buffer.h"

namespace tarnwick {

enum class ReportTextEncoding { kAutomatic, kCp932, kWindows1252, kUtf8, kUtf16Le, kUtf16Be };

// The encoding of a report whose first bytes are `head` (enough to hold its
// first object header), when they decide it; nothing when the whole file
// does (an English report without a byte-order mark, read automatically).
std::optional<ReportTextEncoding> EncodingOfHead(std::string_view head,
                                                 ReportTextEncoding requested);
// The encoding of the whole file `bytes` (never kAutomatic).
ReportTextEncoding EncodingOfBytes(std::string_view bytes, ReportTextEncoding requested);

// Decodes `bytes` in `encoding` (kAutomatic: the one EncodingOfBytes picks)
// into `text`, replacing what it held; a byte-order mark of the encoding
// decoded is dropped.
void DecodeReportBytes(std::string_view bytes, ReportTextEncoding encoding,
                       RawBuffer<char16_t>& text);

}  // namespace tarnwick

// Text crosses between the core (UTF-16 in std::u16string) and Qt (UTF-16 in
// QString) here and only here, unchanged code unit for code unit.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarnwick {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQString(const QString& text) { return text.toStdU16String(); }

}  // namespace tarnwick

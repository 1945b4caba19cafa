#include "ui/text_bridge.h"

#include <QList>
#include <algorithm>

#include "platform/cp1250.h"

namespace qm {

QString FromCp1250(std::string_view bytes) {
  // Most cells are plain ASCII (numbers, times); they need no table.
  if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const std::u32string wide = DecodeCp1250(bytes);
  return QString::fromUcs4(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string ToCp1250(const QString& text) {
  const QList<uint> codes = text.toUcs4();
  std::u32string wide(codes.begin(), codes.end());
  return EncodeCp1250(wide);
}

}  // namespace qm

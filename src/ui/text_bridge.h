#pragma once
// The screen edge of the text model: text is UTF-8 inside and QString only on screen.

#include <QString>
#include <string>
#include <string_view>

namespace qm {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToUtf8(const QString& text) { return text.toStdString(); }
// Paths are the platform's own names (UTF-8 here).
inline std::string ToPath(const QString& path) { return path.toStdString(); }
inline QString FromPath(const std::string& path) { return QString::fromStdString(path); }

}  // namespace qm

#pragma once
// The screen edge of Windows-1250: document text is bytes inside and QString only on screen.

#include <QString>
#include <string>
#include <string_view>

namespace qm {

QString FromCp1250(std::string_view bytes);
// Characters outside the code page become "?".
std::string ToCp1250(const QString& text);
// Paths are the platform's own (UTF-8) names, not document text.
inline std::string ToPath(const QString& path) { return path.toStdString(); }
inline QString FromPath(const std::string& path) { return QString::fromStdString(path); }

}  // namespace qm

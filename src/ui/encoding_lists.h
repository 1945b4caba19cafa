#pragma once
// The lists a user picks a text encoding from, shared by the main window and the batch window.

#include <QString>
#include <optional>

#include "platform/text_encoding.h"

class QComboBox;

namespace qm {

// "Auto" first, then the encodings opening can decode with.
void FillOpenEncodingList(QComboBox& box);
// nullopt for "Auto": each file's encoding is then found from the file.
std::optional<TextEncoding> OpenEncodingOf(const QComboBox& box);

// `asSource` ("as the file") first, then the encodings saving can write.
void FillSaveEncodingList(QComboBox& box, const QString& asSource);
void SetAsSourceText(QComboBox& box, const QString& asSource);
// nullopt for the first item: each document keeps its own encoding.
std::optional<TextEncoding> SaveEncodingOf(const QComboBox& box);

}  // namespace qm

// The encoding lists: which encoding opening decodes with and which one saving writes.

#include "ui/encoding_lists.h"

#include <QComboBox>

#include "batch/konverze_form.h"
#include "formats/subtitle_source.h"
#include "formats/subtitles_save.h"
#include "ui/quillmark_unit.h"

namespace qm {

void FillOpenEncodingList(QComboBox& box) {
  for (const std::string& item : OpenEncodingItems()) box.addItem(FromUtf8(item));
  box.setCurrentIndex(0);
}

std::optional<TextEncoding> OpenEncodingOf(const QComboBox& box) {
  return ParseReadEncodingName(ToUtf8(box.currentText()));
}

void FillSaveEncodingList(QComboBox& box, const QString& asSource) {
  box.addItem(asSource);
  for (const std::string& item : SaveEncodingItems()) box.addItem(FromUtf8(item));
  box.setCurrentIndex(0);
}

void SetAsSourceText(QComboBox& box, const QString& asSource) { box.setItemText(0, asSource); }

std::optional<TextEncoding> SaveEncodingOf(const QComboBox& box) {
  if (box.currentIndex() <= 0) return std::nullopt;
  return ParseEncodingName(ToUtf8(box.currentText()));
}

// --- The main window's two lists ---------------------------------------------------------

void TForm1::BuildEncodingLists() {
  FillOpenEncodingList(*ComboBoxKodovaniNacist);
  FillSaveEncodingList(*ComboBoxKodovaniUlozit, FromUtf8(m_texts.EncodingAsSource));
}

void TForm1::ApplyEncodingTexts() {
  SetAsSourceText(*ComboBoxKodovaniUlozit, FromUtf8(m_texts.EncodingAsSource));
  if (m_formKonverze) m_formKonverze->SetAsSourceText(FromUtf8(m_texts.EncodingAsSource));
}

std::optional<TextEncoding> TForm1::ChosenOpenEncoding() const {
  return OpenEncodingOf(*ComboBoxKodovaniNacist);
}

TextEncoding TForm1::ChosenSaveEncoding() const {
  return SaveEncodingOf(*ComboBoxKodovaniUlozit).value_or(DefaultSaveEncoding(m_document));
}

void TForm1::ShowEncodingError(const EncodingError& error) {
  ShowError(FromUtf8(EncodingErrorText(m_texts.ErrorCantEncode, error)));
}

}  // namespace qm

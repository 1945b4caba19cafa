// Changes that are not saved: the window title's mark and the question asked before the
// document is set aside. The undo history is the one judge of what changed.

#include "ui/quillmark_unit.h"

namespace qm {
namespace {

constexpr const char* kProgramTitle = "Quillmark v0.91";

}  // namespace

bool TForm1::IsModified() { return m_history->IsModified(); }

void TForm1::UpdateWindowTitle() {
  if (m_titleFileName.isEmpty()) {
    setWindowTitle(kProgramTitle);
    return;
  }
  const QString mark = m_history->IsModified() ? "*" : "";
  setWindowTitle(m_titleFileName + mark + QString::fromUtf8(" – ") + kProgramTitle);
}

bool TForm1::QueryUnsavedChanges() {
  if (!IsModified()) return true;
  const UnsavedChangesQuestion question{
      FromUtf8(m_texts.QuestionUlozitZmeny), FromUtf8(m_texts.ButtonUlozitZmeny),
      FromUtf8(m_texts.ButtonZahoditZmeny), FromUtf8(m_texts.ButtonZrusitZmeny)};
  switch (m_dialogs.UnsavedChanges(this, question)) {
    case UnsavedChangesAnswer::Save:
      return SaveDocument();  // a cancelled or failed save keeps everything as it was
    case UnsavedChangesAnswer::Discard:
      return true;
    case UnsavedChangesAnswer::Cancel:
      break;
  }
  return false;
}

}  // namespace qm

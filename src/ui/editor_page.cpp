// The editor page: one subtitle loaded from the grid, typed, then added, inserted, changed
// or removed; the grid's clicks and keys that lead there.

#include <QLabel>

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::ConnectEditorPage() {}

void TForm1::SetNewSubtitleFlag(bool isNew) {
  m_newSubtitleFlag = isNew;
  if (isNew) LabelTitleNum->setText(FromCp1250(m_texts.LabelTitleNumNovyTitulek));
}

void TForm1::UpdateMaxLines() {}

}  // namespace qm

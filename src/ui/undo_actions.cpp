// Undo and redo of the document's changes, over the core's history of document states.

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::BeginWholeDocumentChange() {}

}  // namespace qm

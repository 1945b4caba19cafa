// The text tools page: replace and clean-up, blank subtitles, accents and line wrapping.

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::ConnectTextPage() {}

}  // namespace qm

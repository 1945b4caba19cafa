// The options page: run counter, switches, tips, shortcuts and file-type registration.

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::ConnectOptionsPage() {}

}  // namespace qm

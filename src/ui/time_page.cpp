// The time tools page: shift, speed change and show/hide times from each other.

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::ConnectTimePage() {}

}  // namespace qm

// The format samples page: the source file or a sample of each format.

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::ConnectSamplesPage() {}

}  // namespace qm

// The statistics page: the check after every load and its counters.

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::ConnectStatisticsPage() {}

}  // namespace qm

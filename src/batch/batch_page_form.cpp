// The batch page of the main window: the list of files to convert and the button that opens
// the batch window.

#include "ui/quillmark_unit.h"

namespace qm {

void TForm1::ConnectBatchPage() {}

QString TForm1::BatchDestinationFolder() const { return m_batchDestination; }

void TForm1::SetBatchDestinationFolder(const QString& folder) { m_batchDestination = folder; }

}  // namespace qm

#include "batch/konverze_form.h"

#include "ui/quillmark_unit.h"

namespace qm {

TFormKonverze::TFormKonverze(TForm1& mainWindow) : QDialog(nullptr), m_mainWindow(mainWindow) {
  setObjectName("TFormKonverze");
  setWindowTitle("Dávková konverze...");
}

}  // namespace qm

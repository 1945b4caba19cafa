#include "batch/select_dir_form.h"

#include "ui/quillmark_unit.h"

namespace qm {

TFormSelectDir::TFormSelectDir(TForm1& mainWindow) : QDialog(nullptr), m_mainWindow(mainWindow) {
  setObjectName("TFormSelectDir");
  setWindowTitle("Vyhledat adresář...");
}

}  // namespace qm

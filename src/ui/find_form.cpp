#include "ui/find_form.h"

#include "ui/quillmark_unit.h"

namespace qm {

TFormFind::TFormFind(TForm1& mainWindow) : QDialog(nullptr), m_mainWindow(mainWindow) {
  setObjectName("TFormFind");
  setWindowTitle("Najít");
}

}  // namespace qm

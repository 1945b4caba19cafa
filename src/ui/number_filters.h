#pragma once
// Number fields filter what is typed: decimal fields take digits and one decimal comma (a
// typed "." becomes ","), and a field that becomes empty is refilled with its default.

#include <QObject>
#include <QString>
#include <optional>

class QLineEdit;

namespace qm {

// The character that a decimal field takes for one typed character, or nothing.
std::optional<QChar> FilterDecimalChar(QChar typed, const QString& currentText);

// How a decimal field repairs its text after a change: empty becomes emptyDefault with all
// of it selected, a lone "," becomes "0," with the caret at its end.
struct FieldRepair {
  QString Text;
  bool SelectAll = false;
};
std::optional<FieldRepair> RepairDecimalText(const QString& text, const QString& emptyDefault);
void ApplyRepair(QLineEdit& edit, const FieldRepair& repair);

// Installed on a QLineEdit (or a combo box's line edit): applies FilterDecimalChar to every
// typed printable character. Control keys (Backspace, Delete, shortcuts) pass untouched.
class DecimalKeyFilter final : public QObject {
 public:
  explicit DecimalKeyFilter(QLineEdit* edit);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* m_edit;
};

}  // namespace qm

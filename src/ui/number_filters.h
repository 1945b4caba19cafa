#pragma once
// Number fields filter what is typed: decimal fields take digits and one decimal comma (a
// typed "." becomes ","), whole-number fields digits only, and a field that becomes empty is
// refilled with its default.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;

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

// What a field lets through of the printable characters typed into it. Control keys
// (Delete, arrows, Enter, shortcuts such as Ctrl+V) always pass.
enum class TypedKeys {
  Decimal,  // digits and one ","; a typed "." becomes ","
  Digits,   // digits only; Backspace is refused as well (Delete still deletes)
};

// Filters the keys that arrive at `receiver` for the text of `edit`. The receiver is the line
// edit itself or the editable combo box owning it: a focused combo box gets the keys and hands
// them on to its line edit directly, past any filter installed on the line edit.
class FieldKeyFilter final : public QObject {
 public:
  FieldKeyFilter(QWidget* receiver, QLineEdit* edit, TypedKeys keys, int maxTyped);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* m_edit;
  TypedKeys m_keys;
  int m_maxTyped;  // characters that typing may reach; texts written by the program may be longer
};

void FilterTypedKeys(QLineEdit& edit, TypedKeys keys, int maxTyped = 32767);
// Filters at the combo box, where a user's keys arrive, and at its line edit.
void FilterTypedKeys(QComboBox& box, TypedKeys keys);

// Runs `action` after every key released in `field`.
void OnKeyRelease(QWidget& field, std::function<void()> action);

// An editable frame-rate box: the five rates, "23,976", at most 12 characters. Neither Enter
// nor typing adds to the list or completes from it: a completion would put a comma into the
// text before the user typed one.
void SetUpRateBox(QComboBox& box);

}  // namespace qm

#include "ui/number_filters.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace qm {
namespace {

bool IsPlainDigit(QChar c) { return c.isDigit() && c.unicode() < 0x80; }

class KeyReleaseHook final : public QObject {
 public:
  KeyReleaseHook(QWidget& field, std::function<void()> action)
      : QObject(&field), m_action(std::move(action)) {
    field.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease) m_action();
    return false;
  }

 private:
  std::function<void()> m_action;
};

}  // namespace

std::optional<QChar> FilterDecimalChar(QChar typed, const QString& currentText) {
  if (IsPlainDigit(typed)) return typed;
  if (typed == u'.' || typed == u',') {
    if (currentText.contains(u',')) return std::nullopt;
    return QChar(u',');
  }
  return std::nullopt;
}

std::optional<FieldRepair> RepairDecimalText(const QString& text, const QString& emptyDefault) {
  if (text.isEmpty()) return FieldRepair{emptyDefault, true};
  if (text == QStringLiteral(",")) return FieldRepair{QStringLiteral("0,"), false};
  return std::nullopt;
}

void ApplyRepair(QLineEdit& edit, const FieldRepair& repair) {
  edit.setText(repair.Text);
  if (repair.SelectAll)
    edit.selectAll();
  else
    edit.setCursorPosition(static_cast<int>(repair.Text.size()));
}

FieldKeyFilter::FieldKeyFilter(QWidget* receiver, QLineEdit* edit, TypedKeys keys, int maxTyped)
    : QObject(receiver), m_edit(edit), m_keys(keys), m_maxTyped(maxTyped) {
  receiver->installEventFilter(this);
}

bool FieldKeyFilter::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Backspace) return m_keys == TypedKeys::Digits;
  const QString text = key->text();
  if (text.size() != 1 || !text[0].isPrint()) return false;  // arrows, Delete, Enter, Ctrl+...
  const qsizetype kept = m_edit->text().size() - m_edit->selectedText().size();
  std::optional<QChar> accepted;
  if (kept < m_maxTyped)
    accepted = m_keys == TypedKeys::Decimal ? FilterDecimalChar(text[0], m_edit->text())
                                            : (IsPlainDigit(text[0]) ? std::optional(text[0]) : std::nullopt);
  if (accepted == text[0]) return false;
  if (accepted) m_edit->insert(QString(*accepted));
  return true;
}

void FilterTypedKeys(QLineEdit& edit, TypedKeys keys, int maxTyped) {
  new FieldKeyFilter(&edit, &edit, keys, maxTyped);
}

void FilterTypedKeys(QComboBox& box, TypedKeys keys) {
  QLineEdit* edit = box.lineEdit();
  new FieldKeyFilter(&box, edit, keys, edit->maxLength());
  new FieldKeyFilter(edit, edit, keys, edit->maxLength());
}

void OnKeyRelease(QWidget& field, std::function<void()> action) {
  new KeyReleaseHook(field, std::move(action));
}

void SetUpRateBox(QComboBox& box) {
  box.setEditable(true);
  box.setInsertPolicy(QComboBox::NoInsert);
  box.setCompleter(nullptr);
  box.addItems({"23,976", "24", "25", "29,97", "30"});
  box.lineEdit()->setMaxLength(12);
  box.setEditText("23,976");
}

}  // namespace qm

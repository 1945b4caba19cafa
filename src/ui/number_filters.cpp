#include "ui/number_filters.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace qm {

std::optional<QChar> FilterDecimalChar(QChar typed, const QString& currentText) {
  if (typed.isDigit() && typed.unicode() < 0x80) return typed;
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

DecimalKeyFilter::DecimalKeyFilter(QLineEdit* edit) : QObject(edit), m_edit(edit) {
  edit->installEventFilter(this);
}

bool DecimalKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_edit || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  if (text.size() != 1 || !text[0].isPrint()) return false;  // Backspace, arrows, Ctrl+...
  const std::optional<QChar> accepted = FilterDecimalChar(text[0], m_edit->text());
  if (accepted == text[0]) return false;
  if (accepted) m_edit->insert(QString(*accepted));
  return true;
}

}  // namespace qm

#pragma once
// A pair of small up and down arrow buttons standing beside a text field.

#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace qm {

class SpinButton final : public QWidget {
 public:
  explicit SpinButton(QWidget* parent)
      : QWidget(parent), Up(new QToolButton(this)), Down(new QToolButton(this)) {
    Up->setArrowType(Qt::UpArrow);
    Down->setArrowType(Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {Up, Down}) {
      button->setAutoRepeat(true);
      button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
      layout->addWidget(button);
    }
  }
  QToolButton* Up;
  QToolButton* Down;
};

}  // namespace qm

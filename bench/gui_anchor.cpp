// The floor for bench/gui_open.sh: the least a Qt program must do to show a SubRip file in a
// four-column grid. It reads the file, splits it into number, times and text, holds the
// cells in a QAbstractTableModel, shows a 736 x 622 window with a QTableView and quits after
// the grid's first paint.
//   gui_anchor FILE

#include <QAbstractTableModel>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>
#include <array>
#include <vector>

namespace {

class Cells final : public QAbstractTableModel {
 public:
  std::vector<std::array<QByteArray, 4>> rows;
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return QString::fromLatin1(rows[size_t(index.row())][size_t(index.column())]);
  }
};

// "1\r\n00:00:01,000 --> 00:00:02,000\r\ntext\r\nmore\r\n\r\n" blocks.
void ReadSubRip(const QByteArray& bytes, Cells& cells) {
  const QList<QByteArray> lines = bytes.split('\n');
  std::array<QByteArray, 4> row;
  int state = 0;
  for (QByteArray line : lines) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) {
      if (state == 2) cells.rows.push_back(row);
      state = 0;
      continue;
    }
    if (state == 0) {
      row = {line, {}, {}, {}};
      state = 1;
    } else if (state == 1) {
      row[1] = line.left(12);
      row[2] = line.mid(17, 12);
      state = 2;
    } else {
      row[3] += row[3].isEmpty() ? line : "|" + line;
    }
  }
  if (state == 2) cells.rows.push_back(row);
}

class QuitAfterPaint final : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QApplication::quit);
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) return 2;
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::ReadOnly)) return 1;
  Cells cells;
  ReadSubRip(file.readAll(), cells);

  QTableView view;
  view.setModel(&cells);
  view.verticalHeader()->hide();
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.verticalHeader()->setDefaultSectionSize(15);
  const int widths[] = {39, 80, 80, 522};
  for (int column = 0; column < 4; ++column) view.setColumnWidth(column, widths[column]);
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.resize(736, 622);
  QuitAfterPaint quit;
  view.viewport()->installEventFilter(&quit);
  view.show();
  return QApplication::exec();
}

#pragma once
// The grid Titulky: a snapshot of the four text cells of every row (Windows-1250 bytes,
// decoded only when a cell is shown) and the painter of the row colours.
//
// Row numbers here are the grid's own: row 0 is the header (the view's header in Qt), so
// grid row r is model row r - 1 and shows subtitle r. A grid has at least 2 rows.

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "document/subtitle_document.h"

namespace qm {

using GridRow = std::array<std::string, 4>;
inline constexpr int kGridColumns = 4;
inline constexpr std::array<int, kGridColumns> kGridColumnWidths = {39, 80, 80, 522};

// The grid shows at most this many characters of a subtitle's text, then "…": a very long
// text would otherwise be laid out whole for every paint. The editor field has it all.
inline constexpr int kGridTextCharacters = 1000;
// Bytes of the text the grid keeps: enough for kGridTextCharacters characters of any
// encoding (up to 4 bytes each), plus one to tell that there was more.
inline constexpr size_t kGridTextBytes = 4 * kGridTextCharacters + 1;
// The text cell as shown: at most kGridTextCharacters characters, "…" when cut.
QString GridTextShown(std::string_view keptBytes);

// The cells of grid row `row` for a record: number, show and hide time as frames
// (timeMode 0) or as clock texts 01:02:03,456 (timeMode 1), and the text with its "|"
// (its first kGridTextBytes bytes). Fails like SubtitleTimeText on a clock field out of range.
GridRow GridCells(const TSubtitle& record, int32_t row, uint8_t timeMode);

class SubtitleGridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SubtitleGridModel(QObject* parent = nullptr);

  int GridRowCount() const { return static_cast<int>(m_rows.size()) + 1; }
  // Below 2 counts as 2. New rows start empty.
  void SetGridRowCount(int count);
  // Stores without telling the view; NotifyRowsChanged tells it in one go.
  void SetRowSilently(int gridRow, GridRow cells);
  void NotifyRowsChanged(int firstGridRow, int lastGridRow);
  // Empties the cells of rows from..to that exist; nothing when to < from.
  void ClearGridRows(int fromRow, int toRow);
  std::string_view Cell(int column, int gridRow) const;
  void SetHeaderText(int column, const QString& text);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  // The four cells one after another in one allocation, with where the first three end:
  // a 20000-row snapshot then costs about a third less memory than four strings a row.
  struct PackedRow {
    std::string Bytes;
    std::array<uint32_t, kGridColumns - 1> Ends{};
  };
  static PackedRow Pack(const GridRow& cells);

  std::vector<PackedRow> m_rows;  // m_rows[r - 1] is grid row r
  std::array<QString, kGridColumns> m_header;
};

// How a data cell is painted (TitulkyDrawCell): the selected row, odd and even rows.
struct CellLook {
  QColor Background;
  QColor Text;
  bool Bold = false;
};
CellLook TitulkyCellLook(bool selected, int gridRow, int column);
inline const QColor kGridBackground{0xFF, 0xF9, 0xF0};

class SubtitleGridDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace qm

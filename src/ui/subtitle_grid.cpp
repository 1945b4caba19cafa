#include "ui/subtitle_grid.h"

#include <QPainter>

#include "document/subtitles_tool.h"
#include "ui/text_bridge.h"

namespace qm {

GridRow GridCells(const TSubtitle& record, int32_t row, uint8_t timeMode) {
  GridRow cells;
  cells[0] = std::to_string(row);
  if (timeMode == kModeFrames) {
    cells[1] = std::to_string(record.StartFrame);
    cells[2] = std::to_string(record.EndFrame);
  } else {
    cells[1] = SubtitleTimeText(record, kShowTime, true, ',', true);
    cells[2] = SubtitleTimeText(record, kHideTime, true, ',', true);
  }
  cells[3] = record.Text.substr(0, kGridTextBytes);
  return cells;
}

QString GridTextShown(std::string_view keptBytes) {
  const bool cutBefore = keptBytes.size() >= kGridTextBytes;
  QString text = FromUtf8(keptBytes.substr(0, kGridTextBytes - 1));
  if (!cutBefore && text.size() <= kGridTextCharacters) return text;
  if (text.size() > kGridTextCharacters) {
    // Never half a character: a surrogate pair stays whole or goes.
    text.truncate(text.at(kGridTextCharacters - 1).isHighSurrogate() ? kGridTextCharacters - 1
                                                                     : kGridTextCharacters);
  }
  return text + QChar(0x2026);
}

SubtitleGridModel::SubtitleGridModel(QObject* parent) : QAbstractTableModel(parent), m_rows(1) {}

void SubtitleGridModel::SetGridRowCount(int count) {
  const int wanted = std::max(count, 2) - 1;
  const int have = static_cast<int>(m_rows.size());
  if (wanted > have) {
    beginInsertRows(QModelIndex(), have, wanted - 1);
    m_rows.resize(static_cast<size_t>(wanted));
    endInsertRows();
  } else if (wanted < have) {
    beginRemoveRows(QModelIndex(), wanted, have - 1);
    m_rows.resize(static_cast<size_t>(wanted));
    m_rows.shrink_to_fit();
    endRemoveRows();
  }
}

SubtitleGridModel::PackedRow SubtitleGridModel::Pack(const GridRow& cells) {
  PackedRow row;
  row.Bytes.reserve(cells[0].size() + cells[1].size() + cells[2].size() + cells[3].size());
  for (size_t column = 0; column < cells.size(); ++column) {
    row.Bytes += cells[column];
    if (column < row.Ends.size()) row.Ends[column] = static_cast<uint32_t>(row.Bytes.size());
  }
  return row;
}

void SubtitleGridModel::SetRowSilently(int gridRow, GridRow cells) {
  m_rows.at(static_cast<size_t>(gridRow - 1)) = Pack(cells);
}

void SubtitleGridModel::NotifyRowsChanged(int firstGridRow, int lastGridRow) {
  const int last = std::min(lastGridRow, GridRowCount() - 1);
  const int first = std::max(firstGridRow, 1);
  if (last < first) return;
  emit dataChanged(index(first - 1, 0), index(last - 1, kGridColumns - 1), {Qt::DisplayRole});
}

void SubtitleGridModel::ClearGridRows(int fromRow, int toRow) {
  const int first = std::max(fromRow, 1);
  const int last = std::min(toRow, GridRowCount() - 1);
  for (int row = first; row <= last; ++row) m_rows[static_cast<size_t>(row - 1)] = PackedRow{};
  NotifyRowsChanged(first, last);
}

std::string_view SubtitleGridModel::Cell(int column, int gridRow) const {
  const PackedRow& row = m_rows.at(static_cast<size_t>(gridRow - 1));
  const size_t begin = column == 0 ? 0 : row.Ends.at(static_cast<size_t>(column - 1));
  const size_t end = column == kGridColumns - 1 ? row.Bytes.size() : row.Ends.at(static_cast<size_t>(column));
  return std::string_view(row.Bytes).substr(begin, end - begin);
}

void SubtitleGridModel::SetHeaderText(int column, const QString& text) {
  m_header.at(static_cast<size_t>(column)) = text;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

int SubtitleGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SubtitleGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kGridColumns;
}

QVariant SubtitleGridModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  if (role != Qt::DisplayRole) return {};
  const std::string_view cell = Cell(index.column(), index.row() + 1);
  return index.column() == kGridColumns - 1 ? GridTextShown(cell) : FromUtf8(cell);
}

QVariant SubtitleGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= kGridColumns) return {};
  return m_header[static_cast<size_t>(section)];
}

CellLook TitulkyCellLook(bool selected, int gridRow, int column) {
  static const QColor kMaroon{0x80, 0x00, 0x00}, kNavy{0x00, 0x00, 0x80};
  if (selected) {
    static const QColor kTexts[kGridColumns] = {Qt::black, QColor(0xFF, 0x00, 0x00), QColor(0xFF, 0x00, 0x00),
                                                QColor(0x00, 0x00, 0x71)};
    return {QColor(0xCD, 0xE8, 0xFE), kTexts[column], column == 3};
  }
  const QColor background = gridRow % 2 == 1 ? QColor(0xFF, 0xF8, 0xDB) : kGridBackground;
  const QColor texts[kGridColumns] = {kMaroon, kNavy, kNavy, Qt::black};
  return {background, texts[column], false};
}

void SubtitleGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  // TitulkyDrawCell: fill, then the text 2 pixels in from the top-left corner, clipped.
  const CellLook look =
      TitulkyCellLook(option.state & QStyle::State_Selected, index.row() + 1, index.column());
  painter->save();
  painter->setClipRect(option.rect);
  painter->fillRect(option.rect, look.Background);
  QFont font = option.font;
  font.setBold(look.Bold);
  painter->setFont(font);
  painter->setPen(look.Text);
  painter->drawText(option.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
}

}  // namespace qm

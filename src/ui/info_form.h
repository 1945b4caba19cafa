#pragma once
// The About window: program name, version, a short history and how to reach the author.

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace qm {

inline constexpr const char* kAuthorMail = "autori@quillmark.example";
inline constexpr const char* kProductSite = "https://quillmark.example/";

class TFormInfo final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormInfo(QWidget* parent);
  // The version history from the language file: one "version|date|text" a line.
  void SetHistory(const std::vector<std::string>& lines);

  QLabel* ImageLogo;
  QLabel* LabelProductName = nullptr;
  QLabel* LabelVersion;
  QLabel* LabelDescription;
  QLabel* LabelCopyright;
  QLabel* LabelLink;
  QTextBrowser* MemoHistory;
  QPushButton* ButtonOK;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowTitleColour();
};

}  // namespace qm

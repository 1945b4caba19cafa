#include "ui/find_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextCursor>

#include "document/editor_rules.h"
#include "ui/quillmark_unit.h"

namespace qm {
namespace {

template <class W>
W* Named(W* widget, const char* name, QRect geometry) {
  widget->setObjectName(name);
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

TFormFind::TFormFind(TForm1& mainWindow) : QDialog(nullptr), m_mainWindow(mainWindow) {
  setObjectName("TFormFind");
  setWindowTitle("Najít");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(false);
  setAttribute(Qt::WA_QuitOnClose, false);  // an open find window never keeps the program running
  setFont(mainWindow.font());
  setFixedSize(338, 132);

  LabelNajitText = Named(new QLabel("Najít text:", this), "LabelNajitText", QRect(8, 12, 64, 16));
  EditFindText = Named(new QLineEdit(this), "EditFindText", QRect(76, 9, 164, 21));
  ButtonNajit = Named(new QPushButton("&Najít další", this), "ButtonNajit", QRect(250, 8, 80, 25));
  ButtonNajit->setEnabled(false);
  ButtonNajit->setDefault(true);
  ButtonZrusit = Named(new QPushButton("Zrušit", this), "ButtonZrusit", QRect(250, 40, 80, 25));
  RadioGroupSmer = Named(new QGroupBox("Směr", this), "RadioGroupSmer", QRect(8, 40, 232, 44));
  RadioGroupSmerNahoru =
      Named(new QRadioButton("Na&horu", RadioGroupSmer), "RadioGroupSmerNahoru", QRect(10, 18, 100, 18));
  RadioGroupSmerDolu =
      Named(new QRadioButton("&Dolů", RadioGroupSmer), "RadioGroupSmerDolu", QRect(120, 18, 100, 18));
  RadioGroupSmerDolu->setChecked(true);
  CheckBoxCase =
      Named(new QCheckBox("&Rozlišovat malá a velká písmena", this), "CheckBoxCase", QRect(8, 96, 320, 18));

  connect(EditFindText, &QLineEdit::textChanged, this,
          [this](const QString& text) { ButtonNajit->setEnabled(!text.isEmpty()); });
  connect(ButtonNajit, &QPushButton::clicked, this,
          [this] { m_mainWindow.Guarded([this] { ButtonNajitClick(); }); });
  connect(ButtonZrusit, &QPushButton::clicked, this, &QWidget::close);
}

void TFormFind::ShowBeside(const QWidget& mainWindow) {
  const QRect main = mainWindow.frameGeometry();
  const QScreen* screen = mainWindow.screen();
  const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  QPoint at(main.right() + 8, main.top() + 40);
  if (at.x() + width() > room.right()) at.setX(std::max(room.left(), main.right() - width() - 16));
  move(at);
  show();
  raise();
  activateWindow();
}

void TFormFind::ButtonNajitClick() {
  SubtitleDocument& doc = m_mainWindow.Document();
  const bool caseSensitive = CheckBoxCase->isChecked();
  const std::string needle = ToUtf8(EditFindText->text());
  std::optional<FoundSubtitle> hit;
  {
    BusyWindow busy(m_mainWindow);
    ButtonNajit->setEnabled(false);
    EditFindText->setReadOnly(true);
    struct Release {
      TFormFind& form;
      ~Release() {
        form.EditFindText->setReadOnly(false);
        form.ButtonNajit->setEnabled(!form.EditFindText->text().isEmpty());
      }
    } release{*this};
    if (doc.SubtitleCount <= 0) return;
    const SearchDirection direction =
        RadioGroupSmerNahoru->isChecked() ? SearchDirection::Up : SearchDirection::Down;
    hit = FindSubtitleText(doc, m_mainWindow.CurrentRow(), needle, caseSensitive, direction);
    if (!hit) {
      m_mainWindow.DialogsLayer().Message(this, FromUtf8(m_mainWindow.Texts().InformationNothingFound),
                                          MessageIcon::Information, MessageButtons::Ok);
      return;
    }
    m_mainWindow.SetCurrentRow(hit->Row);
    m_mainWindow.TitulkyDblClick();
  }
  SelectFoundText(needle, doc.SubtitleTable[hit->Row].Text, caseSensitive);
}

void TFormFind::SelectFoundText(const std::string& needle, std::string_view haystack, bool caseSensitive) {
  m_mainWindow.setEnabled(true);
  QPlainTextEdit* memo = m_mainWindow.MemoAktual;
  memo->setFocus();
  const std::optional<TextSelection> selection = EditorSelectionOfHit(needle, haystack, caseSensitive);
  if (!selection) return;
  // The selection counts characters; the editor counts one beyond U+FFFF as two.
  const QString shown = memo->toPlainText();
  const auto position = [&shown](int characters) {
    int at = 0;
    for (int c = 0; c < characters && at < shown.size(); ++c) at += shown.at(at).isHighSurrogate() ? 2 : 1;
    return at;
  };
  QTextCursor cursor = memo->textCursor();
  cursor.setPosition(position(selection->Start));
  cursor.setPosition(position(selection->Start + selection->Length), QTextCursor::KeepAnchor);
  memo->setTextCursor(cursor);
}

void TFormFind::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {  // FormKeyDown
    close();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFormFind::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  FormHide();
}

void TFormFind::FormHide() {
  for (QWidget* control :
       {static_cast<QWidget*>(m_mainWindow.GroupBoxEditace), static_cast<QWidget*>(m_mainWindow.ButtonNacist),
        m_mainWindow.TabSheetUpravyCasu, m_mainWindow.TabSheetUpravyTitulku})
    control->setEnabled(true);
}

}  // namespace qm

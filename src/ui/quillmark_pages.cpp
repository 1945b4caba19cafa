// The main window's controls and where they stand. Positions are fixed, as in the
// product's form; only the grid, the file caption and the status panels follow the size.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

#include "ui/app_icon.h"
#include "ui/event_hook.h"
#include "ui/number_filters.h"
#include "ui/quillmark_unit.h"
#include "ui/spin_button.h"
#include "ui/subtitle_grid.h"

namespace qm {
namespace {

template <class W>
W* Create(W*& member, QWidget* parent, const char* name, QRect geometry) {
  member = new W(parent);
  member->setObjectName(name);
  if (geometry.isValid()) member->setGeometry(geometry);
  return member;
}
#define QM_CREATE(member, parent, x, y, w, h) Create(member, parent, #member, QRect(x, y, w, h))

template <class W>
W* Captioned(W* widget, const QString& text) {
  widget->setText(text);
  return widget;
}

QLineEdit* LimitedEdit(QLineEdit* edit, const QString& text, int maxLength) {
  edit->setMaxLength(maxLength);
  edit->setText(text);
  return edit;
}

// A value panel: a sunken box with its number in the middle.
QLabel* ValuePanel(QLabel* label, const QString& text) {
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  label->setText(text);
  return label;
}

QSpinBox* UnboundedSpin(QSpinBox* spin) {
  // No lower or upper bound; six characters are typed at most.
  spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  spin->setValue(0);
  spin->findChild<QLineEdit*>()->setMaxLength(6);
  return spin;
}

void FillRateBox(QComboBox* box) { SetUpRateBox(*box); }

QLabel* PlainLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  return label;
}

// Colours through the palette: a style sheet would restyle every child and slow the grid.
// A fixed background always comes with its text colour, so that a dark desktop's light text
// never lands on it.
void SetColours(QWidget* widget, QPalette::ColorRole backgroundRole, const QColor& background,
                QPalette::ColorRole textRole, const QColor& text) {
  QPalette palette = widget->palette();
  palette.setColor(backgroundRole, background);
  palette.setColor(textRole, text);
  widget->setPalette(palette);
}
// The light paper of the grid and the text views, with black text.
void SetPaper(QWidget* widget, const QColor& paper = kGridBackground) {
  SetColours(widget, QPalette::Base, paper, QPalette::Text, Qt::black);
}

}  // namespace

void TForm1::BuildWindow() {
  setObjectName("TForm1");
  setWindowTitle("Quillmark v0.91");
  setWindowIcon(QuillmarkIcon());
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);

  auto* central = new QWidget(this);
  central->setObjectName("ClientArea");
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(central);

  QM_CREATE(PanelTop, central, 0, 0, 736, 33);
  PanelTop->setFixedHeight(33);
  PanelTop->setFrameStyle(QFrame::Panel | QFrame::Raised);
  BuildTopPanel();
  column->addWidget(PanelTop);

  BuildGrid();
  column->addWidget(Titulky, 1);

  QM_CREATE(PanelTools, central, 0, 0, 736, 237);
  PanelTools->setFixedHeight(237);
  auto* tools = new QHBoxLayout(PanelTools);
  tools->setContentsMargins(0, 0, 0, 0);
  tools->setSpacing(0);
  BuildPages();
  tools->addWidget(PageControl, 1);
  BuildMenuPanel();
  tools->addWidget(PanelMenu);
  column->addWidget(PanelTools);

  BuildStatusBar();
}

void TForm1::BuildTopPanel() {
  QM_CREATE(ListBoxDragAndDrop, PanelTop, 2, 2, 76, 29);
  ListBoxDragAndDrop->addItem("drag'n'drop");
  ListBoxDragAndDrop->setAcceptDrops(true);
  ListBoxDragAndDrop->viewport()->setAcceptDrops(true);
  SetHint(*ListBoxDragAndDrop, "drag file from explorer and drop it here to open subtitles");
  ListBoxDragAndDrop->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListBoxDragAndDrop->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  Captioned(QM_CREATE(LabelNahled, PanelTop, 84, 9, 100, 16), "Náhled na titulky:");
  QM_CREATE(ComboBoxSubPreview, PanelTop, 184, 6, 80, 21);
  ComboBoxSubPreview->addItems({"snímkový", "časový"});
  Captioned(QM_CREATE(LabelFormat, PanelTop, 268, 9, 40, 16), "formát");
  QM_CREATE(ButtonSubPreviewFont, PanelTop, 310, 5, 24, 23);
  ButtonSubPreviewFont->setText("A");
  ButtonSubPreviewFont->setAutoRaise(true);
  QM_CREATE(GaugeWriteSub, PanelTop, 340, 10, 100, 14);
  GaugeWriteSub->setTextVisible(false);
  GaugeWriteSub->hide();
  Captioned(QM_CREATE(StaticTextSubtitlesFile, PanelTop, 446, 9, 150, 16), "Soubor s titulky");
  StaticTextSubtitlesFile->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Captioned(QM_CREATE(LabelPocetTitulku, PanelTop, 602, 9, 76, 16), "Počet titulků");
  LabelPocetTitulku->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ValuePanel(QM_CREATE(PanelTitulkyMax, PanelTop, 682, 6, 50, 21), "0");
}

void TForm1::BuildGrid() {
  m_gridModel = new SubtitleGridModel(this);
  Titulky = new QTableView(this);
  Titulky->setObjectName("Titulky");
  Titulky->setModel(m_gridModel);
  Titulky->setItemDelegate(new SubtitleGridDelegate(Titulky));
  Titulky->setSelectionBehavior(QAbstractItemView::SelectRows);
  Titulky->setSelectionMode(QAbstractItemView::SingleSelection);
  Titulky->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Only when the user widens the other columns past the window does a scroll bar appear.
  Titulky->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Titulky->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Titulky->setWordWrap(false);
  Titulky->setShowGrid(true);
  SetPaper(Titulky);
  Titulky->verticalHeader()->hide();
  Titulky->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  Titulky->verticalHeader()->setMinimumSectionSize(1);
  Titulky->verticalHeader()->setDefaultSectionSize(15);
  Titulky->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  Titulky->horizontalHeader()->setHighlightSections(false);
  Titulky->horizontalHeader()->setMinimumSectionSize(1);
  Titulky->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Titulky->horizontalHeader()->setStretchLastSection(false);
  for (int column = 0; column < kGridColumns; ++column)
    Titulky->setColumnWidth(column, kGridColumnWidths[static_cast<size_t>(column)]);
  // Times like 00:00:03,137 fit the 80-pixel columns in a 10-pixel face. (A condensed
  // face would do too, but looking one up costs more start-up time than the whole grid.)
  QFont gridFont = font();
  gridFont.setPixelSize(10);
  Titulky->setFont(gridFont);
  Titulky->setAcceptDrops(true);
  Titulky->viewport()->setAcceptDrops(true);
  Titulky->setDragDropMode(QAbstractItemView::DropOnly);
  new EventHook(Titulky->viewport(), [this](QEvent& event) {
    if (event.type() == QEvent::Resize) FitTextColumn();
    return false;
  });
  connect(Titulky->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
    if (column < 3) FitTextColumn();
  });
  // Like the product's grid, there is always a current row, the first one to begin with.
  Titulky->setCurrentIndex(m_gridModel->index(0, 0));
}

void TForm1::BuildPages() {
  PageControl = new QTabWidget(PanelTools);
  PageControl->setObjectName("PageControl");
  PageControl->setUsesScrollButtons(true);
  // All eight captions fit beside the menu panel only with narrow tabs.
  PageControl->tabBar()->setStyleSheet("QTabBar::tab { padding: 3px 3px; }");
  const struct {
    QWidget*& page;
    const char* name;
    const char* caption;
  } pages[] = {
      {TabSheetUpravyCasu, "TabSheetUpravyCasu", "Úpravy časů"},
      {TabSheetUpravyTitulku, "TabSheetUpravyTitulku", "Úpravy titulků"},
      {TabSheetEditace, "TabSheetEditace", "Editace"},
      {TabSheetStatistika, "TabSheetStatistika", "Statistika"},
      {TabSheetUkazkyFormatu, "TabSheetUkazkyFormatu", "Ukázky formátů"},
      {TabSheetDavkovaKonverze, "TabSheetDavkovaKonverze", "Dávková konverze"},
      {TabSheetMoznosti, "TabSheetMoznosti", "Možnosti"},
      {TabSheetRozdelovani, "TabSheetRozdelovani", "Rozdělování"},
  };
  for (const auto& page : pages) {
    page.page = new QWidget;
    page.page->setObjectName(page.name);
    PageControl->addTab(page.page, page.caption);
  }
  BuildTimePage();
  BuildTextToolsPage();
  BuildEditorPage();
  BuildStatisticsPage();
  BuildSamplesPage();
  BuildBatchPage();
  BuildOptionsPage();
  LabelRozdelovani =
      PlainLabel(TabSheetRozdelovani, "LabelRozdelovani",
                 "tato funkce zatím chybí - this function isnt copleted yet", QRect(8, 8, 560, 16));
  PageControl->setCurrentIndex(0);
}

void TForm1::BuildTimePage() {
  QWidget* page = TabSheetUpravyCasu;
  QM_CREATE(GroupBoxPosuvCasu, page, 4, 2, 290, 110)->setTitle("Posuv časů");
  QGroupBox* shift = GroupBoxPosuvCasu;
  Captioned(QM_CREATE(LabelPosunout, shift, 8, 24, 80, 16), "Posunout +/-");
  UnboundedSpin(QM_CREATE(SpinEditPosuv, shift, 90, 21, 70, 21));
  // Typing stops at 7 characters (ConnectTimePage); the arrows may write longer texts.
  QM_CREATE(EditPosuv, shift, 90, 21, 56, 21)->setText("0,000");
  EditPosuv->hide();
  QM_CREATE(SpinButtonPosuv, shift, 146, 21, 14, 21)->hide();
  Captioned(QM_CREATE(LabelVyberPosuvu, shift, 166, 24, 30, 16), "sn.");
  Captioned(QM_CREATE(CheckBoxShow, shift, 200, 16, 86, 18), "zobrazení")->setChecked(true);
  Captioned(QM_CREATE(CheckBoxHide, shift, 200, 34, 86, 18), "zmizení")->setChecked(true);
  Captioned(QM_CREATE(CheckBoxPosuvOdDo, shift, 8, 58, 144, 18), "u těchto titulků");
  LimitedEdit(QM_CREATE(EditPosuvOd, shift, 154, 57, 46, 21), "Min", 5)->setEnabled(false);
  Captioned(QM_CREATE(LabelAz, shift, 204, 60, 18, 16), "až");
  LimitedEdit(QM_CREATE(EditPosuvDo, shift, 224, 57, 46, 21), "Max", 5)->setEnabled(false);
  Captioned(QM_CREATE(ButtonPosuvCasu, shift, 200, 82, 80, 23), "OK");

  QM_CREATE(GroupBoxNastavitCasy, page, 4, 116, 290, 86)->setTitle("Nastavit časy...");
  Captioned(QM_CREATE(ButtonSchovDleZobraz, GroupBoxNastavitCasy, 8, 22, 274, 24),
            "schování podle zobrazení");
  Captioned(QM_CREATE(ButtonZobrazDleSchov, GroupBoxNastavitCasy, 8, 52, 274, 24),
            "zobrazení podle schování");

  QM_CREATE(GroupBoxZmenaRychlosti, page, 300, 2, 287, 200)->setTitle("Změna rychlosti");
  QGroupBox* speed = GroupBoxZmenaRychlosti;
  Captioned(QM_CREATE(LabelZmenaRychlosti, speed, 8, 24, 270, 16), "Titulky zůstanou beze změny");
  FillRateBox(QM_CREATE(ComboBoxSnimky1, speed, 8, 48, 80, 22));
  Captioned(QM_CREATE(Label10, speed, 94, 51, 40, 16), "---->");
  FillRateBox(QM_CREATE(ComboBoxSnimky2, speed, 136, 48, 80, 22));
  Captioned(QM_CREATE(Label1, speed, 8, 84, 12, 16), "=");
  Captioned(QM_CREATE(LabelCasoveMeritko, speed, 22, 84, 104, 16), "Časové měřítko");
  QM_CREATE(EditTimeScale, speed, 128, 81, 150, 21)->setText("1");  // 20 typed characters at most
  Captioned(QM_CREATE(ButtonZmenaRychlosti, speed, 198, 112, 80, 23), "OK");
}

void TForm1::BuildTextToolsPage() {
  QWidget* page = TabSheetUpravyTitulku;
  QM_CREATE(GroupBoxZmeny, page, 4, 2, 300, 200)->setTitle("Změny");
  QGroupBox* changes = GroupBoxZmeny;
  Captioned(QM_CREATE(CheckBoxRepairHiding, changes, 8, 20, 284, 18), "Opravit překrývání titulků")
      ->setChecked(true);
  Captioned(QM_CREATE(CheckBoxDeleteLastEmptyChars, changes, 8, 40, 284, 18), "Odstranit bílé znaky na konci")
      ->setChecked(true);
  Captioned(QM_CREATE(LabelNahraditString, changes, 8, 68, 284, 16), "Nahradit řetězec za jiný");
  QM_CREATE(EditString1, changes, 8, 86, 138, 21);
  QM_CREATE(EditString2, changes, 154, 86, 138, 21);
  Captioned(QM_CREATE(ButtonProvest, changes, 212, 170, 80, 23), "OK")->setEnabled(false);

  Captioned(QM_CREATE(ButtonDeleteEmpty, page, 312, 8, 275, 24), "Odstranit prázdné titulky");
  Captioned(QM_CREATE(ButtonKonvertToCestina, page, 312, 38, 275, 24), "Odstranit akcenty (cestina)");
  Captioned(QM_CREATE(CheckBoxKonvertOnlyBadAccents, page, 316, 64, 271, 18),
            "jen špatně zobrazitelné v jiném kódování")
      ->setChecked(true);
  QM_CREATE(GroupBoxZalamovaniRadku, page, 312, 90, 275, 112)->setTitle("Zalamování řádků");
  Captioned(QM_CREATE(LabelMaxCharsOnLine, GroupBoxZalamovaniRadku, 8, 24, 259, 16),
            "Maximální počet znaků na řádek");
  QM_CREATE(EditMaxCharsOnLine, GroupBoxZalamovaniRadku, 8, 44, 50, 21)->setText("55");
  Captioned(QM_CREATE(ButtonZalomeniRadek, GroupBoxZalamovaniRadku, 187, 80, 80, 23), "OK");
}

void TForm1::BuildEditorPage() {
  QWidget* page = TabSheetEditace;
  Captioned(QM_CREATE(LabelTitulek, page, 4, 4, 48, 16), "Titulek:");
  QM_CREATE(LabelTitleNum, page, 54, 4, 120, 16);
  QFont bold = LabelTitleNum->font();
  bold.setBold(true);
  LabelTitleNum->setFont(bold);
  Captioned(QM_CREATE(LabelRadku, page, 180, 4, 44, 16), "řádků:");
  QM_CREATE(LabelLines, page, 226, 4, 40, 16);
  QM_CREATE(ButtonClear, page, 322, 1, 22, 20)->setText("×");
  ButtonClear->setAutoRaise(true);
  QM_CREATE(MemoAktual, page, 4, 22, 340, 110);
  MemoAktual->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoAktual->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SetPaper(MemoAktual);
  QM_CREATE(StatusBarMemo, page, 4, 132, 340, 19);
  StatusBarMemo->setSizeGripEnabled(false);
  const int memoPanelWidths[] = {250, 40, 50};
  const char* memoPanelTexts[] = {"", "1 : 1", "vkládání"};
  for (int i = 0; i < 3; ++i) {
    m_statusMemoPanels[i] = new QLabel(memoPanelTexts[i], StatusBarMemo);
    m_statusMemoPanels[i]->setObjectName(QString("StatusBarMemoPanel%1").arg(i));
    m_statusMemoPanels[i]->setMinimumWidth(memoPanelWidths[i] - 10);
    StatusBarMemo->addWidget(m_statusMemoPanels[i], i == 2 ? 1 : 0);
  }

  Captioned(QM_CREATE(LabelZobrazeni, page, 4, 156, 100, 16), "zobrazení");
  Captioned(QM_CREATE(LabelZmizeni, page, 146, 156, 100, 16), "zmizení");
  Captioned(QM_CREATE(LabelTrvani, page, 260, 156, 84, 16), "trvání");

  QM_CREATE(PanelSubFormat0, page, 4, 172, 280, 25);
  UnboundedSpin(QM_CREATE(SpinEditStart, PanelSubFormat0, 0, 2, 84, 21));
  PlainLabel(PanelSubFormat0, "LabelSipka0", "--->", QRect(100, 5, 30, 16));
  UnboundedSpin(QM_CREATE(SpinEditKonec, PanelSubFormat0, 142, 2, 84, 21));

  QM_CREATE(PanelSubFormat1, page, 4, 172, 280, 25)->hide();
  QLineEdit** clockFields[] = {&EditHH1, &EditMM1, &EditSS1, &EditSSS1,
                               &EditHH2, &EditMM2, &EditSS2, &EditSSS2};
  const char* clockNames[] = {"EditHH1", "EditMM1", "EditSS1", "EditSSS1",
                              "EditHH2", "EditMM2", "EditSS2", "EditSSS2"};
  const int clockX[] = {0, 24, 48, 78, 142, 166, 190, 220};
  for (int i = 0; i < 8; ++i) {
    const bool millis = i % 4 == 3;
    Create(*clockFields[i], PanelSubFormat1, clockNames[i], QRect(clockX[i], 2, millis ? 32 : 22, 21));
    LimitedEdit(*clockFields[i], millis ? "000" : "0", millis ? 3 : 2);
  }
  PlainLabel(PanelSubFormat1, "LabelCarka1", ",", QRect(72, 5, 6, 16));
  PlainLabel(PanelSubFormat1, "LabelSipka1", "--->", QRect(112, 5, 28, 16));
  PlainLabel(PanelSubFormat1, "LabelCarka2", ",", QRect(214, 5, 6, 16));
  QM_CREATE(EditDiference, page, 260, 174, 84, 21)->setReadOnly(true);
  EditDiference->setFocusPolicy(Qt::NoFocus);

  QM_CREATE(GroupBoxEditace, page, 352, 2, 235, 200)->setTitle("Editace titulků");
  QGroupBox* edit = GroupBoxEditace;
  Captioned(QM_CREATE(ButtonPridat, edit, 8, 22, 106, 25), "&Přidat");
  Captioned(QM_CREATE(ButtonVlozit, edit, 121, 22, 106, 25), "&Vložit");
  Captioned(QM_CREATE(ButtonZmenit, edit, 8, 54, 106, 25), "&Změnit")->setEnabled(false);
  Captioned(QM_CREATE(ButtonOdebrat, edit, 121, 54, 106, 25), "&Odebrat")->setEnabled(false);
  QM_CREATE(CheckBoxSmazat, edit, 8, 95, 16, 18)->setFocusPolicy(Qt::NoFocus);
  Captioned(QM_CREATE(ButtonSmazat, edit, 28, 92, 199, 25), "&Smazat vše")->setEnabled(false);
  Captioned(QM_CREATE(ButtonNajit, edit, 8, 160, 219, 25), "&Najít");
}

void TForm1::BuildStatisticsPage() {
  QWidget* page = TabSheetStatistika;
  Captioned(QM_CREATE(Label6, page, 4, 8, 150, 16), "Počet titulků");
  ValuePanel(QM_CREATE(Panel1, page, 160, 6, 60, 20), "0");
  Captioned(QM_CREATE(Label7, page, 4, 32, 150, 16), "Počet prázdných titulků");
  ValuePanel(QM_CREATE(Panel2, page, 160, 30, 60, 20), "0");
  Captioned(QM_CREATE(Lab7, page, 4, 56, 150, 16), "Nejvíce řádků");
  ValuePanel(QM_CREATE(PanelLinesMax, page, 160, 54, 60, 20), "0");
  Captioned(QM_CREATE(Label4, page, 4, 86, 270, 16), "Upozornit na délku zobrazení titulku větší než");
  Captioned(QM_CREATE(Label5, page, 4, 106, 270, 16), "Upozornit na délku zobrazení titulku menší než");
  Captioned(QM_CREATE(Label8, page, 4, 126, 270, 16), "Upozornit na titulky s počtem řádků větším");
  // The report's limits: seconds with a decimal comma, and a number of lines.
  LimitedEdit(QM_CREATE(EditStatistikaMaxDelka, page, 276, 84, 40, 19), "7", 6);
  LimitedEdit(QM_CREATE(EditStatistikaMinDelka, page, 276, 104, 40, 19), "1", 6);
  LimitedEdit(QM_CREATE(EditStatistikaMaxRadku, page, 276, 124, 40, 19), "2", 3);
  Captioned(QM_CREATE(CheckBoxAutoStatistika, page, 4, 150, 250, 18), "zkontrolovat při načtení");
  CheckBoxAutoStatistika->setFocusPolicy(Qt::NoFocus);
  Captioned(QM_CREATE(ButtonStatistika, page, 4, 174, 110, 25), "Zkontrolovat");
  QM_CREATE(GaugeStatistika, page, 122, 179, 194, 15)->hide();
  GaugeStatistika->setTextVisible(false);
  SetPaper(GaugeStatistika);
  SetColours(GaugeStatistika, QPalette::Highlight, QColor(0x00, 0x40, 0x80), QPalette::HighlightedText,
             Qt::white);
  QM_CREATE(MemoStatistika, page, 322, 6, 265, 194)->setReadOnly(true);
  SetPaper(MemoStatistika);
}

void TForm1::BuildSamplesPage() {
  QWidget* page = TabSheetUkazkyFormatu;
  Captioned(QM_CREATE(LabelVstupniFormat, page, 4, 6, 180, 16), "Vstupní formát");
  QM_CREATE(EditZdrojFormat, page, 4, 24, 180, 21)->setReadOnly(true);
  EditZdrojFormat->setText("---------------");
  QM_CREATE(RadioButtonZdroj, page, 4, 56, 18, 18)->setEnabled(false);
  Captioned(QM_CREATE(LabelUkazatZdroj, page, 24, 57, 160, 16), "Ukázat zdrojový soubor");
  QM_CREATE(RadioButtonFormat, page, 4, 82, 18, 18)->setChecked(true);
  Captioned(QM_CREATE(LabelVyberteFormat, page, 24, 83, 160, 16), "Vyberte formát");
  QM_CREATE(ComboBoxFormat, page, 4, 104, 180, 22)->setMaxVisibleItems(10);
  QM_CREATE(RichEditUkazkyFormatu, page, 192, 4, 395, 198)->setReadOnly(true);
  RichEditUkazkyFormatu->setLineWrapMode(QPlainTextEdit::NoWrap);
  SetPaper(RichEditUkazkyFormatu, QColor(0xE4, 0xE4, 0xE4));
}

void TForm1::BuildBatchPage() {
  QWidget* page = TabSheetDavkovaKonverze;
  QM_CREATE(ListBoxBatch, page, 4, 4, 440, 198)->setSelectionMode(QAbstractItemView::MultiSelection);
  Captioned(QM_CREATE(ButtonBatchPridat, page, 452, 4, 135, 25), "Přidat...");
  Captioned(QM_CREATE(ButtonBatchOdebrat, page, 452, 34, 135, 25), "Odebrat");
  Captioned(QM_CREATE(ButtonBatchSmazat, page, 452, 64, 135, 25), "Smazat vše");
  Captioned(QM_CREATE(ButtonBatchKonvertovat, page, 452, 172, 135, 30), ">>>");
  // Files and folders dropped from the desktop are added to the list.
  ListBoxBatch->setAcceptDrops(true);
  ListBoxBatch->viewport()->setAcceptDrops(true);
}

void TForm1::BuildOptionsPage() {
  QWidget* page = TabSheetMoznosti;
  Captioned(QM_CREATE(LabelTipy, page, 4, 4, 200, 16), "Tipy:");
  QM_CREATE(MemoTipy, page, 4, 20, 290, 112)->setReadOnly(true);
  Captioned(QM_CREATE(ButtonRegisterExt, page, 4, 142, 170, 25), "Registrovat přípony");
  Captioned(QM_CREATE(LabelKlavesoveZkratky, page, 300, 4, 200, 16), "Klávesové zkratky:");
  QM_CREATE(MemoKlavZkratky, page, 300, 20, 287, 62)->setReadOnly(true);
  MemoKlavZkratky->setPlainText("F2 - Uložit titulky\nF3 - Načíst titulky\nF5 - Snímkový/časový formát");
  Captioned(QM_CREATE(CheckBoxEditByOneClick, page, 300, 90, 287, 18), "Editovat titulky jedním klikem")
      ->setChecked(true);
  Captioned(QM_CREATE(CheckBoxAlwaysOnTop, page, 300, 110, 287, 18), "Vždy navrchu");
  Captioned(QM_CREATE(CheckBoxAskToClose, page, 300, 130, 287, 18), "Dotázat se před ukončením");
  Captioned(QM_CREATE(LabelSpusteniProgramu, page, 300, 160, 150, 16), "Spuštění programu");
  Captioned(QM_CREATE(LabelExecution, page, 456, 160, 80, 16), "0");
}

void TForm1::BuildMenuPanel() {
  QM_CREATE(PanelMenu, PanelTools, 0, 0, 137, 237);
  PanelMenu->setFixedWidth(137);
  // The encoding lists stand beside the open button and the output format list they serve.
  QM_CREATE(ComboBoxKodovaniNacist, PanelMenu, 4, 1, 129, 21)->setMaxVisibleItems(16);
  Captioned(QM_CREATE(ButtonNacist, PanelMenu, 4, 24, 112, 27), "N&ačíst titulky...");
  QM_CREATE(ButtonNedavneSoubory, PanelMenu, 117, 24, 16, 27)->setArrowType(Qt::DownArrow);
  Captioned(QM_CREATE(ButtonUlozit, PanelMenu, 4, 55, 129, 27), "&Uložit titulky");
  QM_CREATE(ComboBoxSave, PanelMenu, 4, 86, 129, 22)->setMaxVisibleItems(13);
  QM_CREATE(ComboBoxKodovaniUlozit, PanelMenu, 4, 111, 129, 22)->setMaxVisibleItems(16);
  QM_CREATE(ButtonHelp, PanelMenu, 4, 138, 36, 30)->setIcon(QuillmarkIcon());
  ButtonHelp->setIconSize(QSize(22, 22));
  Captioned(QM_CREATE(ButtonKonec, PanelMenu, 44, 138, 89, 30), "&Konec");
  QM_CREATE(ComboBoxLanguage, PanelMenu, 4, 174, 98, 22);
  QM_CREATE(ImageLanguage, PanelMenu, 106, 174, 27, 22);
  QM_CREATE(ButtonMail, PanelMenu, 4, 180, 24, 20)->setText("@");
  ButtonMail->hide();
  Captioned(QM_CREATE(LabelCopyright, PanelMenu, 4, 208, 14, 20), "©");
  Captioned(QM_CREATE(LabelAutor, PanelMenu, 20, 208, 113, 20), "Tým Quillmark");
  LabelAutor->setAlignment(Qt::AlignCenter);
  LabelAutor->setAutoFillBackground(true);
  SetColours(LabelAutor, QPalette::Window, QColor(0x00, 0x1E, 0x5A), QPalette::WindowText,
             QColor(0x8F, 0xD3, 0xFF));
  QFont authorFont = LabelAutor->font();
  authorFont.setBold(true);
  LabelAutor->setFont(authorFont);
  LabelAutor->setCursor(Qt::PointingHandCursor);
  BuildEncodingLists();
}

void TForm1::BuildStatusBar() {
  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName("StatusBar");
  StatusBar->setSizeGripEnabled(false);
  for (int i = 0; i < 2; ++i) {
    m_statusPanels[i] = new QLabel(StatusBar);
    m_statusPanels[i]->setObjectName(QString("StatusBarPanel%1").arg(i));
    m_statusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  }
  // The panels follow the window (FormResize); they must never push it wider.
  for (QLabel* panel : m_statusPanels) {
    panel->setMinimumWidth(1);
    panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  }
  StatusBar->addWidget(m_statusPanels[0], 1000);
  StatusBar->addWidget(m_statusPanels[1], 1);
  setStatusBar(StatusBar);
}

}  // namespace qm

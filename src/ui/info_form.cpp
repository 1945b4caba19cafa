#include "ui/info_form.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/app_icon.h"
#include "ui/text_bridge.h"
#include "ui/window_placement.h"

namespace qm {
namespace {

constexpr const char* kHistory =
    "<p><b>0.91</b> &nbsp;10.08.2005<br>"
    "Soubory lze otevřít přetažením na seznam titulků. Dávková konverze celého seznamu "
    "souborů do jednoho formátu. Ukázky všech formátů. Opraveno ukládání časů přes půlnoc.</p>"
    "<p><b>0.90</b> &nbsp;02.05.2005<br>"
    "Formáty DVD Architect, DVD Studio Pro a Sony Vegas (16bitový text). Zalamování "
    "dlouhých řádků, odstranění akcentů, hledání v titulcích.</p>"
    "<p><b>0.80</b> &nbsp;14.12.2004<br>"
    "Změna rychlosti a převod mezi snímkovou frekvencí, posuv části titulků, oprava "
    "překrývajících se titulků. Jazykové soubory.</p>"
    "<p><b>0.70</b> &nbsp;20.06.2004<br>"
    "První veřejná verze: MicroDVD, SubRip, SubViewer a Sub Station Alpha, editace "
    "jednotlivých titulků.</p>";

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

TFormInfo::TFormInfo(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("TFormInfo");
  setWindowTitle("Info");
  setModal(true);

  ImageLogo = NamedLabel("ImageLogo", QString(), this);
  ImageLogo->setPixmap(QuillmarkPixmap(64));
  ImageLogo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  LabelProductName = NamedLabel("LabelProductName", "Quillmark", this);
  QFont big = LabelProductName->font();
  big.setPointSizeF(big.pointSizeF() * 1.9);
  big.setBold(true);
  LabelProductName->setFont(big);
  ShowTitleColour();
  LabelVersion = NamedLabel("LabelVersion", "verze 0.91  (10.08.2005)", this);
  LabelDescription =
      NamedLabel("LabelDescription",
                 "Editor a převodník titulků k filmům: jedenáct formátů, automatické rozpoznání "
                 "formátu, časy ve snímcích i v hodinách, posuv, změna rychlosti a úpravy textu.",
                 this);
  LabelDescription->setWordWrap(true);
  LabelCopyright = NamedLabel("LabelCopyright", "© 2004–2005 tým Quillmark. Program je zdarma.", this);
  LabelLink = NamedLabel("LabelLink",
                         QString("<a href=\"%1\">%1</a> &nbsp;·&nbsp; <a href=\"mailto:%2\">%2</a>")
                             .arg(kProductSite, kAuthorMail),
                         this);
  LabelLink->setTextFormat(Qt::RichText);
  LabelLink->setOpenExternalLinks(true);
  LabelLink->setTextInteractionFlags(Qt::TextBrowserInteraction);

  auto* historyCaption = NamedLabel("LabelHistory", "<b>Historie verzí</b>", this);
  MemoHistory = new QTextBrowser(this);
  MemoHistory->setObjectName("MemoHistory");
  MemoHistory->setHtml(kHistory);
  QPalette paper = MemoHistory->palette();
  paper.setColor(QPalette::Base, QColor(0xFF, 0xF9, 0xF0));
  paper.setColor(QPalette::Text, Qt::black);
  MemoHistory->setPalette(paper);
  MemoHistory->setMinimumHeight(150);

  ButtonOK = new QPushButton("OK", this);
  ButtonOK->setObjectName("ButtonOK");
  ButtonOK->setDefault(true);
  connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* heading = new QVBoxLayout;
  heading->setSpacing(2);
  heading->addWidget(LabelProductName);
  heading->addWidget(LabelVersion);
  heading->addSpacing(6);
  heading->addWidget(LabelDescription);
  heading->addSpacing(4);
  heading->addWidget(LabelCopyright);
  heading->addWidget(LabelLink);

  auto* top = new QHBoxLayout;
  top->addWidget(ImageLogo);
  top->addSpacing(10);
  top->addLayout(heading, 1);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOK);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(line);
  layout->addWidget(historyCaption);
  layout->addWidget(MemoHistory, 1);
  layout->addLayout(buttons);
  setWindowIcon(QuillmarkIcon());
  resize(440, 400);
}

void TFormInfo::SetHistory(const std::vector<std::string>& lines) {
  QString html;
  for (const std::string& line : lines) {
    const QStringList parts = FromUtf8(line).split('|');
    // A line without its three parts is shown as it is, so a translator sees what is wrong.
    if (parts.size() < 3) {
      html += "<p>" + FromUtf8(line).toHtmlEscaped() + "</p>";
      continue;
    }
    html +=
        QString("<p><b>%1</b> &nbsp;%2<br>%3</p>")
            .arg(parts[0].toHtmlEscaped(), parts[1].toHtmlEscaped(), parts.mid(2).join('|').toHtmlEscaped());
  }
  MemoHistory->setHtml(html);
}

void TFormInfo::ShowTitleColour() {
  // The product's dark blue on a light window, its light blue on a dark one.
  const bool darkWindow = palette().color(QPalette::Window).lightness() < 128;
  QPalette title = LabelProductName->palette();
  title.setColor(QPalette::WindowText, darkWindow ? QColor(0x8F, 0xD3, 0xFF) : QColor(0x00, 0x1E, 0x5A));
  LabelProductName->setPalette(title);
}

void TFormInfo::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && LabelProductName) ShowTitleColour();
}

void TFormInfo::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(*this);
}

}  // namespace qm

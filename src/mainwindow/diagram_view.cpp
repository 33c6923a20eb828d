#include "mainwindow/diagram_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "diagrams/diagram_texts.h"
#include "mainwindow/diagram_painter.h"

namespace {

// Label size on the screen, in points; the margin around the drawing in pixels.
constexpr double kScreenLabelPoints = 9.0;
constexpr int kMargin = 12;

}  // namespace

DiagramView::DiagramView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("diagramView"));
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(palette);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

DiagramView::~DiagramView() = default;

void DiagramView::SetDiagram(std::optional<PlanDiagram> diagram, const QString& note) {
  diagram_ = std::move(diagram);
  note_ = note;
  laidOutWidth_ = -1;
  if (isVisible()) LayOut();
  verticalScrollBar()->setValue(0);
  viewport()->update();
}

void DiagramView::LayOut() {
  const int width = viewport()->width() - 2 * kMargin;
  if (width == laidOutWidth_) return;
  laidOutWidth_ = width;
  if (!painter_) painter_ = std::make_unique<DiagramPainter>(*viewport(), kScreenLabelPoints);
  layout_ = diagram_ ? LayOutDiagram(*diagram_, std::max(width, 1), painter_->Metrics())
                     : DiagramLayout{};
  const int height = static_cast<int>(std::ceil(layout_.height)) + 2 * kMargin;
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(0, height - viewport()->height()));
  bar->setPageStep(viewport()->height());
  bar->setSingleStep(static_cast<int>(std::ceil(painter_->Metrics().lineHeight * 3)));
}

// A view out of sight (another tab) is laid out when it is first shown.
void DiagramView::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  LayOut();
}

void DiagramView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (!isVisible()) return;
  LayOut();
  const int height = static_cast<int>(std::ceil(layout_.height)) + 2 * kMargin;
  verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
  verticalScrollBar()->setPageStep(viewport()->height());
}

void DiagramView::scrollContentsBy(int, int) { viewport()->update(); }

void DiagramView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setClipRect(event->rect());
  if (!diagram_ || diagram_->bars.empty()) {
    painter.setPen(Qt::black);
    painter.setFont(DiagramFont(kScreenLabelPoints, false));
    const QString text = diagram_ ? QString::fromLatin1(diagram_texts::kNoBars) : note_;
    painter.drawText(viewport()->rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return;
  }
  const double scrolled = verticalScrollBar()->value() - kMargin;
  const double bottom = scrolled + event->rect().bottom() + 1;
  for (std::size_t i = FirstBlockBelow(layout_, scrolled + event->rect().top());
       i < layout_.blocks.size() && layout_.blocks[i].top < bottom; ++i) {
    const DiagramBlock& block = layout_.blocks[i];
    painter_->PaintBlock(painter, *diagram_, layout_, block,
                         QPointF(kMargin, block.top - scrolled));
  }
}

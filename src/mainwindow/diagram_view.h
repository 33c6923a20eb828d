#pragma once

#include <QAbstractScrollArea>
#include <memory>
#include <optional>

#include "diagrams/diagram_layout.h"

class DiagramPainter;

// The cutting diagrams in a scrolling view: laid out for the view's width
// whenever it changes, and only the blocks in sight are painted, so a plan
// of a thousand bars scrolls as freely as a short one.
class DiagramView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit DiagramView(QWidget* parent);
  ~DiagramView() override;

  // The diagram to show, or nothing with a note in its place.
  void SetDiagram(std::optional<PlanDiagram> diagram, const QString& note);

  // The layout for the view's width; empty until the view was first shown.
  const DiagramLayout& Layout() const { return layout_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void LayOut();

  std::optional<PlanDiagram> diagram_;
  QString note_;
  std::unique_ptr<DiagramPainter> painter_;
  DiagramLayout layout_;
  int laidOutWidth_ = -1;
};

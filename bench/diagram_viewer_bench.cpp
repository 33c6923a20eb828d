// Times the report viewer on a plan's diagrams: from opening the window on
// the report (the diagrams read from the export file the run wrote) to the
// first painted Diagram tab, then every page of scrolling through it.
// Usage: diagram_viewer_bench REPORT.bxl EXPORT_CONFIGURED_PATH MATERIAL
// (the export read is the configured path's name + "_" + MATERIAL + ".txt").

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "app/batch_frontend.h"
#include "core/job_state.h"
#include "mainwindow/diagram_view.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/report_printing.h"
#include "mainwindow/report_viewer_window.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: diagram_viewer_bench REPORT.bxl EXPORT MATERIAL\n");
    return 1;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  JobState job;
  job.reportFileName = argv[1];
  job.export_filename = argv[2];
  job.matl = argv[3];
  BatchFrontend frontend(std::cerr);
  QtDialogs dialogs;
  ReportPrinting printing(job, frontend, dialogs);

  QElapsedTimer timer;
  timer.start();
  auto* viewer = new frmOutput(frontend, printing, nullptr);
  viewer->Load(job.reportFileName);
  viewer->show();
  viewer->findChild<QTabWidget*>()->setCurrentIndex(1);
  auto* view = viewer->findChild<DiagramView*>();
  // Painting into an image paints as the screen would; an offscreen window
  // is never exposed, so a repaint would paint nothing.
  view->viewport()->grab();
  const double openMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

  QScrollBar* bar = view->verticalScrollBar();
  double slowest = 0.0;
  double total = 0.0;
  int steps = 0;
  for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
    timer.restart();
    bar->setValue(value);
    view->viewport()->grab();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    slowest = std::max(slowest, ms);
    total += ms;
    ++steps;
  }
  std::printf(
      "Viewer: %zu drawn bars, opened on the Diagram tab in %.1f ms; %d pages scrolled, "
      "%.2f ms a page on average, %.2f ms the slowest\n",
      view->Layout().bars.size(), openMs, steps, steps > 0 ? total / steps : 0.0, slowest);
  delete viewer;
  return 0;
}

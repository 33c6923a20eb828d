#include "mainwindow/window_style.h"

#include <QPalette>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// Debian's metric-compatible stand-ins for the fonts the layout was made for.
constexpr const char* kFixedPitch = "Liberation Mono";
constexpr const char* kArial = "Liberation Sans";

QFont Font(const char* family, double points, bool bold = false,
           QFont::StyleHint hint = QFont::AnyStyle) {
  QFont font(QString::fromLatin1(family));
  font.setStyleHint(hint);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

QFont SystemSans(double points, bool bold = false) {
  return Font("Sans Serif", points, bold, QFont::SansSerif);
}

}  // namespace

QFont ListFont() { return Font(kFixedPitch, 9, false, QFont::Monospace); }
QFont EntryFont() { return Font(kArial, 9.75, true, QFont::SansSerif); }
QFont ControlFont() { return SystemSans(8.25); }
QFont CutButtonFont() { return SystemSans(12, true); }
QFont ExitButtonFont() { return SystemSans(12); }
QFont HelpButtonFont() { return Font(kArial, 9, true, QFont::SansSerif); }
QFont ReportFont() { return Font(kFixedPitch, 10, false, QFont::Monospace); }

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitMainWindowResources() { Q_INIT_RESOURCE(mainwindow); }

void InitWindowResources() { InitMainWindowResources(); }

void FitToScreen(QWidget* window, const QSize& designed) {
  QSize size = designed;
  if (const QScreen* screen = window->screen()) {
    // Room for the title bar and the frame the window manager adds.
    constexpr int kFrameAllowance = 40;
    const QRect free = screen->availableGeometry();
    size =
        size.boundedTo(QSize(free.width() - kFrameAllowance / 4, free.height() - kFrameAllowance))
            .expandedTo(window->minimumSizeHint());
    window->move(free.x() + std::max(0, (free.width() - size.width()) / 2),
                 free.y() + std::max(0, (free.height() - kFrameAllowance - size.height()) / 2));
  }
  window->resize(size.expandedTo(window->minimumSizeHint()));
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
}

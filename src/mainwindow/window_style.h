#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

// Layout units, fonts and colours shared by the program's windows. The
// layouts are given in twips, 15 to a logical pixel; Qt's own high-DPI
// scaling does the rest.

inline constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline QRect Twips(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

inline const QColor kLightGreen{192, 255, 192};
inline const QColor kYellow{255, 255, 0};
inline const QColor kLightGrey{224, 224, 224};

// Fixed pitch, 9 points: the list lines and the status bar (Courier New).
QFont ListFont();
// Bold 9.75 points: the entry fields and the material box (Arial).
QFont EntryFont();
// The system's sans-serif at 8.25 points: buttons, labels, frames.
QFont ControlFont();
QFont CutButtonFont();
QFont ExitButtonFont();
// Bold 9 points: the "?" buttons (Arial).
QFont HelpButtonFont();
// Fixed pitch, 10 points: the report viewer and the printed report.
QFont ReportFont();

// Registers the icons and pictures built into the library; a static library's
// resources are not registered on their own. Safe to call more than once.
void InitWindowResources();

// Gives a resizable window its designed size, or as much of it as the
// screen's free area holds (never less than its layout's minimum), and keeps
// it on that screen.
void FitToScreen(QWidget* window, const QSize& designed);

// The colour behind a text box or list.
void SetBackground(QWidget* widget, const QColor& colour);

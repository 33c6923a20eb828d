#pragma once

#include <QFocusEvent>
#include <QListWidget>

class QAction;
class QObject;

// A menu item named for the tests and the window's code.
QAction* NewAction(QObject* parent, const char* name, const char* text);
// A toolbar button, identified by its key.
QAction* NewToolButton(QObject* parent, const char* key, const char* toolTip, const char* icon);

// The selected line of a list box, or -1. The current line does not count:
// a list that gets the focus makes its first line current without
// selecting it.
inline int SelectedRow(const QListWidget* list) {
  const QList<QListWidgetItem*> items = list->selectedItems();
  return items.isEmpty() ? -1 : list->row(items.front());
}

// Focus the user moved, as opposed to the window becoming active again or a
// popup closing; only that counts as a control getting the focus.
inline bool IsUserFocus(const QFocusEvent& event) {
  return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

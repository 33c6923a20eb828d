#pragma once

#include <QFocusEvent>
#include <QListWidget>

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

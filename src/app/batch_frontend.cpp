#include "app/batch_frontend.h"

#include <algorithm>

void BatchFrontend::ShowMessage(const std::string& title, const std::string& text, MessageIcon) {
  std::string line = title + ": " + text;
  std::replace(line.begin(), line.end(), '\r', '\n');
  errors_ << line << '\n' << std::flush;
}

Answer BatchFrontend::AskYesNo(const std::string& title, const std::string& text) {
  ShowMessage(title, text, MessageIcon::None);
  return Answer::No;
}

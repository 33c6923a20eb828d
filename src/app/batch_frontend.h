#pragma once

#include <ostream>

#include "core/frontend.h"

// The Frontend of a job run without windows: every message box goes to the
// error stream as "title: text" (carriage returns become line feeds), status
// texts and lists are not shown, questions are never asked (answered No) and
// nothing waits.
class BatchFrontend : public Frontend {
 public:
  explicit BatchFrontend(std::ostream& errors) : errors_(errors) {}

  void ShowStatus(const std::string&) override {}
  void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
  Answer AskYesNo(const std::string& title, const std::string& text) override;
  void RefreshStockList(int) override {}
  void RefreshCutList(int) override {}
  std::vector<std::string> MaterialEntries() const override { return materials_; }
  void SetMaterialEntries(const std::vector<std::string>& entries) override {
    materials_ = entries;
  }
  void ShowStockFileName(const std::string&) override {}
  void ShowCutFileName(const std::string&) override {}
  void MarkMaterialSaved() override {}
  void RunSaveAs() override {}
  void SetOptimizationLevel(int) override {}
  void ShowProgressWindow(bool) override {}
  void ShowProgress(float) override {}
  void ShowReport(const std::string&) override {}
  void PumpEvents() override {}
  void PauseWithEvents(int) override {}

 private:
  std::ostream& errors_;
  std::vector<std::string> materials_;
};

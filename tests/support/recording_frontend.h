#pragma once

#include <string>
#include <vector>

#include "core/frontend.h"

// A Frontend for engine tests: records what would have been shown and
// answers questions from a script.
class RecordingFrontend : public Frontend {
 public:
  struct Message {
    std::string title;
    std::string text;
    MessageIcon icon;
  };

  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) override {
    messages.push_back({title, text, icon});
  }
  Answer AskYesNo(const std::string& title, const std::string& text) override {
    questions.push_back({title, text, MessageIcon::None});
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void RefreshStockList(int selectIndex) override { stockRefreshes.push_back(selectIndex); }
  void RefreshCutList(int selectIndex) override { cutRefreshes.push_back(selectIndex); }
  std::vector<std::string> MaterialEntries() const override { return materials; }
  void SetMaterialEntries(const std::vector<std::string>& entries) override { materials = entries; }
  void ShowStockFileName(const std::string& path) override { stockFileName = path; }
  void ShowCutFileName(const std::string& path) override { cutFileName = path; }
  void MarkMaterialSaved() override { ++materialSavedMarks; }
  void RunSaveAs() override { ++saveAsRuns; }
  void SetOptimizationLevel(int level) override { optimizationLevel = level; }
  void ShowProgressWindow(bool visible) override { progressWindowVisible = visible; }
  void ShowProgress(float percent) override { progress.push_back(percent); }
  void ShowReport(const std::string& reportPath) override { shownReports.push_back(reportPath); }
  void PumpEvents() override { ++pumps; }
  void PauseWithEvents(int milliseconds) override { pauses.push_back(milliseconds); }

  std::string LastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }

  std::vector<std::string> statuses;
  std::vector<Message> messages;
  std::vector<Message> questions;
  std::vector<Answer> answers;  // scripted answers, first one first
  std::vector<int> stockRefreshes;
  std::vector<int> cutRefreshes;
  std::vector<std::string> materials;
  std::string stockFileName;
  std::string cutFileName;
  int materialSavedMarks = 0;
  int saveAsRuns = 0;
  int optimizationLevel = -1;
  bool progressWindowVisible = false;
  std::vector<float> progress;
  std::vector<std::string> shownReports;
  int pumps = 0;
  std::vector<int> pauses;
};

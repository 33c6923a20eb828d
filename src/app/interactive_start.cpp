#include "app/interactive_start.h"

#include <QApplication>

#include "app/settings_store.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "core/file_names.h"
#include "core/job_state.h"
#include "core/ui_texts.h"
#include "jobfiles/cut_file.h"
#include "jobfiles/stock_file.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/main_window.h"
#include "mainwindow/splash_window.h"

namespace {

constexpr const char* kAlreadyOpen = "Another instance of the Barlyne is already open.";
constexpr const char* kStartCaption = "BRX Standard Edition";

// Reads the current material's rows into the lists; the job counts as
// unchanged afterwards.
void ReadLastJob(JobState& job, frmMain& window) {
  job.batchMode = false;
  job.dataChanged = true;
  LoadMaterials(job, window);
  if (ReadStockFile(job, window)) window.RefreshStockList(0);
  if (ReadCutFile(job, window)) window.RefreshCutList(0);
  job.dataChanged = false;
}

// The window's load step runs once more at the end of start-up. It leaves the
// material and the cut file alone, so the job that was read is the job that
// later saves write.
void ReapplyLoadStep(JobState& job) {
  job.reportFileName = WithExtension(job.stock_filename, ".bxl");
  job.export_filename = ReadSetting("export_filename", "export.txt");
}

}  // namespace

int RunInteractive(int& argc, char** argv, const std::vector<std::string>& jobArguments) {
  QApplication app(argc, argv);
  QtDialogs dialogs;
  SingleInstance instance;
  if (!instance.TryAcquire()) {
    dialogs.Message(nullptr, QString::fromLatin1(texts::kProgramTitle),
                    QString::fromLatin1(kAlreadyOpen), MessageIcon::None);
    return 0;
  }

  JobState job;
  frmMain window(job, dialogs);
  instance.ListenForRaise([&window] {
    window.showNormal();
    window.raise();
    window.activateWindow();
  });
  LoadStartupSettings(job, window);
  window.setWindowTitle(QString::fromLatin1(kStartCaption));
  ApplyJobArguments(job, jobArguments);

  auto* splash = new frmSplash(&window);
  splash->show();
  ReadLastJob(job, window);
  ReapplyLoadStep(job);
  return app.exec();
}

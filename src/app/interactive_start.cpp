#include "app/interactive_start.h"

#include <QApplication>

#include "app/settings_store.h"
#include "app/single_instance.h"
#include "app/startup.h"
#include "core/job_state.h"
#include "core/ui_texts.h"
#include "jobfiles/open_job.h"
#include "mainwindow/dialogs.h"
#include "mainwindow/main_window.h"
#include "mainwindow/splash_window.h"

namespace {

constexpr const char* kAlreadyOpen = "Another instance of the Barlyne is already open.";
constexpr const char* kStartCaption = "BRX Standard Edition";

}  // namespace

std::unique_ptr<frmMain> StartInteractive(JobState& job, Dialogs& dialogs, SettingsAccess& settings,
                                          const std::vector<std::string>& jobArguments,
                                          const std::string& stockFile) {
  auto window = std::make_unique<frmMain>(job, dialogs, settings);
  LoadStartupSettings(job, *window);
  window->setWindowTitle(QString::fromLatin1(kStartCaption));
  ApplyJobArguments(job, jobArguments);

  auto* splash = new frmSplash(window.get());
  splash->show();
  job.batchMode = false;
  if (stockFile.empty() || !window->OpenJobFile(stockFile)) OpenJob(job, *window);
  // The load step's second run only names the report beside the stock file:
  // the material and the job files stay those of the job just opened, so the
  // job read is the job that later saves write.
  ApplyMainWindowLoadStep(job);
  return window;
}

void ListenForHandOver(SingleInstance& instance, frmMain& window) {
  instance.ListenForHandOver([&window](const std::string& path) {
    if (!path.empty()) {
      window.OpenHandedOverFile(path);
      return;
    }
    window.showNormal();
    window.raise();
    window.activateWindow();
  });
}

int RunInteractive(int& argc, char** argv, const std::vector<std::string>& jobArguments,
                   const std::string& stockFile) {
  QApplication app(argc, argv);
  QtDialogs dialogs;
  SingleInstance instance;
  if (!instance.TryAcquire()) {
    // A stock file goes to the running copy, which opens it; a name that is
    // not a regular file is said here, by the copy the user started.
    if (!stockFile.empty()) {
      if (const std::string problem = JobFileProblem(stockFile); !problem.empty()) {
        dialogs.Message(nullptr, QString::fromLatin1(texts::kProgramTitle),
                        QString::fromStdString(problem), MessageIcon::Exclamation);
        return 1;
      }
      if (instance.HandOver(stockFile)) return 0;
    }
    dialogs.Message(nullptr, QString::fromLatin1(texts::kProgramTitle),
                    QString::fromLatin1(kAlreadyOpen), MessageIcon::None);
    instance.HandOver({});
    return 0;
  }

  JobState job;
  UserSettingsStore settings;
  const std::unique_ptr<frmMain> window =
      StartInteractive(job, dialogs, settings, jobArguments, stockFile);
  ListenForHandOver(instance, *window);
  return app.exec();
}

#include "app/settings_store.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_names.h"
#include "core/frontend.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "core/ui_texts.h"
#include "optimizer/best_plan.h"

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kRestored = "SETTINGS RESTORED";
constexpr int kHighestLevel = 10;

QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

// $XDG_CONFIG_HOME/Brx/Brx.ini, or ~/.config/Brx/Brx.ini when it is unset;
// looked up at every use so that tests and scripts can point it elsewhere.
QString SettingsFilePath() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty()) base = QDir::homePath() + "/.config";
  return base + "/Brx/Brx.ini";
}

// The folder that holds the program's executable.
std::string ProgramFolder() {
  if (QCoreApplication::instance() != nullptr) {
    return FromQt(QCoreApplication::applicationDirPath());
  }
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.parent_path().string();
}

// The store's one section. Key names compare without regard to case: a read
// finds any case variant, a write replaces every variant. QSettings writes
// the file through a temporary file that replaces it when complete.
class SettingsSection {
 public:
  SettingsSection() : settings_(SettingsFilePath(), QSettings::IniFormat) {
    settings_.beginGroup(kSection);
  }

  std::string Read(const std::string& key, const std::string& fallback) {
    const QStringList variants = Variants(key);
    if (variants.isEmpty()) return fallback;
    const QVariant value = settings_.value(variants.first());
    // An unquoted comma makes Qt read a list; the text was the whole line.
    if (value.typeId() == QMetaType::QStringList) return FromQt(value.toStringList().join(','));
    return FromQt(value.toString());
  }

  void Write(const std::string& key, const std::string& value) {
    for (const QString& variant : Variants(key)) settings_.remove(variant);
    settings_.setValue(ToQt(key), ToQt(value));
  }

  void RemoveAll() { settings_.remove(QString()); }

 private:
  QStringList Variants(const std::string& key) const {
    const QString wanted = ToQt(key);
    QStringList variants = settings_.childKeys();
    variants.removeIf([&wanted](const QString& stored) {
      return stored.compare(wanted, Qt::CaseInsensitive) != 0;
    });
    return variants;
  }

  QSettings settings_;
};

struct StoredText {
  const char* key;
  std::string JobState::*text;
  std::string fallback;
};

// The keys a load reads, in reading order, with their defaults. The defaults
// under the user data folder use the folder computed now, never the stored
// "filename".
std::vector<StoredText> LoadedTexts(const std::string& folder) {
  return {
      {"ver", &JobState::ver, "2.8"},
      {"unit_flag", &JobState::unit_flag, "0"},
      {"stk_update", &JobState::stk_update, "0"},
      {"matl", &JobState::matl, ""},
      {"stock_filename", &JobState::stock_filename, JoinPath(folder, "MyStock.stk")},
      {"cut_filename", &JobState::cut_filename, JoinPath(folder, "MyCuts.cut")},
      {"export_filename", &JobState::export_filename, JoinPath(folder, "Export.txt")},
      {"filename", &JobState::filename, folder},
      {"drop_length", &JobState::drop_length, "5"},
      {"kerf", &JobState::kerf, "0.0"},
      {"inputReportFlag", &JobState::inputReportFlag, "0"},
      {"FastModeFlag", &JobState::FastModeFlag, "0"},
      {"linesPerPage", &JobState::linesPerPage, "63"},
      {"inch32Flag", &JobState::inch32Flag, "0"},
      {"inchOnlyFlag", &JobState::inchOnlyFlag, "0"},
      {"batchDir", &JobState::batchDir, ProgramFolder()},
      {"UnuseableLen", &JobState::UnuseableLen, "0.0"},
      {"ownerName", &JobState::ownerName, ""},
      {"optimizer", &JobState::optimizer, kClassicOptimizerName},
  };
}

// The slider shows drop_length rounded half to even, kept within its range;
// the stored text itself stays as it is.
int SliderLevel(const std::string& dropLength) {
  const double level = std::clamp(LeadingNumber(dropLength), 0.0, double{kHighestLevel});
  return RoundHalfEvenToInt16(level).value_or(0);
}

}  // namespace

void LoadSettings(JobState& job, Frontend& frontend) {
  const std::string folder = UserDataFolder();
  job.stockCount = 0;
  SettingsSection store;
  for (const StoredText& setting : LoadedTexts(folder)) {
    job.*setting.text = store.Read(setting.key, setting.fallback);
  }
  // Earlier versions stored the material box's prompt as the material.
  if (job.matl == texts::kNewJobMaterial) job.matl.clear();
  // The material part goes through CleanFileName so that the report is always
  // a file in the user data folder, whatever the material holds.
  job.reportFileName = JoinPath(folder, CleanFileName(job.matl) + ".bxl");
  frontend.ShowStatus(kRestored);
  frontend.SetOptimizationLevel(SliderLevel(job.drop_length));
}

void SaveSettings(const JobState& job) {
  SettingsSection store;
  const std::pair<const char*, std::string> values[] = {
      {"ver", job.ver},
      {"unit_flag", job.unit_flag},
      {"stk_update", job.stk_update},
      {"matl", job.matl},
      {"stock_filename", job.stock_filename},
      {"cut_filename", job.cut_filename},
      {"filename", job.filename},
      {"output_filename", job.reportFileName},
      {"drop_length", job.drop_length},
      {"kerf", job.kerf},
      {"inputReportFlag", job.inputReportFlag},
      {"FastModeFlag", job.FastModeFlag},
      {"UnitFlag", job.unit_flag},
      {"LinesPerPage", job.linesPerPage},
      {"inch32Flag", job.inch32Flag},
      {"inchOnlyFlag", job.inchOnlyFlag},
      {"batchDir", job.batchDir},
      {"export_filename", job.export_filename},
      {"filepath", ProgramFolder()},
      {"UnuseableLen", job.UnuseableLen},
      {"optimizer", job.optimizer},
      {"ownerName", job.ownerName},
  };
  for (const auto& [key, value] : values) store.Write(key, value);
}

std::string ReadSetting(const std::string& key, const std::string& defaultValue) {
  return SettingsSection().Read(key, defaultValue);
}

void WriteSetting(const std::string& key, const std::string& value) {
  SettingsSection().Write(key, value);
}

void DeleteSettings() { SettingsSection().RemoveAll(); }

void UserSettingsStore::Save(const JobState& job) { SaveSettings(job); }

void UserSettingsStore::RestoreDefaults(JobState& job, Frontend& frontend) {
  DeleteSettings();
  LoadSettings(job, frontend);
  SaveSettings(job);
}

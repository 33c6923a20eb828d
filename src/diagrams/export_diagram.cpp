#include "diagrams/export_diagram.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/brx_error.h"
#include "core/job_state.h"
#include "core/number_text.h"
#include "core/safe_file.h"
#include "diagrams/diagram_texts.h"
#include "lists/length_entry.h"
#include "optimizer/pack_bars.h"
#include "reports/cut_list_export.h"

namespace {

namespace dt = diagram_texts;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kPieceFields = 6;
constexpr std::size_t kScrapFields = 4;
// How far the shown texts of one bar may overrun its stock through rounding:
// half a 32nd of an inch, or half the last of five decimals, per text.
constexpr double kInchRounding = 1.0 / 64.0;
constexpr double kMillimetreRounding = 0.000005;
// Longer lengths than this are no bar stock (and their sums would overflow).
constexpr double kLongestLength = 1e9;

[[noreturn]] void Refuse(const std::string& why) {
  BrxError error = MakeError(kErrTypeMismatch);
  error.description = why;
  throw error;
}

[[noreturn]] void RefuseLine(int line, const std::string& why) {
  Refuse(dt::kLine + std::to_string(line) + why);
}

// The lines of the text without their ends (CRLF, LF or CR).
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// The export's fields: a field holding a comma stands in double quotes with
// its quotes doubled; every other field, inch marks included, stands as it
// is. A field that only begins with a quote is taken as it stands.
std::vector<std::string> QuotedFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t pos = 0;
  while (true) {
    std::string field;
    std::size_t next = std::string_view::npos;
    if (pos < line.size() && line[pos] == '"') {
      std::size_t i = pos + 1;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          closed = i + 1 == line.size() || line[i + 1] == ',';
          break;
        }
        field += line[i++];
      }
      if (closed) next = i + 1;
    }
    if (next == std::string_view::npos) {
      const std::size_t comma = line.find(',', pos);
      const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
      field = std::string(line.substr(pos, end - pos));
      next = end;
    }
    fields.push_back(std::move(field));
    if (next >= line.size()) break;
    pos = next + 1;
  }
  return fields;
}

// The fields as the quoting reads them; where a plain field that begins with
// a quote (a mark such as "Q7) made the quoting swallow a comma, the fields
// as the commas alone split them.
std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> fields = QuotedFields(line);
  if (fields.size() == kPieceFields || fields.size() == kScrapFields) return fields;
  std::vector<std::string> plain;
  std::size_t pos = 0;
  while (true) {
    const std::size_t comma = line.find(',', pos);
    plain.emplace_back(line.substr(pos, comma == std::string_view::npos ? comma : comma - pos));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  if (plain.size() == kPieceFields || plain.size() == kScrapFields) return plain;
  return fields;
}

struct PieceLine {
  std::string mark;
  std::string lengthText;
  double length = 0.0;
};

// A bar as its lines give it, before it is drawn.
struct ReadBar {
  BarDiagram bar;
  std::vector<PieceLine> pieces;
  double scrap = 0.0;
  std::string scrapText;
  double between = 0.0;  // the stock length the pieces and the scrap leave
};

class ExportReader {
 public:
  PlanDiagram Read(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty() || lines[0] != dt::kExportHeader) {
      Refuse(std::string(dt::kNoHeader) + "\"" + dt::kExportHeader + "\"");
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
      line_ = static_cast<int>(i) + 1;
      if (lines[i].empty()) continue;
      ReadLine(Fields(lines[i]));
    }
    if (!pieces_.empty()) Refuse(dt::kTruncated);
    return FinishDiagram(material_, Drawn());
  }

 private:
  void ReadLine(const std::vector<std::string>& fields) {
    if (fields.size() == kScrapFields && fields[0] == "SCRAP") {
      EndBar(fields);
      return;
    }
    if (fields.size() != kPieceFields) RefuseLine(line_, dt::kFieldCount);
    if (fields[0] != "INVENTORY" && fields[0] != "NON-INVENTORY") {
      RefuseLine(line_, dt::kBadStatus);
    }
    const bool order = fields[0] == "NON-INVENTORY";
    if (pieces_.empty()) {
      bar_ = BarDiagram{};
      bar_.order = order;
      bar_.bin = fields[1];
      bar_.material = fields[2];
      bar_.stockLengthText = fields[3];
      bar_.stockLength = Length(fields[3]);
    } else if (order != bar_.order || fields[1] != bar_.bin || fields[3] != bar_.stockLengthText) {
      RefuseLine(line_, dt::kOtherBar);
    }
    pieces_.push_back({fields[4], fields[5], Length(fields[5])});
  }

  void EndBar(const std::vector<std::string>& fields) {
    const double scrap = Length(fields[3]);
    if (pieces_.empty()) {
      // A bar whose pieces the run could not read: only its scrap is known.
      bar_ = BarDiagram{};
      bar_.bin = fields[1];
      bar_.material = fields[2];
      bar_.stockLength = scrap;
      bar_.stockLengthText = fields[3];
    } else if (fields[1] != bar_.bin) {
      RefuseLine(line_, dt::kOtherBar);
    }
    double sum = 0.0;
    for (const PieceLine& piece : pieces_) sum += piece.length;
    const double rounding =
        (inches_ ? kInchRounding : kMillimetreRounding) * static_cast<double>(pieces_.size() + 2);
    if (sum + scrap > bar_.stockLength + rounding) RefuseLine(line_, dt::kTooLong);
    if (bars_.empty()) material_ = bar_.material;
    double between = bar_.stockLength - sum - scrap;
    // Sums of decimal lengths carry noise; no kerf is that thin.
    if (between < kLengthEpsilon * std::max(1.0, bar_.stockLength)) between = 0.0;
    bars_.push_back({std::move(bar_), std::move(pieces_), scrap, fields[3], between});
    pieces_.clear();
  }

  // The kerf of the job: what a bar with scrap leaves between its pieces,
  // shared by every piece (the middle value over such bars); 0 when no bar
  // has scrap.
  double JobKerf() const {
    std::vector<double> kerfs;
    for (const ReadBar& bar : bars_) {
      if (bar.scrap > 0.0 && !bar.pieces.empty()) {
        kerfs.push_back(bar.between / static_cast<double>(bar.pieces.size()));
      }
    }
    if (kerfs.empty()) return 0.0;
    std::nth_element(kerfs.begin(), kerfs.begin() + static_cast<long>(kerfs.size() / 2),
                     kerfs.end());
    return kerfs[kerfs.size() / 2];
  }

  // With scrap every piece is followed by its kerf. Without, the pieces
  // filled the bar: with every kerf, or without the last one (the exact-fit
  // rule), whichever the job's kerf explains better.
  static std::size_t KerfCount(const ReadBar& bar, double kerf) {
    const std::size_t n = bar.pieces.size();
    if (bar.scrap > 0.0 || n < 2) return n;
    if (kerf <= 0.0) return bar.between > 0.0 ? n - 1 : 0;
    const double all = std::abs(bar.between - static_cast<double>(n) * kerf);
    const double lessOne = std::abs(bar.between - static_cast<double>(n - 1) * kerf);
    return all < lessOne ? n : n - 1;
  }

  std::vector<BarDiagram> Drawn() {
    const double kerf = JobKerf();
    std::vector<BarDiagram> drawn;
    for (ReadBar& read : bars_) {
      BarDiagram bar = std::move(read.bar);
      const std::size_t kerfs = KerfCount(read, kerf);
      for (std::size_t j = 0; j < read.pieces.size(); ++j) {
        PieceLine& piece = read.pieces[j];
        bar.segments.push_back({SegmentKind::Piece, 0.0, piece.length, std::move(piece.mark),
                                std::move(piece.lengthText)});
        if (j < kerfs) {
          bar.segments.push_back(
              {SegmentKind::Kerf, 0.0, read.between / static_cast<double>(kerfs), {}, {}});
        }
      }
      if (read.scrap > 0.0 && !read.pieces.empty()) {
        bar.segments.push_back({SegmentKind::Scrap, 0.0, read.scrap, {}, read.scrapText});
      }
      CloseBar(bar);
      drawn.push_back(std::move(bar));
    }
    return drawn;
  }

  double Length(const std::string& text) {
    std::optional<ExportLength> length = ReadExportLength(text);
    if (!length) RefuseLine(line_, dt::kBadLength + ("\"" + text + "\""));
    if (unitKnown_ && length->inches != inches_) RefuseLine(line_, dt::kMixedUnits);
    unitKnown_ = true;
    inches_ = length->inches;
    return length->value;
  }

  int line_ = 0;
  bool unitKnown_ = false;
  bool inches_ = false;
  std::string material_;
  std::vector<ReadBar> bars_;
  BarDiagram bar_;
  std::vector<PieceLine> pieces_;
};

}  // namespace

std::optional<ExportLength> ReadExportLength(std::string_view text) {
  // FormatLength writes no negative length into an export.
  if (text.starts_with("- ")) return std::nullopt;
  if (text.ends_with('"')) {
    std::string_view body = text;
    while (body.starts_with(' ')) body.remove_prefix(1);
    // Only a fraction below an inch stands after a blank.
    if (body.size() != text.size() && body.find('/') == std::string_view::npos) {
      return std::nullopt;
    }
    const std::optional<double> feet = ParseShownLength(body, false);
    if (!feet || *feet * 12.0 > kLongestLength) return std::nullopt;
    return ExportLength{*feet * 12.0, true};
  }
  if (!IsNumericText(text) || text.find_first_of(" \t") != std::string_view::npos) {
    return std::nullopt;
  }
  const double value = LeadingNumber(text);
  if (!(value >= 0.0) || value > kLongestLength) return std::nullopt;
  return ExportLength{value, false};
}

PlanDiagram DiagramOfExportText(std::string_view text) { return ExportReader().Read(text); }

PlanDiagram ReadExportDiagram(const std::string& path) {
  return DiagramOfExportText(ReadWholeFile(path));
}

DiagramSource LastRunDiagram(const JobState& job, MessageView& messages) {
  if (PlanInMemory(job)) return {DiagramOfPlan(job, messages), {}};
  const std::string path = ExportFileName(job.export_filename, job.matl);
  try {
    return {ReadExportDiagram(path), {}};
  } catch (const BrxError& error) {
    return {std::nullopt, dt::kNoPlan + path + dt::kNoPlanEnd + error.description};
  }
}

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "diagrams/plan_diagram.h"

// Reading a plan back from the export file a run wrote: a header, the piece
// lines of each bar followed by its SCRAP line. Lengths are read from their
// shown texts (feet-inch text into inches, millimetres as they are) and the
// texts themselves label the drawing, so it says what the export says. The
// export holds neither the kerf nor the unusable length: the length a bar's
// pieces and scrap leave is drawn as the kerfs between the pieces, and the
// unusable end is part of the scrap.

// The diagram of an export's text; throws BrxError (number 13, type
// mismatch) whose description says which line is wrong and why.
PlanDiagram DiagramOfExportText(std::string_view text);

// The same for an export file; a file that cannot be read throws its error.
PlanDiagram ReadExportDiagram(const std::string& path);

// A length of an export back as a number: feet-inch or inch text
// ("12'-6 5/8\"", " 5/8\"", "120 11/16\"") in inches, a plain decimal as it
// stands; nothing for any other text.
struct ExportLength {
  double value = 0.0;
  bool inches = false;
};
std::optional<ExportLength> ReadExportLength(std::string_view text);

struct JobState;
class MessageView;

// The plan the viewer and the printer draw: the one in memory while it still
// describes the last run, else the one in the current material's export
// file; when neither can be had, no diagram and a note saying why.
struct DiagramSource {
  std::optional<PlanDiagram> diagram;
  std::string note;
};
DiagramSource LastRunDiagram(const JobState& job, MessageView& messages);

#pragma once

// The texts of the cutting diagrams, in the viewer, on paper and in files.
namespace diagram_texts {

inline constexpr const char* kDiagramTab = "Diagram";
inline constexpr const char* kReportTab = "Report";
// The print choice.
inline constexpr const char* kPrintReport = "Report";
inline constexpr const char* kPrintDiagrams = "Diagrams";
inline constexpr const char* kPrintBoth = "Both";
inline constexpr const char* kPrintChoiceTab = "Print";

inline constexpr const char* kBin = "Bin ";
inline constexpr const char* kOrder = "ORDER";
inline constexpr const char* kTimes = "x ";
inline constexpr const char* kScrap = "Scrap";
inline constexpr const char* kUnusable = "Unusable";
inline constexpr const char* kKerf = "Kerf";
inline constexpr const char* kNoBars = "No bars were cut.";
inline constexpr const char* kNoPlan =
    "No plan to draw: the job has not been cut since it was opened, and its export file ";
inline constexpr const char* kNoPlanEnd = " cannot be read: ";

// brx --diagrams
inline constexpr const char* kUsage = "usage: brx --diagrams EXPORT OUT.pdf|OUT.svg";
inline constexpr const char* kExportText = "The export ";
inline constexpr const char* kCannotRead = " cannot be read: ";
inline constexpr const char* kOutText = "The diagram file ";
inline constexpr const char* kNotPdfOrSvg =
    " does not end in \".pdf\" or \".svg\"; nothing was written.";
inline constexpr const char* kCannotWrite = " could not be written: ";

// Why an export cannot be read.
inline constexpr const char* kExportHeader = "Status,Stock#,Shape,Length,Mark,Cut";
inline constexpr const char* kNoHeader = "it does not begin with the export header ";
inline constexpr const char* kLine = "line ";
inline constexpr const char* kFieldCount =
    " does not hold the 6 fields of a piece or the 4 of a scrap line";
inline constexpr const char* kBadStatus = " has neither INVENTORY nor NON-INVENTORY as its status";
inline constexpr const char* kBadLength = " holds a length that is not one: ";
inline constexpr const char* kMixedUnits = " mixes millimetres with feet and inches";
inline constexpr const char* kOtherBar = " names another bar than the lines before it";
inline constexpr const char* kTooLong = " ends a bar whose pieces are longer than its stock";
inline constexpr const char* kTruncated = "it ends inside a bar, without the bar's SCRAP line";

}  // namespace diagram_texts

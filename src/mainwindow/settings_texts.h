#pragma once

// The settings dialog's captions and tool tips, each in one place.
namespace texts {

inline constexpr const char* kSettingsCaption = "BRX Settings";
inline constexpr const char* kUnitsFrame = "Units";
inline constexpr const char* kUnitsTip = "Select the units for length display";
inline constexpr const char* kEnglish = "English";
inline constexpr const char* kEnglishTip = "expressed in Feet, inches and fractions on an inch";
inline constexpr const char* kMetric = "Metric";
inline constexpr const char* kMetricTip = "expressed in mm";
inline constexpr const char* kInchesFrame = "Inches";
inline constexpr const char* k32nds = "32nds";
inline constexpr const char* kInchesOnly = "Inches only";
inline constexpr const char* kStockFrameCaption = "Stock";
inline constexpr const char* kKerf = "Kerf";
inline constexpr const char* kKerfLabelTip = "Length of waste between cuts";
inline constexpr const char* kKerfFieldTip = "Enter the length of material lost per cut";
inline constexpr const char* kUnusableLength = "Unusable Length";
inline constexpr const char* kUnuseableLengthTip = "Length of waste at stock ends";
inline constexpr const char* kUpdateList = "Update List";
inline constexpr const char* kUpdateListTip =
    "Subtract used stock items from the initial stock list";
inline constexpr const char* kReportOptionsFrame = "Report Options";
inline constexpr const char* kPrintInputData = "Print Input Data";
inline constexpr const char* kPrintInputDataTip = "Include the input data on the cutting report";
inline constexpr const char* kLinesPerPage = "Lines per Page";
inline constexpr const char* kSpinTip = "Adjust the no. of lines per page";
inline constexpr const char* kOptimizerFrame = "Optimizer";
inline constexpr const char* kOptimizerTip = "How BRX plans which pieces are cut from which bars";
inline constexpr const char* kClassic = "Classic";
inline constexpr const char* kClassicTip =
    "Fills one bar at a time with the pieces that use it best: the plan BRX has always made";
inline constexpr const char* kBest = "Best";
inline constexpr const char* kBestTip =
    "Plans all bars together to use the least steel and reports how close the plan is to "
    "the least possible; never worse than Classic, slower at high optimization levels";
inline constexpr const char* kBatchFrame = "Batch Directory";
inline constexpr const char* kBatchFrameTip =
    "Specifies the directory used for batch (automated) processing of data files";
inline constexpr const char* kChooseFolder = "...";
inline constexpr const char* kRestoreDefaults = "Restore Defaults";
inline constexpr const char* kRestoreDefaultsTip = "Restores all program defaults";
inline constexpr const char* kUnitChangeQuestion =
    "The lengths in this job are not converted when the unit changes. Change the unit anyway?";

}  // namespace texts

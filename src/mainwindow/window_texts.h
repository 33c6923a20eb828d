#pragma once

// The captions, tool tips and messages of the main window and its small
// windows, each in one place.
namespace texts {

// Main window.
inline constexpr const char* kMainCaption = "BRX";
inline constexpr const char* kMaterialLabel = "Material ";
inline constexpr const char* kMaterialTip = "Enter Material Description here";
inline constexpr const char* kStockFrame = "Stock Material List";
inline constexpr const char* kStockFrameRebuilt = "Stock";
inline constexpr const char* kLengthLabel = "Length";
inline constexpr const char* kQtyLabel = "Qty";
inline constexpr const char* kBinLabel = "Bin / ID#";
inline constexpr const char* kStockQtyTip = "Enter 0 if no inventory";
inline constexpr const char* kBinTip = "Enter stock bin/ID#  or leave blank";
inline constexpr const char* kHelpButton = "?";
inline constexpr const char* kAdd = "&Add";
inline constexpr const char* kChange = "Change";
inline constexpr const char* kDelete = "Delete";
inline constexpr const char* kAddStockTip = "Add the current material to the list";
inline constexpr const char* kChangeTip = "change the selected list item";
inline constexpr const char* kDeleteStockTip = "Delete the selected stock";
inline constexpr const char* kNewMaterial = "New Material";
inline constexpr const char* kCutFrameAtStart = "Cut List  ";
inline constexpr const char* kCutFramePrefix = "Cut list for ";
inline constexpr const char* kIdentificationLabel = "Identification";
inline constexpr const char* kMarkTip = "Insert the piece mark here";
inline constexpr const char* kAddCutTip = "adds the current description to the list";
inline constexpr const char* kDeleteCutTip = "Delete the selected cut";
inline constexpr const char* kStockSettingsFrame = "Stock Settings";
inline constexpr const char* kStockFileLabel = "Stock File";
inline constexpr const char* kStockFileTip = "Double click to set.";
inline constexpr const char* kKerfLabel = "Kerf:";
inline constexpr const char* kKerfTip = "The length lost at each cut. Double click to set.";
inline constexpr const char* kOptimizationLabel = "Optimization";
inline constexpr const char* kLo = "LO";
inline constexpr const char* kHi = "HI";
inline constexpr const char* kSliderTip = "Adjust maximum optimization potential";
inline constexpr const char* kCut = "Cut";
inline constexpr const char* kCutTip = "Start the cutting ";
inline constexpr const char* kExit = "Exit";
inline constexpr const char* kExitTip = "Exit BRX";

// Menus and toolbar.
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kNewItem = "&New";
inline constexpr const char* kOpenItem = "&Open";
inline constexpr const char* kImportKissItem = "Import KISS";
inline constexpr const char* kImportWinEstItem = "Import WinEst";
inline constexpr const char* kSaveItem = "&Save";
inline constexpr const char* kSaveAsItem = "Save &As...";
inline constexpr const char* kCutAllItem = "&Cut All Materials";
inline constexpr const char* kExitItem = "E&xit";
inline constexpr const char* kSettingsMenu = "&Settings";
inline constexpr const char* kProgramSettingsItem = "&Program";
inline constexpr const char* kPageSetupItem = "Page Set&up...";
inline constexpr const char* kPrintItem = "&Print...";
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kLastReportItem = "&Last Report";
inline constexpr const char* kStatusBarItem = "Status &Bar";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kWebSupportItem = "&Web Support";
inline constexpr const char* kAboutItem = "&About BRX...";
inline constexpr const char* kToolNew = "New";
inline constexpr const char* kToolOpen = "Open";
inline constexpr const char* kToolSave = "Save";
inline constexpr const char* kToolCut = "Cut";
inline constexpr const char* kToolViewDetails = "View Details";
inline constexpr const char* kToolViewDetailsTip = "View last computed cutting list";
inline constexpr const char* kToolPrint = "Print";
inline constexpr const char* kToolPrintTip = "Print last computed cutting list";
// The online guide page that Web Support opens.
inline constexpr const char* kWebSupportUrl = "https://brx.example.org/guide/";

// File commands and imports. The dialogs' filters are in Qt's syntax; the
// stock entry is the one preselected.
inline constexpr const char* kSaveChanges = "Save Changes ?";
inline constexpr const char* kTextFilter = "Text (*.txt)";
inline constexpr const char* kStockFilter = "Stock (*.stk *.stc)";
inline constexpr const char* kKissImportTitle = "KISS File Cut List Import";
inline constexpr const char* kKissFilter = "KISS (*.kss *.txt *.KSS *.TXT)";
inline constexpr const char* kWinEstImportTitle = "WinEstimator Cut List Import";
// The status after an import: rows and materials, then what to do next.
inline constexpr const char* kImported = "Imported ";
inline constexpr const char* kImportedRowsOf = " cut rows of ";
inline constexpr const char* kImportedMaterialsInto = " material(s) into ";
inline constexpr const char* kChooseMaterial = ". Choose a material from the list.";
// View > Last Report before any report was written.
inline constexpr const char* kNoReport = "There is no report to show yet: the report file ";
inline constexpr const char* kNoReportEnd = " does not exist. Press Cut to make one.";

// Hints that follow the mouse and the unit settings.
inline constexpr const char* kCutQtyHint = "Enter quantity of pieces to cut";
inline constexpr const char* kMarkHint = "Identification label of cut piece";
inline constexpr const char* kOrderableHint = "Enter 0 to specify an orderable length";
inline constexpr const char* kFeet16Hint = "feet+inches+sixteenths, eg: 120610 = 12'-6 5/8";
inline constexpr const char* kFeet32Hint = "feet+inches+32nds, eg: 400911 = 40' 9 11/32";
inline constexpr const char* kInch16Hint = "inches+16ths, eg: 12011 = 120 11/16\"";
inline constexpr const char* kInch32Hint = "inches+32nds, eg: 12019 = 120 19/32\"";
inline constexpr const char* kMetricCutHint = "xxxxxx";
inline constexpr const char* kMetricStockHint = "xxxx.xxxx";
inline constexpr const char* kUnit2Hint = "xxx.xxxx";

// List editing.
inline constexpr const char* kEnterOrSelectMaterial = "Please enter or select a material";
inline constexpr const char* kSelectOrEnterMaterialType =
    "Please select or enter a material type first.";
inline constexpr const char* kSelectLineFirst = "Please select a line item first";
inline constexpr const char* kStockListFull =
    "The stock list is full: it holds at most 1000 items.";
inline constexpr const char* kEnterCutData = "Enter cut data";
inline constexpr const char* kEnterMark = "Please enter a description or mark.";
inline constexpr const char* kMaxCutsPerLine = "Maximum cuts for a single line item is: ";
inline constexpr const char* kCutListFull =
    "The cut list is full: it holds at most 1000 line items.";
inline constexpr const char* kStockLengthField = "Stock length";
inline constexpr const char* kStockQtyField = "Stock quantity";
inline constexpr const char* kCutLengthField = "Cut length";
inline constexpr const char* kCutQtyField = "Cut quantity";
inline constexpr const char* kNotALength = " is not a length greater than 0 in the current unit.";
inline constexpr const char* kNotAStockQuantity = " is not a quantity from 0 to 29999.";
inline constexpr const char* kNotACutQuantity = " is not a quantity of 1 or more.";
inline constexpr const char* kPieceCapacity =
    "The cut list can hold at most 2000 pieces in all; this line would go beyond that.";

// Cutting progress window.
inline constexpr const char* kProgressCaption = "Cutting Progress";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kCancelTip = "Click to cancel the cutting";
// "Material 2 of 5: W8X31" while every material is cut.
inline constexpr const char* kMaterialWord = "Material ";
inline constexpr const char* kOfWord = " of ";
// When no material could be cut, followed by one line per material and why.
inline constexpr const char* kNoMaterialCut = "No material was cut:";

// Report viewer.
inline constexpr const char* kReportCaption = "Cutting / Ordering Report";
inline constexpr const char* kReportPlaceholder = "This is the cutting/ordering list.";
inline constexpr const char* kPrintButton = "PRINT";
inline constexpr const char* kExitButton = "EXIT";

// Splash window and length help.
inline constexpr const char* kVersionPrefix = "v ";
inline constexpr const char* kLengthHelpCaption = "Length Help";
inline constexpr const char* kLengthHelpText =
    "For Feet and Inches mode enter feet as a 2 digit number followed by inches as a two digit "
    "number followed by sixteenths as a two digit number.";
inline constexpr const char* kExamples = "Examples:";
inline constexpr const char* kExample1 = "14' 7-5/8    =    140710";
inline constexpr const char* kExample2 = "8' 0-1/4    =    080004";

}  // namespace texts

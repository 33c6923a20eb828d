#include "app/diagrams_command.h"

#include <QByteArray>
#include <optional>

#include "core/brx_error.h"
#include "core/frontend.h"
#include "core/safe_file.h"
#include "core/text_util.h"
#include "core/ui_texts.h"
#include "diagrams/diagram_texts.h"
#include "diagrams/export_diagram.h"
#include "mainwindow/diagram_pages.h"

namespace {

namespace dt = diagram_texts;

int Fail(Frontend& frontend, const std::string& text, int status) {
  frontend.ShowMessage(texts::kProgramTitle, text);
  return status;
}

}  // namespace

int RunDiagramsCommand(const std::vector<std::string>& arguments, Frontend& frontend) {
  if (arguments.size() != 2) return Fail(frontend, dt::kUsage, 1);
  const std::string& exportPath = arguments[0];
  const std::string& outPath = arguments[1];
  const std::string upper = ToUpperAscii(outPath);
  const bool pdf = upper.ends_with(".PDF");
  if (!pdf && !upper.ends_with(".SVG")) {
    return Fail(frontend, dt::kOutText + outPath + dt::kNotPdfOrSvg, 2);
  }
  std::optional<PlanDiagram> diagram;
  try {
    diagram = ReadExportDiagram(exportPath);
  } catch (const BrxError& error) {
    return Fail(frontend, dt::kExportText + exportPath + dt::kCannotRead + error.description, 1);
  }
  const QByteArray drawing = pdf ? DiagramPdf(*diagram, diagram->material, frontend)
                                 : DiagramSvg(*diagram, diagram->material);
  if (drawing.isEmpty()) return 2;
  // Written beside the target and renamed over it, so a failed write leaves
  // an existing file whole.
  if (const std::optional<BrxError> error = TryWriteFileSafely(
          outPath,
          std::string_view(drawing.constData(), static_cast<std::size_t>(drawing.size())))) {
    return Fail(frontend, dt::kOutText + outPath + dt::kCannotWrite + error->description, 2);
  }
  return 0;
}

#pragma once

#include <string>
#include <vector>

class Frontend;

// brx --diagrams EXPORT OUT.pdf|OUT.svg: draws the plan an export file holds,
// as pages of a PDF file or as one SVG drawing. `arguments` are those after
// "--diagrams". Needs a running QGuiApplication. Returns the exit status: 0
// when OUT was written; 1, with a message naming the export, when it cannot
// be read (or the arguments are not two); 2, with a message naming OUT, when
// OUT does not end in ".pdf" or ".svg" (any letter case) or could not be
// written (an existing OUT then stays whole).
int RunDiagramsCommand(const std::vector<std::string>& arguments, Frontend& frontend);

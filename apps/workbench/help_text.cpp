#include "help_text.h"

#include <sstream>

#include "commands.h"

namespace zil::workbench {

std::string HelpText() {
  std::ostringstream out;
  out << "zil-workbench: a desktop window over a DXF drawing that runs every command of the zil add-in\n"
         "Usage: zil-workbench [OPTIONS] [FILE.dxf]\n"
         "\n"
         "Opens FILE.dxf (an ASCII DXF drawing, R12 to R2018) and shows it with every Hebrew text drawn as\n"
         "AutoCAD draws it for its font type. Type a command at the command line, or choose it from the menus\n"
         "and the tool bar; its prompts are answered by clicking in the drawing or by typing (x,y or a number;\n"
         "Enter and Escape as in AutoCAD). Pan with the middle mouse button or the arrow keys, zoom with the\n"
         "wheel.\n"
         "\n"
         "Options:\n"
         "  -h,--help                   Print this help message and exit\n"
         "  --version                   Display program version information and exit\n"
         "\n"
         "Commands:\n";
  for (const WorkbenchCommand& command : Commands()) {
    std::string name = command.name;
    name.resize(std::max<std::size_t>(name.size() + 1, 12), ' ');
    out << "  " << name << command.help << '\n';
  }
  out << "  PLOT        print the space shown to a PDF file\n"
         "\n"
         "Environment:\n"
         "  ZIL_DATA_FOLDER             the add-in's data folder (settings Hebrew.ini, font table HebFonts.txt)\n"
         "                              instead of ~/Documents/Dastel/Veltro/\n";
  return out.str();
}

}  // namespace zil::workbench

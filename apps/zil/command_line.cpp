#include "command_line.h"

#include <ostream>

namespace zil::cli {

CommandLine::CommandLine(std::istream& input, std::ostream& output, std::ostream& error)
    : app("zil: Hebrew text in CAD drawings", "zil"), in(input), out(output), err(error) {
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string(ZIL_VERSION));
}

int RunCommandLine(CommandLine& cl, int argc, const char* const* argv) {
  try {
    cl.app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return cl.app.exit(e, cl.out, cl.err);
  } catch (const CLI::CallForAllHelp& e) {
    return cl.app.exit(e, cl.out, cl.err);
  } catch (const CLI::CallForVersion& e) {
    return cl.app.exit(e, cl.out, cl.err);
  } catch (const CLI::ParseError& e) {
    cl.app.exit(e, cl.out, cl.err);
    return kExitUsage;
  }
  return cl.action ? cl.action() : 0;
}

}  // namespace zil::cli

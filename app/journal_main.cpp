// veltrin-journal: the journal commands (`veltrin journal ...`, `veltrin --help`) on the core alone,
// so that reading or exporting the journal loads no window library. `veltrin` hands its command
// line over to it unchanged.
#include "cli/Cli.h"

int main(int argc, char** argv) { return veltrin::cli::runFromMain(argc, argv); }

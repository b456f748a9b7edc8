// veltrin: starts the window (veltrin-window) or, for a command (`veltrin journal ...`,
// `veltrin --help`), veltrin-journal. It loads no library of its own, so a command never pays for
// the window's libraries and the window pays one exec for the choice.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// The options the toolkit takes ("-platform ...") start the window; a word, --help or -h is a command.
bool isCommand(int argc, char** argv) {
    if (argc < 2) return false;
    const std::string first = argv[1];
    return first.empty() || first[0] != '-' || first == "--help" || first == "-h";
}

// This program's folder, from the system's link to the running file.
std::string programFolder() {
    std::string self(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) return ".";
    self.resize(std::size_t(length));
    return self.substr(0, self.rfind('/'));
}

}   // namespace

// The chosen program replaces this process: it keeps the command line, the standard streams, the
// process id, the exit status and the signals.
int main(int argc, char** argv) {
    const std::string program = programFolder() + (isCommand(argc, argv) ? "/" VELTRIN_COMMAND_PROGRAM : "/" VELTRIN_WINDOW_PROGRAM);
    execv(program.c_str(), argv);
    std::fprintf(stderr, "veltrin: cannot start %s: %s\n", program.c_str(), std::strerror(errno));
    return 127;
}

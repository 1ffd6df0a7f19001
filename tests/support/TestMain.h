#pragma once

#include <QString>

namespace TestEnv {
// The temporary home every test runs in: HOME and the XDG folders point below it,
// so no test reads or writes the real user's files.
QString home();

// A child a test starts to see what a process gets from its own start-up:
// the test program itself (QCoreApplication::applicationFilePath()), run with
// the variable kChildVariable set to an entry's name, runs that entry instead
// of the tests and exits with what it returns. The entry runs before any
// QApplication exists, so it makes its own. Entries are registered at
// namespace scope:
//   const TestEnv::ChildEntry report("name", [](int& argc, char** argv) { ... return 0; });
inline constexpr char kChildVariable[] = "MORVELIN_TEST_CHILD";
class ChildEntry {
public:
    using Main = int (*)(int& argc, char** argv);
    ChildEntry(const char* name, Main main);
};
} // namespace TestEnv

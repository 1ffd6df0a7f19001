#include "TestMain.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {
std::unique_ptr<QTemporaryDir> gHome;

std::map<std::string, TestEnv::ChildEntry::Main>& childEntries()
{
    static std::map<std::string, TestEnv::ChildEntry::Main> entries;
    return entries;
}
} // namespace

QString TestEnv::home() { return gHome->path(); }

TestEnv::ChildEntry::ChildEntry(const char* name, Main main) { childEntries()[name] = main; }

int main(int argc, char** argv)
{
    if (const char* child = std::getenv(TestEnv::kChildVariable)) {
        const auto entry = childEntries().find(child);
        if (entry == childEntries().end()) {
            std::fprintf(stderr, "no child entry %s in this test program\n", child);
            return 3;
        }
        return entry->second(argc, argv);
    }

    ::testing::InitGoogleTest(&argc, argv);

    gHome = std::make_unique<QTemporaryDir>();
    if (!gHome->isValid())
        return 2;
    const QByteArray home = QFile::encodeName(gHome->path());
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/.config");
    qputenv("XDG_DATA_HOME", home + "/.local/share");
    qputenv("XDG_CACHE_HOME", home + "/.cache");
    qputenv("XDG_STATE_HOME", home + "/.local/state");
    qputenv("XDG_RUNTIME_DIR", home + "/.runtime");
    const QString runtime = gHome->path() + QStringLiteral("/.runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // No test may reach the machine's own print server, whose default printer
    // would take the test's pages: printing finds none unless a test starts
    // a server of its own.
    qputenv("CUPS_SERVER", QFile::encodeName(runtime + QStringLiteral("/no-print-server")));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    const int rc = RUN_ALL_TESTS();
    gHome.reset();
    return rc;
}

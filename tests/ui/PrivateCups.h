#pragma once

// A print server of the test's own: a cupsd with its configuration, spool,
// state and socket in a folder of the test, found by the program through
// CUPS_SERVER. It never touches the machine's own print server. Most queues
// print to /dev/null, for tests that look at what Qt makes of the printers; a
// job queue hands each job to a backend of a few lines that copies it into a
// folder (Debian's raw queue on a file: device completes jobs without writing
// them).

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QThread>

#include <dlfcn.h>

class PrivateCups {
public:
    // Generic driver for the queues: sizes and printable margins of a real printer.
    static QString genericPpd() { return QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"); }

    // Empty when the machine has what the server needs, else what is missing.
    static QString missing()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")}).isEmpty())
            return QStringLiteral("cupsd");
        if (QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin")}).isEmpty())
            return QStringLiteral("lpadmin");
        if (!QFileInfo::exists(genericPpd()))
            return genericPpd();
        return QString();
    }

    // Points the print clients of this process (Qt's, through libcups, and
    // the tools the test runs) at the server listening on `socketPath`. libcups
    // keeps the server it first found, so once loaded it is told directly.
    static void pointClientsAt(const QString& socketPath)
    {
        const QByteArray server = QFile::encodeName(socketPath);
        qputenv("CUPS_SERVER", server);
        if (void* lib = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD)) {
            using SetServer = void (*)(const char*);
            if (auto setServer = reinterpret_cast<SetServer>(dlsym(lib, "cupsSetServer")))
                setServer(server.constData());
            dlclose(lib);
        }
    }

    // Starts the server in `dir` and points this process's print clients at it.
    bool start(const QString& dir)
    {
        m_dir = dir;
        QDir(dir).removeRecursively();
        for (const char* sub : {"spool", "cache", "state", "tmp", "log", "bin/backend"})
            QDir().mkpath(dir + u'/' + QLatin1String(sub));
        makeServerBin(dir + QStringLiteral("/bin"));
        // cupsd hands work to the unprivileged user lp, which needs its temp folder.
        QFile::setPermissions(dir + QStringLiteral("/tmp"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                 | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                                 | QFileDevice::WriteOther | QFileDevice::ExeOther);
        writeText(dir + QStringLiteral("/cups-files.conf"),
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                 "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                 "PageLog %1/log/page_log\nServerBin %1/bin\nUser lp\nGroup lp\nFileDevice Yes\n")
                      .arg(dir));
        writeText(dir + QStringLiteral("/cupsd.conf"),
                  QStringLiteral("Listen %1/cups.sock\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                                 "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                 "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n")
                      .arg(dir));
        pointClientsAt(socket());
        m_cupsd.setProgram(QStringLiteral("cupsd"));
        m_cupsd.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), dir + QStringLiteral("/cupsd.conf"),
                              QStringLiteral("-s"), dir + QStringLiteral("/cups-files.conf")});
        m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_cupsd.start();
        if (!m_cupsd.waitForStarted(5000))
            return false;
        // Ready once it answers on its socket.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            if (QFileInfo::exists(socket()) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}))
                return true;
            if (m_cupsd.state() != QProcess::Running)
                return false;
            QThread::msleep(50);
        }
        return false;
    }

    ~PrivateCups()
    {
        if (m_cupsd.state() != QProcess::NotRunning) {
            m_cupsd.terminate();
            if (!m_cupsd.waitForFinished(5000)) {
                m_cupsd.kill();
                m_cupsd.waitForFinished(2000);
            }
        }
        if (!m_dir.isEmpty())
            QDir(m_dir).removeRecursively();
    }

    bool addQueue(const QString& name)
    {
        return run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                               QStringLiteral("file:/dev/null"), QStringLiteral("-P"), genericPpd()});
    }
    // A raw queue whose jobs arrive in `folder` as job-<id>.pdf, each whole
    // once it is there. The jobs run as the user lp: `folder`, and the
    // server's own folder, must be open to it (the test's home is not).
    bool addJobQueue(const QString& name, const QString& folder)
    {
        return run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                               QStringLiteral("morvelin:") + folder, QStringLiteral("-m"),
                                               QStringLiteral("raw")});
    }
    bool setDefault(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}); }
    bool removeQueue(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}); }

    QString socket() const { return m_dir + QStringLiteral("/cups.sock"); }

    // A client tool of the server, such as lpstat; its output in `output`.
    static bool run(const QString& program, const QStringList& args, QString* output = nullptr)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        const bool ok = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (output)
            *output = QString::fromUtf8(p.readAll());
        return ok;
    }

private:
    static void writeText(const QString& path, const QString& text)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }

    // The server's helper programs: Debian's, and the job backend beside its backends.
    static void makeServerBin(const QString& bin)
    {
        const QDir debian(QStringLiteral("/usr/lib/cups"));
        for (const QString& entry : debian.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (entry != QLatin1String("backend"))
                QFile::link(debian.filePath(entry), bin + u'/' + entry);
        }
        const QDir backends(debian.filePath(QStringLiteral("backend")));
        for (const QString& entry : backends.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            QFile::link(backends.filePath(entry), bin + QStringLiteral("/backend/") + entry);
        const QString backend = bin + QStringLiteral("/backend/morvelin");
        writeText(backend, QStringLiteral(R"(#!/bin/sh
# Without arguments cupsd asks which devices this backend offers.
if [ $# -eq 0 ]; then echo 'direct morvelin "Unknown" "Morvelin job folder"'; exit 0; fi
out="${DEVICE_URI#morvelin:}"
if [ -n "$6" ]; then cat "$6" > "$out/.job-$1"; else cat > "$out/.job-$1"; fi
chmod 644 "$out/.job-$1"
mv "$out/.job-$1" "$out/job-$1.pdf"
)"));
        QFile::setPermissions(backend, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                           | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                           | QFileDevice::ExeOther);
    }

    QString m_dir;
    QProcess m_cupsd;
};

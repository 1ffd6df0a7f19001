#pragma once

// A print server of the test's own: a cupsd with its configuration, spool,
// state and socket in a folder of the test, found by the program through
// CUPS_SERVER. It never touches the machine's own print server. Queues print
// to /dev/null: the tests that use it look at what Qt makes of the printers,
// not at jobs.

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
        for (const char* sub : {"spool", "cache", "state", "tmp", "log"})
            QDir().mkpath(dir + u'/' + QLatin1String(sub));
        // cupsd hands work to the unprivileged user lp, which needs its temp folder.
        QFile::setPermissions(dir + QStringLiteral("/tmp"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                 | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                                                 | QFileDevice::WriteOther | QFileDevice::ExeOther);
        writeText(dir + QStringLiteral("/cups-files.conf"),
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                 "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                 "PageLog %1/log/page_log\nUser lp\nGroup lp\nFileDevice Yes\n")
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
    bool setDefault(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}); }
    bool removeQueue(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}); }

    QString socket() const { return m_dir + QStringLiteral("/cups.sock"); }

private:
    static void writeText(const QString& path, const QString& text)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toUtf8());
    }
    static bool run(const QString& program, const QStringList& args)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        return p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QString m_dir;
    QProcess m_cupsd;
};

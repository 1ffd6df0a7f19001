#pragma once

// A print server of the test's own: a cupsd with its configuration, spool,
// state and socket in a folder of its own, found by the program through
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
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <memory>

#include <dlfcn.h>
#include <sys/un.h>

class PrivateCups {
public:
    // Generic driver for the queues: sizes and printable margins of a real printer.
    static QString genericPpd() { return QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"); }

    // Where a tool of the print server is installed, found on PATH or else
    // where Debian puts it (an ordinary user's PATH has no /usr/sbin);
    // empty when it is not installed. Tools are always started by this path.
    static QString tool(const QString& name)
    {
        const QString onPath = QStandardPaths::findExecutable(name);
        if (!onPath.isEmpty())
            return onPath;
        return QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                                     QStringLiteral("/sbin"), QStringLiteral("/bin")});
    }

    // Empty when the machine has the programs the server needs, else the one missing.
    static QString missing()
    {
        for (const char* name : {"cupsd", "lpadmin", "lpstat"}) {
            if (tool(QLatin1String(name)).isEmpty())
                return QLatin1String(name);
        }
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

    // Starts the server in a new folder of its own and points this process's
    // print clients at it. When it cannot, error() says why.
    bool start()
    {
        if (const QString what = missing(); !what.isEmpty())
            return fail(what + QStringLiteral(" is not installed"));
        if (!makeFolder())
            return false;
        const QString dir = folder();
        for (const char* sub : {"spool", "cache", "state", "tmp", "log", "bin/backend"})
            QDir().mkpath(dir + u'/' + QLatin1String(sub));
        makeServerBin(dir + QStringLiteral("/bin"));
        // cupsd hands work to the unprivileged user lp, which must reach the
        // server's folder and needs a temp folder it may write.
        QFile::setPermissions(dir, kOpen);
        QFile::setPermissions(dir + QStringLiteral("/tmp"), kOpen | QFileDevice::WriteGroup | QFileDevice::WriteOther);
        writeText(dir + QStringLiteral("/cups-files.conf"),
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                 "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                 "PageLog %1/log/page_log\nServerBin %1/bin\nUser lp\nGroup lp\nFileDevice Yes\n")
                      .arg(dir));
        writeText(dir + QStringLiteral("/cupsd.conf"),
                  QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                                 "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                 "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n")
                      .arg(socket()));
        pointClientsAt(socket());
        m_cupsd.setProgram(tool(QStringLiteral("cupsd")));
        m_cupsd.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), dir + QStringLiteral("/cupsd.conf"),
                              QStringLiteral("-s"), dir + QStringLiteral("/cups-files.conf")});
        m_cupsd.setProcessEnvironment(untranslated());
        m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_cupsd.start();
        if (!m_cupsd.waitForStarted(5000))
            return fail(QStringLiteral("%1 did not start: %2").arg(m_cupsd.program(), m_cupsd.errorString()));
        // Ready once it answers on its socket.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 10000) {
            if (QFileInfo::exists(socket()) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}))
                return true;
            if (m_cupsd.state() != QProcess::Running)
                return fail(QStringLiteral("cupsd ended at start-up:\n") + errorLog());
            QThread::msleep(50);
        }
        return fail(QStringLiteral("cupsd did not answer on %1 within 10 s:\n").arg(socket()) + errorLog());
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
    }

    // Why start() failed.
    QString error() const { return m_error; }
    // The server's own folder, open to the user lp.
    QString folder() const { return m_folder ? m_folder->path() : QString(); }
    QString socket() const { return folder() + QStringLiteral("/cups.sock"); }

    bool addQueue(const QString& name)
    {
        return run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                               QStringLiteral("file:/dev/null"), QStringLiteral("-P"), genericPpd()});
    }
    // A raw queue whose jobs arrive in `folder` as job-<id>.pdf, each whole
    // once it is there. The jobs run as the user lp: `folder` must be open to
    // it (the test's home is not; a folder in folder() can be).
    bool addJobQueue(const QString& name, const QString& folder)
    {
        return run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                                               deviceUri(folder), QStringLiteral("-m"), QStringLiteral("raw")});
    }
    bool setDefault(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}); }
    bool removeQueue(const QString& name) { return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name}); }

    // The job backend's device URI for `folder`: whatever the folder's name
    // holds (spaces, Japanese), percent-encoded as a URI must be.
    static QString deviceUri(const QString& folder)
    {
        return QStringLiteral("morvelin:") + QString::fromLatin1(QUrl::toPercentEncoding(folder, "/"));
    }

    // A client tool of the server, such as lpstat, started by the path
    // tool() finds; its output in `output`. It speaks untranslated, so
    // that nothing a test reads depends on the user's language.
    static bool run(const QString& name, const QStringList& args, QString* output = nullptr)
    {
        const QString program = tool(name);
        if (program.isEmpty()) {
            if (output)
                *output = name + QStringLiteral(" is not installed");
            return false;
        }
        QProcess p;
        p.setProcessEnvironment(untranslated());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        const bool ok = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        if (output)
            *output = QString::fromUtf8(p.readAll());
        return ok;
    }

private:
    static constexpr QFileDevice::Permissions kOpen = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                      | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                      | QFileDevice::ExeOther;

    // This process's environment, with every message in the C locale.
    static QProcessEnvironment untranslated()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        env.remove(QStringLiteral("LANGUAGE"));
        return env;
    }

    bool fail(const QString& why)
    {
        m_error = why;
        return false;
    }

    // The server's folder: in TMPDIR when its socket's path fits in a Unix
    // socket's address (107 bytes), else in /tmp.
    bool makeFolder()
    {
        constexpr qsizetype kSocketPathMax = sizeof(sockaddr_un::sun_path) - 1;
        const QString name = QStringLiteral("/cups-XXXXXX");
        QStringList tried;
        for (const QString& base : {QDir::tempPath(), QStringLiteral("/tmp")}) {
            const QString socketPath = base + name + QStringLiteral("/cups.sock");
            if (const qsizetype bytes = QFile::encodeName(socketPath).size(); bytes > kSocketPathMax) {
                tried << QStringLiteral("its socket %1 would take %2 bytes, more than the %3 a Unix socket's path "
                                        "may have")
                             .arg(socketPath)
                             .arg(bytes)
                             .arg(kSocketPathMax);
                continue;
            }
            auto dir = std::make_unique<QTemporaryDir>(base + name);
            if (dir->isValid()) {
                m_folder = std::move(dir);
                return true;
            }
            tried << QStringLiteral("%1 cannot be written").arg(base);
        }
        return fail(QStringLiteral("no folder for the print server: ") + tried.join(QStringLiteral("; ")));
    }

    QString errorLog() const
    {
        QFile log(folder() + QStringLiteral("/log/error_log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QStringLiteral("(no error log)");
    }

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
        writeText(backend, QStringLiteral(R"sh(#!/bin/sh
# Without arguments cupsd asks which devices this backend offers.
if [ $# -eq 0 ]; then echo 'direct morvelin "Unknown" "Morvelin job folder"'; exit 0; fi
# The folder comes percent-encoded in the device URI.
rest="${DEVICE_URI#morvelin:}"
out=""
while [ -n "$rest" ]; do
    case "$rest" in
        %[0-9A-Fa-f][0-9A-Fa-f]*)
            hex="${rest#%}"; hex="${hex%"${hex#??}"}"
            out="$out$(printf "\\$(printf '%03o' "0x$hex")")"
            rest="${rest#%??}" ;;
        *) out="$out${rest%"${rest#?}"}"; rest="${rest#?}" ;;
    esac
done
if [ -n "$6" ]; then cat "$6" > "$out/.job-$1"; else cat > "$out/.job-$1"; fi
chmod 644 "$out/.job-$1"
mv "$out/.job-$1" "$out/job-$1.pdf"
)sh"));
        QFile::setPermissions(backend, kOpen);
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_error;
    QProcess m_cupsd;
};

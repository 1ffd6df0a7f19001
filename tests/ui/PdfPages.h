#pragma once

// A printed PDF read back as a user would see it, through poppler's tools:
// its page count, its text, and a page turned into a picture.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSizeF>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace PdfPages {

// Runs a poppler tool by the path it is installed at, untranslated, and gives
// its output; a tool that is not installed fails the test.
inline QByteArray run(const QString& name, const QStringList& args)
{
    QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
    if (program.isEmpty()) {
        ADD_FAILURE() << name.toStdString() << " is not installed (Debian package poppler-utils)";
        return {};
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.remove(QStringLiteral("LANGUAGE"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

// 0 when the file is no PDF.
inline int pageCount(const QString& pdf)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// The page size in points.
inline QSizeF pageSize(const QString& pdf)
{
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

inline QString text(const QString& pdf)
{
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")}));
}

// The sheet titles ("2014.4") in the order the page's text gives them.
inline QStringList titles(const QString& pdf)
{
    QStringList found;
    auto it = QRegularExpression(QStringLiteral("\\b(\\d{4}\\.\\d{1,2})\\b")).globalMatch(text(pdf));
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

// The first page at `dpi` dots per inch, in grey, or only the part `crop` of
// it (in pixels at that resolution); null when it cannot be made.
inline QImage render(const QString& pdf, int dpi, const QRect& crop = QRect())
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    QStringList args{QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                     QStringLiteral("-r"), QString::number(dpi)};
    if (!crop.isNull())
        args << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y") << QString::number(crop.y())
             << QStringLiteral("-W") << QString::number(crop.width()) << QStringLiteral("-H")
             << QString::number(crop.height());
    args << pdf << prefix;
    run(QStringLiteral("pdftoppm"), args);
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

} // namespace PdfPages

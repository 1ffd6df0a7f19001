// The reader of the recovery copy of unsaved edits. The input is a copy file;
// it is read from memory and through the start-up road that finds the copies
// ended runs left, and what was accepted is written and read again.

#include "FuzzSupport.h"

#include "core/DatasetFile.h"
#include "core/RecoveryCopy.h"

#include <QDir>
#include <QImage>

namespace {

bool same(const RecoveryCopy::Content& a, const RecoveryCopy::Content& b)
{
    return a.path == b.path && a.written == b.written && a.fileBytes == b.fileBytes && a.dataset == b.dataset;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = Fuzz::bytes(data, size);
    const RecoveryCopy::Content before{QStringLiteral("/前の/ファイル"), QDateTime::fromSecsSinceEpoch(0, Qt::UTC),
                                       QByteArrayLiteral("before"), QByteArray()};
    RecoveryCopy::Content read = before;
    const bool ok = RecoveryCopy::decode(file, read);
    if (!ok)
        FUZZ_CHECK(same(read, before));

    // Left behind in a folder, it is offered exactly when it reads.
    const QString folder = Fuzz::scratchFolder() + QStringLiteral("/recovery");
    QDir(folder).removeRecursively();
    FUZZ_CHECK(QDir().mkpath(folder));
    Fuzz::putFile(folder + QStringLiteral("/left.unsaved"), file);
    {
        RecoveryKeeper keeper(folder);
        const std::vector<LeftCopy> left = keeper.claimLeftBehind();
        FUZZ_CHECK(left.size() == 1);
        FUZZ_CHECK(left[0].readable == ok);
        if (ok)
            FUZZ_CHECK(same(left[0].content, read));
    }

    if (ok) {
        // What it offers is a whole design, and written again it reads back the same.
        Dataset design;
        FUZZ_CHECK(DatasetFile::decode(read.dataset, design, {}, [](const QString&) { return QImage(); }));
        FUZZ_CHECK(read.path.isEmpty() || QDir::isAbsolutePath(read.path));
        const QByteArray written = RecoveryCopy::encode(read);
        RecoveryCopy::Content again;
        FUZZ_CHECK(RecoveryCopy::decode(written, again) && same(again, read));
        FUZZ_CHECK(RecoveryCopy::encode(again) == written);
    }
    return 0;
}

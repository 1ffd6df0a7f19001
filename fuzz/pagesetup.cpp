// The PageSetupFile reader and the page setup text it holds. The input is
// the file; it is read from memory and through the loading road, the setup
// text in it is taken apart as printing takes it, and what was accepted is
// written and read again.

#include "FuzzSupport.h"

#include "core/PageSetup.h"
#include "core/PageSetupFile.h"
#include "core/ProgramPaths.h"
#include "platform/BinaryStream.h"

#include <QPageLayout>
#include <QRectF>

namespace {

bool sameFormat(const PageSetup::PageFormat& a, const PageSetup::PageFormat& b)
{
    return a.printerName == b.printerName && a.layout.isEquivalentTo(b.layout)
           && a.layout.pageSize().id() == b.layout.pageSize().id();
}

void checkFormat(const QString& text)
{
    const std::optional<PageSetup::PageFormat> format = PageSetup::decode(text);
    if (!format)
        return;
    // An accepted page setup leaves room to print on.
    FUZZ_CHECK(!format->layout.paintRect(QPageLayout::Point).isEmpty());
    FUZZ_CHECK(format->layout.isValid());

    // Written, it reads back as the same page, and that text is a fixed point.
    const QString written = PageSetup::encode(*format);
    const std::optional<PageSetup::PageFormat> again = PageSetup::decode(written);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(sameFormat(*again, *format) || format->printerName.contains(u'\r'));
    FUZZ_CHECK(PageSetup::encode(*again) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = Fuzz::bytes(data, size);
    const QString before = QStringLiteral("前の設定");

    QString setup = before;
    const bool ok = PageSetupFile::decode(file, setup);
    if (!ok)
        FUZZ_CHECK(setup == before);

    Fuzz::putFile(ProgramPaths::pageSetupFileIn(Fuzz::scratchFolder()), file);
    QString loaded = before;
    const PageSetupFile::LoadResult result = PageSetupFile::load(Fuzz::scratchFolder(), loaded);
    FUZZ_CHECK(result == (ok ? PageSetupFile::LoadResult::Loaded : PageSetupFile::LoadResult::Unreadable));
    FUZZ_CHECK(loaded == setup);

    if (ok) {
        // The setup text, written and read again, is the same text.
        const QByteArray written = PageSetupFile::encode(setup);
        QString again;
        FUZZ_CHECK(PageSetupFile::decode(written, again) && again == setup);
        FUZZ_CHECK(PageSetupFile::encode(again) == written);
        // So a file as the program writes it comes out byte for byte.
        BinaryReader in(file);
        QByteArray tag, text;
        if (in.readPString(tag) && tag == "printSetup" && in.readLongBytes(text) && in.atEnd() && Fuzz::isUtf8(text))
            FUZZ_CHECK(written == file);
        checkFormat(setup);
    }
    // The setup text alone, as gPrintSetup holds it.
    checkFormat(QString::fromUtf8(file));
    return 0;
}

// The picture export: the previewed month, drawn as the preview draws it,
// encoded by sheet/ and written here where the user chooses.

#include "ui/Window1.h"

#include "core/Globals.h"
#include "platform/FileIO.h"
#include "sheet/PictureExport.h"
#include "sheet/SheetSurface.h"
#include "ui/Canvas.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

void Window1::ExportCanvas1()
{
    if (!pDataset || !Canvas1)
        return;
    // The name comes first: a cancelled dialog costs no drawing.
    QFileDialog dialog(this, QStringLiteral("画像書き出し"), QDir::homePath(),
                       QStringLiteral("PNG画像 (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    const bool named = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    // The dialog can delete and rename files: the list shows what is left.
    RefreshDatasetList();
    if (!named)
        return;
    const QString chosen = dialog.selectedFiles().constFirst();
    const QString path = Sheet::pictureFileName(chosen);
    // The dialog asked about replacing the name it was given, not about the
    // one the picture's suffix makes of it.
    if (path != chosen && FileIO::somethingAt(path)) {
        const QString name = QFileInfo(path).fileName();
        if (Globals::gCautionDlg(2, QString(), QStringLiteral("キャンセル"), QStringLiteral("置き換える"),
                                 QStringLiteral("「%1」は既にあります。置き換えますか？").arg(name),
                                 QStringLiteral("置き換えると、今ある「%1」の内容は失われます。").arg(name),
                                 Globals::AnswerCancel)
            != Globals::AnswerAction)
            return;
    }

    // One pixel per point, white where the sheet draws nothing, as the preview.
    QImage picture(Canvas1->width(), Canvas1->height(), QImage::Format_RGB32);
    if (!picture.isNull()) {
        QPainter painter(&picture);
        SheetSurface g(painter);
        Canvas1_Paint(g);
    }
    const QByteArray bytes = Sheet::encodePicture(picture, path);
    // A picture is made to be passed on: it is as readable as the user's
    // other files, and it is there whole or not at all.
    if (bytes.isEmpty() || !FileIO::writeWhole(path, bytes, FileIO::Access::Shared))
        Globals::gCautionDlg1(QStringLiteral("ファイルを開けません。"), QStringLiteral("保存は行われません。"));
}

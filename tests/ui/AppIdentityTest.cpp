// Qt's own dialogs speak Japanese like the rest of the program.

#include "ui/AppIdentity.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

class QtInJapanese : public ::testing::Test {
protected:
    void SetUp() override { translator = AppIdentity::installQtJapanese(*qApp); }
    void TearDown() override
    {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    QTranslator* translator = nullptr;
};

TEST_F(QtInJapanese, TheColourAndFileDialogsSpeakJapanese)
{
    ASSERT_NE(translator, nullptr) << "Qt's Japanese translations (qt6-translations-l10n) are not installed";
    QColorDialog colours;
    EXPECT_EQ(colours.windowTitle(), QStringLiteral("色を選択"));
    QStringList captions;
    for (const QPushButton* b : colours.findChildren<QPushButton*>())
        captions << b->text();
    EXPECT_TRUE(captions.contains(QStringLiteral("キャンセル"))) << captions.join(u',').toStdString();

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    QStringList fileCaptions;
    for (const QPushButton* b : files.findChildren<QPushButton*>())
        fileCaptions << b->text();
    EXPECT_TRUE(fileCaptions.contains(QStringLiteral("キャンセル"))) << fileCaptions.join(u',').toStdString();
}

} // namespace

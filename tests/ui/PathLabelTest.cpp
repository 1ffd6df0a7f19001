#include "ui/PathLabel.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

PathLabel* makeLabel(const QString& text)
{
    auto* label = new PathLabel(text);
    QFont f = label->font();
    f.setPixelSize(10);
    label->setFont(f);
    label->resize(310, 40);
    return label;
}

} // namespace

TEST(PathLabelTest, ShortPathShowsWhole)
{
    std::unique_ptr<PathLabel> label(makeLabel(QStringLiteral("/home/user/背景.png")));
    EXPECT_EQ(label->shownText(), label->text());
}

TEST(PathLabelTest, TwoLinePathShowsWhole)
{
    const QString path = QStringLiteral("/home/ユーザー/.local/share/Morvelin/背景画像/2027年カレンダー用の写真/富士山.png");
    std::unique_ptr<PathLabel> label(makeLabel(path));
    EXPECT_EQ(label->shownText(), path);
}

TEST(PathLabelTest, LongPathKeepsItsFileNameAndTheWholeText)
{
    QString path = QStringLiteral("/home");
    for (int i = 0; i < 12; ++i)
        path += QStringLiteral("/とても長いフォルダの名前%1").arg(i);
    path += QStringLiteral("/富士山と桜.png");
    std::unique_ptr<PathLabel> label(makeLabel(path));
    const QString shown = label->shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("…"))) << qPrintable(shown);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/富士山と桜.png")));
    EXPECT_LT(shown.size(), path.size());
    EXPECT_GT(shown.size(), 30) << "two lines' worth of the path stay";
    EXPECT_EQ(label->text(), path);
}

#include "ui/TextInputDlg.h"

#include "core/Anniversary.h"
#include "core/Globals.h"

#include <QLineEdit>
#include <QPushButton>

TextInputDlg::TextInputDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TextInputDlg"));
    setWindowTitle(QStringLiteral("年を入力"));
    // A movable modal window that the user may resize, maximise or minimise;
    // the controls keep their places whatever its size.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::WindowMinMaxButtonsHint);
    setMinimumSize(64, 64);
    resize(300, 110);

    QFont base = font();
    base.setPixelSize(12);
    setFont(base);

    EditField1 = new QLineEdit(this);
    EditField1->setObjectName(QStringLiteral("EditField1"));
    EditField1->setGeometry(20, 20, 260, 22);

    PushButton1 = new QPushButton(QStringLiteral("キャンセル"), this);
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(109, 70, 82, 20);
    // Return must press "実行" whichever button has the focus.
    PushButton1->setAutoDefault(false);

    PushButton2 = new QPushButton(QStringLiteral("実行"), this);
    PushButton2->setObjectName(QStringLiteral("PushButton2"));
    PushButton2->setGeometry(206, 70, 70, 20);
    PushButton2->setAutoDefault(false);
    PushButton2->setDefault(true);

    connect(PushButton1, &QPushButton::clicked, this, &TextInputDlg::PushButton1_Action);
    connect(PushButton2, &QPushButton::clicked, this, &TextInputDlg::PushButton2_Action);

    EditField1->setFocus();
}

void TextInputDlg::PushButton1_Action()
{
    pReturn = false;
    QDialog::reject();
}

void TextInputDlg::PushButton2_Action()
{
    const std::optional<QString> year = Anniversaries::yearOf(EditField1->text());
    if (!year) {
        Globals::gCautionDlg1(QStringLiteral("年の指定が正しくありません。"),
                              QStringLiteral("%1〜%2 の数字で入力して下さい。毎年の記念日には「毎年」を選んで下さい。")
                                  .arg(Years::kFirst)
                                  .arg(Years::kLast));
        EditField1->setFocus();
        EditField1->selectAll();
        return;
    }
    m_year = *year;
    pReturn = true;
    QDialog::accept();
}

void TextInputDlg::reject() { PushButton1_Action(); }

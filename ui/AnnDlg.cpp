#include "ui/AnnDlg.h"

#include "core/AnniversaryFile.h"
#include "core/Globals.h"
#include "platform/Conv.h"
#include "ui/RowReorderList.h"
#include "ui/TextInputDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextBoundaryFinder>
#include <QValidator>

namespace {

const QString kEveryYear = QStringLiteral("毎年");
const QString kChooseYear = QStringLiteral("指定...");
const QString kEditYear = QStringLiteral("編集...");

// Where a row filled from the list keeps the index of its entry.
constexpr int kSourceRole = Qt::UserRole + 1;

// The group box's place in the window: its controls are laid out in window
// coordinates and placed relative to it.
const QPoint kBoxOrigin(392, 11);

QStringList numberRows(int from, int to)
{
    QStringList rows;
    for (int n = from; n <= to; ++n)
        rows << QString::number(n);
    return rows;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect windowRect, Qt::Alignment align,
              int pixelSize = 12)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(align | Qt::AlignTop);
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    l->setFont(f);
    l->setGeometry(windowRect.translated(-kBoxOrigin));
    return l;
}

// Selects a pop-up row; a row outside the pop-up (a month 0 or 13 from a file
// written elsewhere) shows no selection.
void selectRow(QComboBox* popup, int32_t row)
{
    popup->setCurrentIndex(row >= 0 && row < popup->count() ? row : -1);
}

// Keeps the anniversary text to what the file keeps of it: one line of at
// most AnniversaryFile::kMaxTextBytes. A line break, a tab or another control
// character becomes a space, as the field already shows it. Every change
// passes here, so the field never holds a text that does not fit: when one
// does not, something was just put in, ending at the cursor, and of that
// what does not fit is dropped from its end, whole characters at a time.
// The rest of the field stays as it was.
class OneRecordText : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        QString line;
        line.reserve(input.size());
        qsizetype cursor = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            if (c == u'\r' && i + 1 < input.size() && input[i + 1] == u'\n') {
                // One break, one space.
                if (i + 1 < pos)
                    --cursor;
                continue;
            }
            const bool control = c.unicode() < 0x20 || c.unicode() == 0x7F || c.unicode() == 0x85
                                 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
            line += control ? QChar(u' ') : c;
        }

        const qsizetype over = line.toUtf8().size() - AnniversaryFile::kMaxTextBytes;
        if (over > 0) {
            const QString before = line.first(cursor);
            QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, before);
            characters.toEnd();
            qsizetype start = cursor;
            qsizetype dropped = 0;
            while (dropped < over && start > 0) {
                const qsizetype previous = characters.toPreviousBoundary();
                dropped += QStringView(before).sliced(previous, start - previous).toUtf8().size();
                start = previous;
            }
            line.remove(start, cursor - start);
            cursor = start;
        }

        if (line != input) {
            input = line;
            pos = int(cursor);
        }
        return Acceptable;
    }
};

} // namespace

AnnDlg::AnnDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AnnDlg"));
    setWindowTitle(QStringLiteral("記念日の設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(560, 370);

    QFont base = font();
    base.setPixelSize(12);
    setFont(base);

    ListBox1 = new RowReorderList(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(10, 10, 380, 310);
    ListBox1->setColumnCount(4);
    ListBox1->setHeaderLabels({QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日"), QStringLiteral("内容")});
    ListBox1->setColumnShares({0.17, 0.10, 0.10});

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(QRect(kBoxOrigin, QSize(158, 310)));

    auto popup = [this](const char* name, int top, const QStringList& rows) {
        auto* c = new QComboBox(GroupBox1);
        c->setObjectName(QLatin1String(name));
        c->addItems(rows);
        c->setCurrentIndex(0);
        c->setGeometry(QRect(438, top, 80, 20).translated(-kBoxOrigin));
        return c;
    };
    PopupMenu1 = popup("PopupMenu1", 38, {kEveryYear, kChooseYear});
    PopupMenu1->insertSeparator(1);
    PopupMenu2 = popup("PopupMenu2", 68, numberRows(1, 12));
    PopupMenu3 = popup("PopupMenu3", 98, numberRows(1, 31));

    EditField1 = new QLineEdit(GroupBox1);
    EditField1->setObjectName(QStringLiteral("EditField1"));
    EditField1->setGeometry(QRect(398, 148, 145, 44).translated(-kBoxOrigin));
    EditField1->setValidator(new OneRecordText(EditField1));

    label(GroupBox1, "StaticText1", QStringLiteral("年："), QRect(395, 40, 40, 20), Qt::AlignRight);
    label(GroupBox1, "StaticText2", QStringLiteral("月："), QRect(395, 70, 40, 20), Qt::AlignRight);
    label(GroupBox1, "StaticText3", QStringLiteral("日："), QRect(395, 100, 40, 20), Qt::AlignRight);
    label(GroupBox1, "StaticText4", QStringLiteral("内容："), QRect(399, 130, 100, 20), Qt::AlignLeft);
    label(GroupBox1, "StaticText6", QStringLiteral("複数行は不可"), QRect(398, 195, 145, 20), Qt::AlignHCenter, 10);

    auto button = [this](const char* name, const QString& caption, QRect rect) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(rect);
        // Only "閉じる" answers Return, whichever button has the focus.
        b->setAutoDefault(false);
        return b;
    };
    BevelButton1 = button("BevelButton1", QStringLiteral("＋"), QRect(10, 322, 30, 22));
    BevelButton2 = button("BevelButton2", QStringLiteral("ー"), QRect(41, 322, 30, 22));
    PushButton1 = button("PushButton1", QStringLiteral("閉じる"), QRect(466, 330, 70, 20));
    PushButton1->setDefault(true);

    auto* help = new QLabel(QStringLiteral("＋：新規、ー：削除、行を選択：編集、行をドラッグ：並べ替え\n"
                                           "同一月日は、最も上部の１項目のみ有効。"),
                            this);
    help->setObjectName(QStringLiteral("StaticText5"));
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = help->font();
    small.setPixelSize(10);
    help->setFont(small);
    help->setGeometry(100, 325, 327, 40);

    connect(ListBox1->header(), &QHeaderView::sectionClicked, this, &AnnDlg::ListBox1_HeaderPressed);
    connect(ListBox1, &RowReorderList::rowMoved, this, &AnnDlg::ListBox1_DragReorderRows);
    connect(ListBox1, &QTreeWidget::itemSelectionChanged, this, &AnnDlg::ListBox1_Change);
    connect(PopupMenu1, &QComboBox::currentIndexChanged, this, &AnnDlg::PopupMenu1_Change);
    connect(PopupMenu2, &QComboBox::currentIndexChanged, this, &AnnDlg::PopupMenu2_Change);
    connect(PopupMenu3, &QComboBox::currentIndexChanged, this, &AnnDlg::PopupMenu3_Change);
    connect(EditField1, &QLineEdit::textChanged, this, &AnnDlg::EditField1_TextChange);
    connect(BevelButton1, &QPushButton::clicked, this, &AnnDlg::BevelButton1_Action);
    connect(BevelButton2, &QPushButton::clicked, this, &AnnDlg::BevelButton2_Action);
    connect(PushButton1, &QPushButton::clicked, this, &AnnDlg::PushButton1_Action);

    Event_Open();
}

// ---- The rows and the entries ----

QStringList AnnDlg::cellsOf(const Anniversary& entry)
{
    const QString year = Conv::asInt32(entry.YY) == 0 ? kEveryYear : Conv::asText(entry.YY);
    return {year, Conv::asText(entry.MM), Conv::asText(entry.DD), Conv::asText(entry.tt)};
}

Anniversary AnnDlg::entryOf(const QStringList& cells)
{
    Anniversary entry;
    entry.YY = cells.value(0) == kEveryYear ? QVariant(int32_t(0)) : QVariant(cells.value(0));
    entry.MM = cells.value(1);
    entry.DD = cells.value(2);
    entry.tt = cells.value(3);
    return entry;
}

void AnnDlg::SetRows(const AnniversaryList& list)
{
    pEnblLB1 = true;
    ListBox1->clear();
    m_source = list;
    for (qsizetype i = 0; i < list.size(); ++i) {
        QTreeWidgetItem* item = RowReorderList::newRow(cellsOf(list.at(i)));
        item->setData(0, kSourceRole, qlonglong(i));
        ListBox1->addTopLevelItem(item);
    }
    pEnblLB1 = false;
}

AnniversaryList AnnDlg::Entries() const
{
    AnniversaryList list;
    for (int row = 0; row < ListBox1->topLevelItemCount(); ++row) {
        const QVariant source = ListBox1->topLevelItem(row)->data(0, kSourceRole);
        const Anniversary made = entryOf({cell(row, 0), cell(row, 1), cell(row, 2), cell(row, 3)});
        if (!source.isValid() || source.toLongLong() < 0 || source.toLongLong() >= m_source.size()) {
            list.append(made);
            continue;
        }
        Anniversary carried = m_source.at(source.toLongLong());
        carried.YY = made.YY;
        carried.MM = made.MM;
        carried.DD = made.DD;
        carried.tt = made.tt;
        list.append(carried);
    }
    return list;
}

QString AnnDlg::cell(int row, int column) const
{
    const QTreeWidgetItem* item = ListBox1->topLevelItem(row);
    return item ? item->text(column) : QString();
}

// ---- States ----

void AnnDlg::Event_Open()
{
    BevelButton2->setEnabled(false);
    GroupBox1->setEnabled(false);
}

void AnnDlg::ButtonStat(int32_t mode)
{
    if (mode == 0) {
        BevelButton1->setEnabled(true);
        BevelButton2->setEnabled(false);
        GroupBox1->setEnabled(false);
        PopupStat(0, kEveryYear, kChooseYear);
    } else if (mode == 1) {
        BevelButton1->setEnabled(false);
        BevelButton2->setEnabled(true);
        GroupBox1->setEnabled(true);
        PopupStat(1, cell(ListBox1->selectedRow(), 0), kEditYear);
    }
}

void AnnDlg::PopupStat(int32_t mode, const QString& yearText, const QString& commandText)
{
    pEnblPop = true;
    {
        // This runs from the year pop-up's own handler too: rebuilding it must
        // not call that handler again.
        const QSignalBlocker quiet(PopupMenu1);
        PopupMenu1->clear();
        PopupMenu1->addItems({yearText, commandText});
        PopupMenu1->insertSeparator(1);
        PopupMenu1->setCurrentIndex(0);
    }
    if (mode == 0) {
        PopupMenu2->setCurrentIndex(0);
        PopupMenu3->setCurrentIndex(0);
        EditField1->setText(QString());
    } else if (mode == 1) {
        const int row = ListBox1->selectedRow();
        selectRow(PopupMenu2, Conv::toInt32(Conv::val(cell(row, 1)) - 1.0));
        selectRow(PopupMenu3, Conv::toInt32(Conv::val(cell(row, 2)) - 1.0));
        EditField1->setText(cell(row, 3));
    }
    pEnblPop = false;
}

// ---- The list ----

void AnnDlg::ListBox1_Change()
{
    if (pEnblLB1)
        return;
    ButtonStat(ListBox1->selectedRow() < 0 ? 0 : 1);
}

void AnnDlg::ListBox1_HeaderPressed(int)
{
    Globals::gCautionDlg1(QStringLiteral("ヘッダプレスによる並べ替えには対応していません。"), QString());
}

void AnnDlg::ListBox1_DragReorderRows() { pReturn = true; }

void AnnDlg::AddItem()
{
    pEnblLB1 = true;
    ListBox1->addTopLevelItem(RowReorderList::newRow(
        {PopupMenu1->currentText(), PopupMenu2->currentText(), PopupMenu3->currentText(), EditField1->text()}));
    pEnblLB1 = false;
    ButtonStat(0);
    pReturn = true;
}

void AnnDlg::BevelButton1_Action()
{
    AddItem();
    ListBox1->setCurrentItem(ListBox1->topLevelItem(ListBox1->topLevelItemCount() - 1));
    GroupBox1->setEnabled(true);
}

void AnnDlg::BevelButton2_Action()
{
    const int row = ListBox1->selectedRow();
    if (row < 0)
        return;
    const int32_t answer = Globals::gCautionDlg(2, QString(), QStringLiteral("キャンセル"), QStringLiteral("削除"),
                                                QStringLiteral("本当に削除しますか？"),
                                                QStringLiteral("この操作は取り消しできません。"),
                                                Globals::AnswerCancel);
    if (answer != Globals::AnswerAction)
        return;
    delete ListBox1->takeRow(row);
    pReturn = true;
    ButtonStat(0);
}

// ---- The edit controls ----

void AnnDlg::writeSelected(int column, const QString& text)
{
    const int row = ListBox1->selectedRow();
    if (row < 0)
        return;
    ListBox1->topLevelItem(row)->setText(column, text);
    pReturn = true;
}

void AnnDlg::PopupMenu1_Change()
{
    if (pEnblPop || ListBox1->selectedRow() < 0)
        return;
    if (PopupMenu1->currentIndex() == PopupMenu1->count() - 1) {
        TextInputDlg input(this);
        input.exec();
        if (input.pReturn)
            PopupStat(1, input.Year(), kEditYear);
        else
            PopupStat(1, cell(ListBox1->selectedRow(), 0), kEditYear);
    }
    writeSelected(0, PopupMenu1->currentText());
}

void AnnDlg::PopupMenu2_Change()
{
    if (!pEnblPop)
        writeSelected(1, PopupMenu2->currentText());
}

void AnnDlg::PopupMenu3_Change()
{
    if (!pEnblPop)
        writeSelected(2, PopupMenu3->currentText());
}

void AnnDlg::EditField1_TextChange()
{
    if (!pEnblPop)
        writeSelected(3, EditField1->text());
}

void AnnDlg::PushButton1_Action() { QDialog::accept(); }

void AnnDlg::reject() { PushButton1_Action(); }

#include "MethodForm_Unit1.h"

#include "FormParts.h"
#include "MessageBox.h"
#include "MuiContext.h"
#include "PageRangeWriter.h"
#include "SSButton.h"
#include "SSForm.h"
#include "ShellOpen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum RangeKind { AllPages, OddPages, EvenPages, PartPages };

const QString headingStyle = QStringLiteral("color: #1F2A37; font: bold 12px 'DejaVu Sans';");
const QString bodyStyle = QStringLiteral("color: #1F2A37; font: 12px 'DejaVu Sans';");

// Where method.png leaves room: the title band, three cards, the buttons.
namespace Room {
const QMargins title(16, 7, 10, 0);
const int cardsLeft = 13;
const int titleToCards = 18;
const QSize rangeCard(434, 140);
const QSize sortCard(434, 52);
const QSize alternateCard(434, 110);
const int cardGap = 10;
const int cardsToButtons = 17;
const QMargins buttons(12, 0, 12, 12);
const int buttonGap = 8;
// Inside the cards.
const QMargins rangeInside(14, 12, 14, 0);
const int choiceIndent = 10;     // the choices start right of the heading's start
const int choiceColumn = 90;     // All, Odd and Even stand this far apart
const int rowPitch = 30;         // from one row's top to the next
const QSize pagesField(212, 26);
const int noteGap = 8;           // between the pages field and the note under it
const QMargins sortInside(14, 15, 14, 0);
const int sortHeadingColumn = 190;
const int sortChoiceColumn = 110;
const int sortHeadingDrop = 2;   // the heading's text sits this much below the choices' top
const QMargins alternateInside(12, 12, 12, 0);
const int alternateIndent = 24;
const int alternatePitch = 28;
const int countColumn = 158;     // Mix pages' caption, at least this wide
const int countGap = 10;
const QSize countField(56, 26);
const QSize upDown(18, 26);
const int unitGap = 8;
const int choiceDrop = 4;        // a choice beside a field sits this far below the field's top
const int unitDrop = 5;
const int repeatGap = 10;
// Where the picture grows for longer captions: a column through all three
// cards, a row through the first one (the card that takes more height).
const QPoint growLine(300, 120);
} // namespace Room

struct Expressions
{
    QString PageRange;
    QString MergeRange;
};

// The ascending selection and the expression in the chosen order for All,
// Odd or Even, as the page-range module writes them. A reversed selection is
// a list of single pages.
Expressions KindExpressions(RangeKind kind, int pageCount, bool reverse)
{
    const auto write = kind == AllPages ? pageranges::allPages : kind == OddPages ? pageranges::oddPages : pageranges::evenPages;
    const pageranges::Order order = reverse ? pageranges::Order::reverse : pageranges::Order::sequence;
    return {QString::fromStdString(write(pageCount, pageranges::Order::sequence)), QString::fromStdString(write(pageCount, order))};
}

QRadioButton *RadioButton(QWidget *panel, const char *name, const QString &caption)
{
    auto *button = new QRadioButton(caption, panel);
    button->setObjectName(QLatin1String(name));
    button->setStyleSheet(bodyStyle);
    button->ensurePolished(); // its size, asked for at once, follows the style's font
    return button;
}

// The widget `drop` pixels below the top of its row.
QVBoxLayout *Dropped(QWidget *widget, int drop)
{
    auto *column = new QVBoxLayout;
    column->setSpacing(0);
    column->addSpacing(drop);
    column->addWidget(widget, 0, Qt::AlignLeft);
    column->addStretch();
    return column;
}

// A grid without spacing of its own: the rows and columns say it.
QGridLayout *Grid(QWidget *panel, const QMargins &margins)
{
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(margins);
    grid->setSpacing(0);
    return grid;
}

} // namespace

// ---- TUpDown -----------------------------------------------------------------

TUpDown::TUpDown(QLineEdit *associate, QWidget *parent)
    : QWidget(parent)
    , associate(associate)
    , upButton(new QToolButton(this))
    , downButton(new QToolButton(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton *button : {upButton, downButton}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    upButton->setArrowType(Qt::UpArrow);
    downButton->setArrowType(Qt::DownArrow);
    upButton->setAccessibleName(tr("More pages"));
    downButton->setAccessibleName(tr("Fewer pages"));
    // The arrow keys in the number field step it as the arrow buttons do.
    associate->installEventFilter(this);
    connect(upButton, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(downButton, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void TUpDown::SetRange(int newMinimum, int newMaximum)
{
    minimum = newMinimum;
    maximum = std::max(newMinimum, newMaximum);
}

bool TUpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == associate && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TUpDown::StepBy(int steps)
{
    bool isNumber = false;
    const int current = associate->text().toInt(&isNumber);
    const int stepped = isNumber ? current + steps : minimum;
    associate->setText(QString::number(std::clamp(stepped, minimum, maximum)));
}

// ---- TMethodForm ---------------------------------------------------------------

TMethodForm::TMethodForm(QWidget *owner, TItemInfo &item)
    : QDialog(owner)
    , Item(item)
{
    setObjectName(QStringLiteral("MethodForm"));
    setWindowTitle(tr("Merge Method"));
    ssSkinForm1 = SkinForm(this, QStringLiteral("method.png"));
    ssSkinForm1->SetGrowLine(Room::growLine);
    lblTitle = Label(this, "lblTitle", tr("Merge Method"), QStringLiteral("color: white; font: bold 14px 'DejaVu Sans';"));

    CreatePageRangePanel();
    CreatePageSortPanel();
    CreateAlternatePanel();
    CreateButtons();
    LayOut();
    ConnectHandlers();
    SetTabOrder();
    FormCreate();
}

// Heading; All, Odd, Even; Part with its text; the note under the text.
void TMethodForm::CreatePageRangePanel()
{
    TntPanel1 = CardPanel(this, "TntPanel1", Room::rangeCard);
    TntLabel1 = Label(TntPanel1, "TntLabel1", tr("Select Page Range"), headingStyle);
    rbAll = RadioButton(TntPanel1, "rbAll", tr("All"));
    rbOdd = RadioButton(TntPanel1, "rbOdd", tr("Odd"));
    rbEven = RadioButton(TntPanel1, "rbEven", tr("Even"));
    rbPart = RadioButton(TntPanel1, "rbPart", tr("Part  e.g[1,3,6-18]"));
    edtPages = new QLineEdit(TntPanel1);
    edtPages->setObjectName(QStringLiteral("edtPages"));
    edtPages->setFixedSize(Room::pagesField);
    edtPages->setAccessibleName(tr("Pages"));
    lblInvalid = Label(TntPanel1, "lblInvalid", tr("Invalid format or out of range!"),
                       QStringLiteral("color: #D93025; font: 12px 'DejaVu Sans';"));
    // A longer note in another language takes a second line under the field,
    // room that stays while the note is hidden, so the dialog never jumps.
    lblInvalid->setWordWrap(true);
    QSizePolicy notePolicy = lblInvalid->sizePolicy();
    notePolicy.setRetainSizeWhenHidden(true);
    lblInvalid->setSizePolicy(notePolicy);
    lblInvalid->hide();

    QGridLayout *grid = Grid(TntPanel1, Room::rangeInside);
    grid->addWidget(TntLabel1, 0, 0, 1, 4, Qt::AlignLeft);
    grid->setRowMinimumHeight(1, Room::rowPitch - TntLabel1->sizeHint().height());
    grid->setColumnMinimumWidth(0, Room::choiceIndent);
    grid->setColumnMinimumWidth(1, Room::choiceColumn);
    grid->setColumnMinimumWidth(2, Room::choiceColumn);
    grid->addWidget(rbAll, 2, 1);
    grid->addWidget(rbOdd, 2, 2);
    grid->addWidget(rbEven, 2, 3);
    grid->setRowMinimumHeight(3, Room::rowPitch - rbAll->sizeHint().height());
    grid->addLayout(Dropped(rbPart, Room::choiceDrop), 4, 1, 1, 2);
    grid->addWidget(edtPages, 4, 3, Qt::AlignLeft);
    grid->setRowMinimumHeight(5, Room::noteGap);
    grid->addWidget(lblInvalid, 6, 3);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(4, 1);
}

void TMethodForm::CreatePageSortPanel()
{
    TntPanel2 = CardPanel(this, "TntPanel2", Room::sortCard);
    TntLabel2 = Label(TntPanel2, "TntLabel2", tr("Select Page Sort"), headingStyle);
    rbSequence = RadioButton(TntPanel2, "rbSequence", tr("Sequence"));
    rbReverse = RadioButton(TntPanel2, "rbReverse", tr("Reverse"));
    QGridLayout *grid = Grid(TntPanel2, Room::sortInside);
    grid->setColumnMinimumWidth(0, Room::sortHeadingColumn);
    grid->setColumnMinimumWidth(1, Room::sortChoiceColumn);
    TntLabel2->setContentsMargins(0, Room::sortHeadingDrop, 0, 0);
    grid->addWidget(TntLabel2, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(rbSequence, 0, 1);
    grid->addWidget(rbReverse, 0, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void TMethodForm::CreateAlternatePanel()
{
    TntPanel3 = CardPanel(this, "TntPanel3", Room::alternateCard);
    cbAlternate = new QCheckBox(tr("Merge all files alternately"), TntPanel3);
    cbAlternate->setObjectName(QStringLiteral("cbAlternate"));
    cbAlternate->setStyleSheet(headingStyle);
    cbAlternate->ensurePolished();
    rbMixPages = RadioButton(TntPanel3, "rbMixPages", tr("Mix pages by every"));
    maskEditPage = new QLineEdit(QStringLiteral("1"), TntPanel3);
    maskEditPage->setObjectName(QStringLiteral("maskEditPage"));
    maskEditPage->setAccessibleName(tr("Pages per pass"));
    maskEditPage->setFixedSize(Room::countField);
    UpDownPage = new TUpDown(maskEditPage, TntPanel3);
    UpDownPage->setObjectName(QStringLiteral("UpDownPage"));
    UpDownPage->setFixedSize(Room::upDown);
    UpDownPage->SetRange(1, 32767);
    TntLabel3 = Label(TntPanel3, "TntLabel3", tr("page(s)"), bodyStyle);
    rbRepeat = RadioButton(TntPanel3, "rbRepeat", tr("Repeat"));
    LayOutAlternatePanel();
}

// The count field sits right of its radio button, whatever the language.
void TMethodForm::LayOutAlternatePanel()
{
    auto *count = new QHBoxLayout;
    count->setSpacing(0);
    count->addWidget(maskEditPage);
    count->addWidget(UpDownPage);
    count->addSpacing(Room::unitGap);
    TntLabel3->setContentsMargins(0, Room::unitDrop, 0, 0);
    count->addWidget(TntLabel3, 0, Qt::AlignLeft | Qt::AlignTop);
    count->addStretch();
    QGridLayout *grid = Grid(TntPanel3, Room::alternateInside);
    grid->addWidget(cbAlternate, 0, 0, 1, 4, Qt::AlignLeft);
    grid->setRowMinimumHeight(1, Room::alternatePitch - cbAlternate->sizeHint().height());
    grid->setColumnMinimumWidth(0, Room::alternateIndent);
    grid->setColumnMinimumWidth(1, Room::countColumn);
    grid->setColumnMinimumWidth(2, Room::countGap);
    grid->addLayout(Dropped(rbMixPages, Room::choiceDrop), 2, 1);
    grid->addLayout(count, 2, 3);
    grid->setRowMinimumHeight(3, Room::repeatGap);
    grid->addWidget(rbRepeat, 4, 1, 1, 3, Qt::AlignLeft);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);
}

void TMethodForm::CreateButtons()
{
    SBtnHelp = SkinButton(this, "SBtnHelp", QStringLiteral("dlg_help.png"), 4, tr("Help"));
    SBtnOk = SkinButton(this, "SBtnOk", QStringLiteral("dlg_ok.png"), 4, tr("OK"));
    SBtnCancel = SkinButton(this, "SBtnCancel", QStringLiteral("dlg_cancel.png"), 4, tr("Cancel"));
    SBtnClose = SkinButton(this, "SBtnClose", QStringLiteral("btn_close.png"));
    SBtnCancel->SetModalResult(mrCancel);
    SBtnClose->SetModalResult(mrCancel);
    SBtnClose->setFocusPolicy(Qt::NoFocus);
    SBtnClose->setAccessibleName(tr("Close"));
}

// The title band, the three cards of method.png, Help at the left and OK
// and Cancel at the right.
void TMethodForm::LayOut()
{
    auto *title = new QHBoxLayout;
    title->setContentsMargins(Room::title);
    title->addWidget(lblTitle, 0, Qt::AlignLeft | Qt::AlignVCenter);
    title->addStretch();
    title->addWidget(SBtnClose);
    // The cards span the picture's width less its margins; the first takes
    // any height the dialog grows by.
    const int cardsRight = ssSkinForm1->Glyph().width() - Room::cardsLeft - Room::rangeCard.width();
    auto *cards = new QVBoxLayout;
    cards->setContentsMargins(Room::cardsLeft, 0, cardsRight, 0);
    cards->setSpacing(Room::cardGap);
    cards->addWidget(TntPanel1, 1);
    cards->addWidget(TntPanel2);
    cards->addWidget(TntPanel3);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(Room::buttons);
    buttons->setSpacing(Room::buttonGap);
    buttons->addWidget(SBtnHelp);
    buttons->addStretch();
    buttons->addWidget(SBtnOk);
    buttons->addWidget(SBtnCancel);

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    form->addLayout(title);
    form->addSpacing(Room::titleToCards);
    form->addLayout(cards, 1);
    form->addSpacing(Room::cardsToButtons);
    form->addLayout(buttons);
}

// Top to bottom, as the dialog reads; OK before Cancel, then Help.
void TMethodForm::SetTabOrder()
{
    QWidget *const order[] = {rbAll,      rbOdd,      rbEven,       rbPart,       edtPages, rbSequence, rbReverse,
                              cbAlternate, rbMixPages, maskEditPage, rbRepeat,     SBtnOk,   SBtnCancel, SBtnHelp};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Enter anywhere but on a button is OK; Escape is Cancel.
void TMethodForm::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        SBtnOkClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMethodForm::ConnectHandlers()
{
    for (QRadioButton *kind : {rbAll, rbOdd, rbEven}) {
        connect(kind, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                rbAllClick();
        });
    }
    connect(rbPart, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            rbPartClick();
    });
    connect(edtPages, &QLineEdit::textChanged, this, &TMethodForm::edtPagesChange);
    connect(cbAlternate, &QCheckBox::toggled, this, &TMethodForm::cbAlternateClick);
    connect(rbMixPages, &QRadioButton::toggled, this, &TMethodForm::rbMixPagesClick);
    connect(maskEditPage, &QLineEdit::textChanged, this, &TMethodForm::maskEditPageChange);
    connect(maskEditPage, &QLineEdit::editingFinished, this, &TMethodForm::maskEditPageDone);
    connect(SBtnOk, &TssCustomButton::OnClick, this, &TMethodForm::SBtnOkClick);
    connect(SBtnHelp, &TssCustomButton::OnClick, this, &TMethodForm::SBtnHelpClick);
}

void TMethodForm::FormCreate()
{
    // Digits only; five of them reach the up-down's largest count.
    maskEditPage->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), maskEditPage));
    edtPages->setEnabled(false);
}

void TMethodForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CentreOnOwner(this);
    FormShow();
}

void TMethodForm::FormShow()
{
    if (loaded)
        return;
    loaded = true;
    LoadItem();
}

void TMethodForm::LoadItem()
{
    const int pageCount = Item.TotalPages;
    if (pageCount == 1)
        rbEven->setEnabled(false);
    switch (Item.RangeType) {
    case OddPages:
        rbOdd->setChecked(true);
        break;
    case EvenPages:
        rbEven->setChecked(true);
        break;
    case PartPages:
        rbPart->setChecked(true);
        edtPages->setText(Item.PageRange);
        break;
    default:
        rbAll->setChecked(true);
        break;
    }
    (Item.PageSort == 1 ? rbReverse : rbSequence)->setChecked(true);
    maskEditPage->setText(QString::number(Item.MixPages));
    cbAlternate->setChecked(MergeAlternately);
    (Item.AlternateType == 1 ? rbRepeat : rbMixPages)->setChecked(true);
    UpdateAlternateControls();
    UpDownPage->SetMaximum(CountSelectedPages());
}

void TMethodForm::rbAllClick()
{
    edtPages->setEnabled(false);
    UpDownPage->SetMaximum(CountSelectedPages());
    maskEditPageChange();
}

void TMethodForm::rbPartClick()
{
    edtPages->setEnabled(true);
}

void TMethodForm::edtPagesChange()
{
    if (edtPages->text().isEmpty())
        return;
    QString check = edtPages->text();
    lblInvalid->setVisible(!NormalizeRange(check, Item.TotalPages));
    UpDownPage->SetMaximum(CountSelectedPages());
    maskEditPageChange();
}

void TMethodForm::cbAlternateClick()
{
    UpdateAlternateControls();
}

void TMethodForm::UpdateAlternateControls()
{
    const bool alternate = cbAlternate->isChecked();
    rbMixPages->setEnabled(alternate);
    rbRepeat->setEnabled(alternate);
    rbMixPagesClick();
}

void TMethodForm::rbMixPagesClick()
{
    const bool mixing = cbAlternate->isChecked() && rbMixPages->isChecked();
    maskEditPage->setEnabled(mixing);
    UpDownPage->setEnabled(mixing);
}

// A count above the selected pages is lowered to them as it is typed.
void TMethodForm::maskEditPageChange()
{
    const int selected = std::max(CountSelectedPages(), 1);
    if (maskEditPage->text().toInt() > selected)
        maskEditPage->setText(QString::number(selected));
}

// An empty field or 0 would take no page per pass: it becomes 1 once the
// user leaves the field.
void TMethodForm::maskEditPageDone()
{
    if (maskEditPage->text().toInt() < 1)
        maskEditPage->setText(QStringLiteral("1"));
}

int TMethodForm::CountSelectedPages() const
{
    const int pageCount = std::max(Item.TotalPages, 0);
    if (rbAll->isChecked())
        return pageCount;
    if (rbOdd->isChecked())
        return (pageCount + 1) / 2;
    if (rbEven->isChecked())
        return pageCount / 2;
    QString pages = edtPages->text();
    if (pages.isEmpty())
        return 1;
    NormalizeRange(pages, Item.TotalPages);
    return pages.isEmpty() ? 1 : CountRangePages(pages, Item.TotalPages);
}

bool TMethodForm::ApplyMethod()
{
    const bool reverse = !rbSequence->isChecked();
    const int pageCount = Item.TotalPages;
    int rangeType = AllPages;
    Expressions expressions;
    if (rbPart->isChecked()) {
        const QString choosePages = tr("Please choose page range to merge.");
        QString pages = edtPages->text();
        if (pages.isEmpty()) {
            ShowMessageBox(this, choosePages, QMessageBox::Information);
            return false;
        }
        NormalizeRange(pages, pageCount); // invalid pieces are dropped silently
        if (pages.isEmpty()) {
            ShowMessageBox(this, choosePages, QMessageBox::Information);
            return false;
        }
        edtPages->setText(pages);
        rangeType = PartPages;
        expressions.PageRange = pages;
        expressions.MergeRange = pages;
        if (reverse)
            ReverseRange(expressions.MergeRange, pageCount);
    } else {
        rangeType = rbOdd->isChecked() ? OddPages : rbEven->isChecked() ? EvenPages : AllPages;
        expressions = KindExpressions(static_cast<RangeKind>(rangeType), pageCount, reverse);
    }

    Item.PageSort = reverse ? 1 : 0;
    Item.RangeType = rangeType;
    Item.PageRange = expressions.PageRange;
    Item.MergeRange = expressions.MergeRange;
    MergeAlternately = cbAlternate->isChecked();
    if (MergeAlternately) {
        Item.AlternateType = rbMixPages->isChecked() ? 0 : 1;
        if (Item.AlternateType == 0) {
            // The merge divides by this count: it is at least one page.
            const int wanted = maskEditPage->text().toInt();
            Item.MixPages = std::max(std::min(wanted, CountSelectedPages()), 1);
        }
    }
    return true;
}

void TMethodForm::SBtnOkClick()
{
    if (ApplyMethod())
        done(mrOk);
}

// The guide's section on choosing pages.
void TMethodForm::SBtnHelpClick()
{
    const MuiContext *context = CurrentMuiContext();
    ShellOpenHelp(context ? context->ApplicationFolder : QString(), QStringLiteral("pages"));
}
